#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_spooler.h"

namespace quillon::fakes {
namespace {

using platform::RegistryRoot;

std::string ReadKeyList(FakeProfile& profile, std::size_t size, std::size_t* count) {
    std::string buffer(size, ' ');
    *count = profile.GetString("PrinterPorts", std::nullopt, "", buffer);
    return buffer;
}

TEST(FakeProfile, KeyListKeepsOrderAndLeavesTheRestOfTheBuffer) {
    FakeProfile profile;
    profile.Set("PrinterPorts", "Zeta", "winspool,Ne00:");
    profile.Set("printerports", "Alpha", "winspool,Ne01:");
    profile.Set("PRINTERPORTS", "zeta", "winspool,Ne02:");  // same key, new value
    std::size_t count = 0;
    const auto buffer = ReadKeyList(profile, 16, &count);
    EXPECT_EQ(buffer, std::string("Zeta\0Alpha\0\0    ", 16));
    EXPECT_EQ(count, 11u);
    EXPECT_EQ(profile.Get("PrinterPorts", "ZETA"), "winspool,Ne02:");
    EXPECT_EQ(profile.keyListReads, std::vector<std::size_t>{16});
}

TEST(FakeProfile, KeyListThatDoesNotFitIsCutAndEndedByTwoNuls) {
    FakeProfile profile;
    profile.Set("PrinterPorts", "Alpha", "x");
    profile.Set("PrinterPorts", "Bravo", "x");
    std::size_t count = 0;
    const auto buffer = ReadKeyList(profile, 10, &count);
    EXPECT_EQ(count, 8u);
    EXPECT_EQ(buffer, std::string("Alpha\0Br\0\0", 10));
}

TEST(FakeProfile, ValueIsCutToTheBufferAndDefaultUsedWhenAbsent) {
    FakeProfile profile;
    profile.Set("windows", "device", "Laser,winspool,Ne00:");
    std::string small(6, 'x');
    EXPECT_EQ(profile.GetString("Windows", "Device", ",,,", small), 5u);
    EXPECT_EQ(small, std::string("Laser\0", 6));
    std::string buffer(10, 'x');
    EXPECT_EQ(profile.GetString("windows", "missing", ",,,", buffer), 3u);
    EXPECT_EQ(buffer.substr(0, 4), std::string(",,,\0", 4));
}

TEST(FakeProfile, WritesAreRecordedAndRefusedWhenFailing) {
    FakeProfile profile;
    EXPECT_EQ(profile.WriteString("windows", "Device", "A,b,c"), 0U);
    profile.failWrites = true;
    EXPECT_NE(profile.WriteString("windows", "Device", "B,b,c"), 0U);
    EXPECT_EQ(profile.writes.size(), 2u);
    EXPECT_EQ(profile.Get("windows", "device"), "A,b,c");
    profile.Remove("windows", "DEVICE");
    EXPECT_FALSE(profile.Get("windows", "device").has_value());
}

TEST(FakeProfile, RemoveKeepsTheOrderOfTheOtherKeys) {
    FakeProfile profile;
    profile.Set("PrinterPorts", "A", "1");
    profile.Set("PrinterPorts", "B", "2");
    profile.Set("PrinterPorts", "C", "3");
    profile.Remove("PrinterPorts", "b");
    profile.Set("PrinterPorts", "c", "4");
    profile.Set("PrinterPorts", "D", "5");
    std::size_t count = 0;
    const auto buffer = ReadKeyList(profile, 8, &count);
    EXPECT_EQ(buffer, std::string("A\0C\0D\0\0 ", 8));
    EXPECT_EQ(profile.Get("PrinterPorts", "C"), "4");
}

TEST(FakeRegistry, NamesIgnoreCaseAndReadOnlyRootsRefuseWrites) {
    FakeRegistry registry;
    registry.readOnlyRoots.insert(RegistryRoot::LocalMachine);
    EXPECT_TRUE(registry.SetString(RegistryRoot::CurrentUser, "Software\\A", "Desktop", "1"));
    EXPECT_FALSE(registry.SetString(RegistryRoot::LocalMachine, "Software\\A", "Desktop", "1"));
    const auto value = registry.Query(RegistryRoot::CurrentUser, "software\\a", "DESKTOP");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, platform::kRegSz);
    EXPECT_EQ(value->data, "1");
    EXPECT_FALSE(registry.Query(RegistryRoot::LocalMachine, "software\\a", "desktop").has_value());
    EXPECT_EQ(registry.writes.size(), 2u);
}

TEST(FakeSpooler, ConnectionReadsAndWritesItsPrinter) {
    FakeSpooler spooler;
    spooler.Add("Laser", "drv", "LPT1:", platform::kPrinterAttributeDefault);
    spooler.Add("Inkjet", "drv", "LPT2:");
    EXPECT_EQ(spooler.Open("Nothing", platform::kPrinterAllAccess), nullptr);
    spooler.failOpen.insert("laser");
    EXPECT_EQ(spooler.Open("Laser", platform::kPrinterAllAccess), nullptr);
    {
        auto connection = spooler.Open("inkjet", platform::kPrinterAllAccess);
        ASSERT_NE(connection, nullptr);
        EXPECT_EQ(spooler.openConnections, 1);
        const auto view = connection->ReadInfo5();
        ASSERT_TRUE(view.has_value());
        EXPECT_STREQ(view->printerName, "Inkjet");
        EXPECT_STREQ(view->portName, "LPT2:");
        EXPECT_EQ(connection->WriteInfo5({"Inkjet", "LPT2:", platform::kPrinterAttributeDefault,
                                          15000, 45000}),
                  0u);
    }
    EXPECT_EQ(spooler.openConnections, 0);
    EXPECT_EQ(spooler.Find("Inkjet")->info5.attributes, platform::kPrinterAttributeDefault);
    EXPECT_EQ(spooler.Find("Laser")->info5.attributes, 0u);
    EXPECT_EQ(spooler.opened.size(), 3u);
}

TEST(FakeSpooler, FailedWriteKeepsAttributes) {
    FakeSpooler spooler;
    spooler.Add("Laser", "drv", "LPT1:");
    spooler.setPrinterError = 5;
    auto connection = spooler.Open("Laser", 0);
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(connection->WriteInfo5({"Laser", "LPT1:", 4, 0, 0}), 5u);
    EXPECT_EQ(spooler.Find("Laser")->info5.attributes, 0u);
    EXPECT_EQ(spooler.writes.size(), 1u);
    spooler.failRead = true;
    EXPECT_FALSE(connection->ReadInfo5().has_value());
}

TEST(FakeFiles, ListMatchesWildcardsInTheFolderOnly) {
    FakeFiles files;
    files.AddFile("C:\\Start\\Quillon Laser.lnk");
    files.AddFile("C:\\Start\\hidden.lnk", "", true);
    files.AddFile("C:\\Start\\Sub\\deep.lnk");
    files.AddFile("c:/start/notes.txt");
    files.AddFile("C:\\Start\\a.lnk");
    EXPECT_EQ(files.List("c:\\START\\*.LNK", false),
              (std::vector<std::string>{"Quillon Laser.lnk", "a.lnk"}));
    EXPECT_EQ(files.List("C:\\Start\\*.lnk", true),
              (std::vector<std::string>{"Quillon Laser.lnk", "hidden.lnk", "a.lnk"}));
    EXPECT_EQ(files.List("C:\\Start\\?.lnk", false), std::vector<std::string>{"a.lnk"});
    EXPECT_EQ(files.List("C:\\Start\\*", false).size(), 3u);
}

TEST(FakeFiles, AppendDeleteAndReadOnlyFolders) {
    FakeFiles files;
    EXPECT_TRUE(files.Append("C:\\Log\\q.log", "one"));
    EXPECT_TRUE(files.Append("c:\\log\\Q.LOG", "two"));
    EXPECT_EQ(files.Content("C:\\Log\\q.log"), "onetwo");
    files.readOnlyFolders.insert("C:\\LOG");
    EXPECT_FALSE(files.Append("C:\\Log\\q.log", "three"));
    EXPECT_FALSE(files.Delete("C:\\Log\\q.log"));
    files.readOnlyFolders.clear();
    EXPECT_TRUE(files.Delete("C:\\Log\\Q.log"));
    EXPECT_FALSE(files.Exists("C:\\Log\\q.log"));
    EXPECT_FALSE(files.Delete("C:\\Log\\q.log"));
    EXPECT_EQ(files.deleted, std::vector<std::string>{"C:\\Log\\q.log"});
}

}  // namespace
}  // namespace quillon::fakes
