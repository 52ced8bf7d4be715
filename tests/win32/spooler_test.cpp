#include "win32/win32_spooler.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "win32/unique_handle.h"
#include "test_support.h"

namespace quillon::platform::win32 {
namespace {

constexpr const char* kDriver = "Quillon Test Driver";
constexpr const char* kLaser = "Quillon Test Laser";
constexpr const char* kFax = "Quillon Test Fax";

constexpr const char* kPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "QLNTEST.PPD"
*Manufacturer: "Quillon"
*Product: "(Quillon Test)"
*ModelName: "Quillon Test"
*ShortNickName: "Quillon Test"
*NickName: "Quillon Test"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*OpenUI *PageSize: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*DefaultResolution: 300dpi
)ppd";

// Installs two printers of a driver of its own and removes them, the
// driver and the driver files it brought, and puts back the default printer
// that installing may have changed. The printers use Wine's PostScript
// driver, so the tests run under Wine only.
class Win32SpoolerTest : public ::testing::Test {
protected:
    Win32Spooler spooler;

    void SetUp() override {
        if (!win32_tests::RunningUnderWine()) GTEST_SKIP() << "installs a printer of Wine's driver";
        char device[1024]{};
        GetProfileStringA("windows", "device", "", device, sizeof device);
        savedDevice_ = device;

        char driverFolder[MAX_PATH]{};
        DWORD needed = 0;
        ASSERT_TRUE(GetPrinterDriverDirectoryA(nullptr, nullptr, 1,
                                               reinterpret_cast<BYTE*>(driverFolder),
                                               sizeof driverFolder, &needed));
        for (const char* name : {"\\3\\qlntest.ppd", "\\3\\wineps.drv"}) {
            const std::string path = std::string(driverFolder) + name;
            if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
                driverFilesToRemove_.push_back(path);
            }
        }

        const std::string ppd = folder_ / "qlntest.ppd";
        std::ofstream(ppd, std::ios::binary) << kPpd;
        DRIVER_INFO_3A driver{};
        driver.cVersion = 3;
        driver.pName = const_cast<char*>(kDriver);
        driver.pDriverPath = const_cast<char*>("wineps.drv");
        driver.pDataFile = const_cast<char*>(ppd.c_str());
        driver.pConfigFile = const_cast<char*>("wineps.drv");
        driver.pDefaultDataType = const_cast<char*>("RAW");
        ASSERT_TRUE(AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                                        APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
            << GetLastError();
        driverAdded_ = true;
        AddTestPrinter(kLaser, "FILE:");
        AddTestPrinter(kFax, "LPT1:");
    }

    void TearDown() override {
        for (const auto& name : printersAdded_) {
            PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
            unique_printer printer;
            if (OpenPrinterA(const_cast<char*>(name.c_str()), printer.out(), &defaults)) {
                DeletePrinter(printer.get());
            }
        }
        if (driverAdded_) DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(kDriver));
        for (const auto& path : driverFilesToRemove_) DeleteFileA(path.c_str());
        if (!savedDevice_.empty()) {
            WriteProfileStringA("windows", "device", savedDevice_.c_str());
        }
    }

    void AddTestPrinter(const char* name, const char* port) {
        PRINTER_INFO_2A info{};
        info.pPrinterName = const_cast<char*>(name);
        info.pDriverName = const_cast<char*>(kDriver);
        info.pPortName = const_cast<char*>(port);
        info.pPrintProcessor = const_cast<char*>("WinPrint");
        info.pDatatype = const_cast<char*>("RAW");
        unique_printer printer(AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info)));
        ASSERT_TRUE(printer) << name << ": " << GetLastError();
        printersAdded_.emplace_back(name);
    }

private:
    win32_tests::TempFolder folder_;
    std::string savedDevice_;
    std::vector<std::string> driverFilesToRemove_;
    bool driverAdded_ = false;
    std::vector<std::string> printersAdded_;
};

TEST_F(Win32SpoolerTest, ReadsTheLevel5RecordOfAnOpenPrinter) {
    const auto connection = spooler.Open(kLaser, kPrinterAllAccess);
    ASSERT_TRUE(connection);
    for (int read = 0; read < 2; ++read) {
        const auto info = connection->ReadInfo5();
        ASSERT_TRUE(info);
        EXPECT_STREQ(info->printerName, kLaser);
        EXPECT_STREQ(info->portName, "FILE:");
    }
    const auto fax = spooler.Open("QUILLON TEST FAX", kPrinterAllAccess);
    ASSERT_TRUE(fax);
    const auto faxInfo = fax->ReadInfo5();
    ASSERT_TRUE(faxInfo);
    EXPECT_STREQ(faxInfo->portName, "LPT1:");
}

TEST_F(Win32SpoolerTest, OpeningAPrinterThatIsNotInstalledGivesNothing) {
    EXPECT_FALSE(spooler.Open("Quillon Test Missing", kPrinterAllAccess));
    EXPECT_FALSE(spooler.Open("", kPrinterAllAccess));
}

// The write either takes effect or is reported with a code of its own:
// never a success that changed nothing, never the leftover code of an
// earlier call.
TEST_F(Win32SpoolerTest, AWriteTakesEffectOrReportsItsOwnFailure) {
    const auto connection = spooler.Open(kLaser, kPrinterAllAccess);
    ASSERT_TRUE(connection);
    const auto before = connection->ReadInfo5();
    ASSERT_TRUE(before);
    const std::uint32_t oldAttributes = before->attributes;
    const PrinterInfo5 record{before->printerName, before->portName, kPrinterAttributeDefault,
                              before->deviceNotSelectedTimeout, before->transmissionRetryTimeout};

    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    const std::uint32_t error = connection->WriteInfo5(record);

    const auto after = connection->ReadInfo5();
    ASSERT_TRUE(after);
    if (error == 0) {
        EXPECT_NE(after->attributes & kPrinterAttributeDefault, 0u);
    } else {
        EXPECT_NE(error, static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER));
        EXPECT_EQ(after->attributes, oldAttributes);
    }
}

TEST_F(Win32SpoolerTest, InstalledPrintersCarryDeviceDriverAndPort) {
    const auto printers = spooler.InstalledPrinters(true);
    const auto find = [&](const char* name) {
        return std::find_if(printers.begin(), printers.end(),
                            [&](const InstalledPrinter& p) { return p.deviceName == name; });
    };
    const auto laser = find(kLaser);
    ASSERT_NE(laser, printers.end());
    EXPECT_EQ(laser->driverName, kDriver);
    EXPECT_EQ(laser->port, "FILE:");
    const auto fax = find(kFax);
    ASSERT_NE(fax, printers.end());
    EXPECT_EQ(fax->driverName, kDriver);
    EXPECT_EQ(fax->port, "LPT1:");
}

}  // namespace
}  // namespace quillon::platform::win32
