#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "version.h"

// Every text the user reads: window and control captions, messages and the
// titles of their boxes, the names of the shortcuts. Kept in one place so
// that they can be reviewed together and translated: Texts declares the
// entries, and each language fills them in a file of its own under
// base/texts/ (en.cpp is the program as it was written). Log lines,
// registry names and switches are not for the user's eyes and stay with
// their code.
//
// The translations are UTF-8. A run takes one language's texts, written in
// its active code page (base/catalogue.h), and the windows, handlers and
// notices read them from there.
namespace quillon::texts {

// The program's name, the same in every language.
inline constexpr std::string_view ProgramTitle = QUILLON_TITLE;
// The description of the desktop shortcut.
inline constexpr std::string_view DesktopShortcutDescription = QUILLON_TITLE;

// The entries of one language. A "&" marks the access key of a caption;
// within one window no two captions may share one. "%1" stands for the
// text a message is about (a printer's name, an error code, the program's
// name), and Fill puts it in.
struct Texts {
    // Titles of message boxes.
    std::string_view Info;
    std::string_view Error;
    std::string_view Success;

    // Captions shared by several windows.
    std::string_view Yes;
    std::string_view No;
    std::string_view OK;
    std::string_view Cancel;

    // frmQuillon
    std::string_view PrintersListName;
    std::string_view SetAsDefault;
    std::string_view CreateDesktopShortcut;
    std::string_view AddToStartup;
    std::string_view About;
    std::string_view Quit;
    std::string_view PerNetwork;
    std::string_view ShortcutCreated;
    std::string_view ShortcutNotCreated;
    std::string_view AddedToStartup;
    std::string_view NotAddedToStartup;
    std::string_view SpoolerRefused;  // %1: the spooler's error code
    std::string_view DefaultNotSet;   // %1: the printer
    // A network printer as the list shows it, in the words Windows uses
    // for it; %1: the printer, %2: its server.
    std::string_view PrinterOnServer;

    // frmSetup
    std::string_view SetupCaption;
    std::string_view AskDesktop;
    std::string_view AskStartup;
    std::string_view AskStartupAll;

    // frmStartupUsers
    std::string_view StartupUsersCaption;
    std::string_view AddToStartupFor;
    std::string_view CurrentUserOnly;
    std::string_view AllUsers;

    // frmNetworkPrinters
    std::string_view NetworkPrintersCaption;
    std::string_view SameDefault;
    std::string_view ChangeWithNetwork;
    std::string_view NetworkPrintersListName;
    std::string_view NetworkPrinterRow;  // %1: the network, %2: its printer
    std::string_view ConnectedNetwork;   // %1: the network
    std::string_view NetworkLabel;
    std::string_view PrinterLabel;
    std::string_view AddNetworkPrinter;
    std::string_view RemoveNetworkPrinter;
    std::string_view NetworkPrintersNotStored;
    std::string_view AdministratorPlaceRule;  // %1: the administrator's rule, %2: its printer

    // frmSuccess
    std::string_view DefaultSet;  // %1: the printer

    // frmAbout
    std::string_view AboutCaption;
    std::string_view TechSupport;
    std::string_view Web;
    std::string_view EMail;
    std::string_view AboutOK;
    std::string_view SystemInfo;
    std::string_view SystemInfoUnavailable;
    std::string_view AboutTitle;  // %1: the program's title
    std::string_view VersionPrefix;
    std::string_view BuildPrefix;
    std::string_view CouldNotStartMail;
    std::string_view CouldNotStartBrowser;

    // Notices of the shortcuts.
    std::string_view StartupForAllNeedsAdministrator;
    std::string_view NoStartupFolderName;
    std::string_view RemovalForAllNeedsAdministrator;
    // The file name of every shortcut the program makes; %1: the list
    // entry. A shortcut name drops / \ : * ? " < > | ', so a translation
    // uses none of them.
    std::string_view ShortcutName;

    // The sign-out screen, beside the program, while the window started with
    // "/noquit" refuses to close: short, as the user reads it in passing.
    std::string_view SessionEndRefused;
    // What a screen reader names a link's default action.
    std::string_view LinkDefaultAction;
    // The notice before Windows' management of the default printer is
    // turned off.
    std::string_view WindowsStopsManagingDefault;
    // The usage box of "/?". The switches and the exit codes themselves are
    // the same in every language.
    std::string_view UsageArguments;
    std::string_view UsagePrinter;
    std::string_view UsageSwitches;
    std::string_view UsageQuiet;
    std::string_view UsageNoGui;
    std::string_view UsageNoQuit;
    std::string_view UsageDelay;
    std::string_view UsageSetup;
    std::string_view UsageEnable;
    std::string_view UsageDisableAll;
    std::string_view UsageNetwork;
    std::string_view UsageRemoveTasks;
    std::string_view UsageUncPath;
    std::string_view UsageHelp;
    std::string_view UsageExitCodes;
    std::string_view ExitCodeSet;
    std::string_view ExitCodeNoMatch;
    std::string_view ExitCodeNotSet;
    std::string_view ExitCodeCancelled;
};

// Every entry by its name, so that a translation can be walked entry by
// entry. A new entry of Texts gets a line here too.
struct Entry {
    std::string_view name;
    std::string_view Texts::*text;
};

inline constexpr Entry kEntries[] = {
    {"Info", &Texts::Info},
    {"Error", &Texts::Error},
    {"Success", &Texts::Success},
    {"Yes", &Texts::Yes},
    {"No", &Texts::No},
    {"OK", &Texts::OK},
    {"Cancel", &Texts::Cancel},
    {"PrintersListName", &Texts::PrintersListName},
    {"SetAsDefault", &Texts::SetAsDefault},
    {"CreateDesktopShortcut", &Texts::CreateDesktopShortcut},
    {"AddToStartup", &Texts::AddToStartup},
    {"About", &Texts::About},
    {"Quit", &Texts::Quit},
    {"PerNetwork", &Texts::PerNetwork},
    {"ShortcutCreated", &Texts::ShortcutCreated},
    {"ShortcutNotCreated", &Texts::ShortcutNotCreated},
    {"AddedToStartup", &Texts::AddedToStartup},
    {"NotAddedToStartup", &Texts::NotAddedToStartup},
    {"SpoolerRefused", &Texts::SpoolerRefused},
    {"DefaultNotSet", &Texts::DefaultNotSet},
    {"PrinterOnServer", &Texts::PrinterOnServer},
    {"SetupCaption", &Texts::SetupCaption},
    {"AskDesktop", &Texts::AskDesktop},
    {"AskStartup", &Texts::AskStartup},
    {"AskStartupAll", &Texts::AskStartupAll},
    {"StartupUsersCaption", &Texts::StartupUsersCaption},
    {"AddToStartupFor", &Texts::AddToStartupFor},
    {"CurrentUserOnly", &Texts::CurrentUserOnly},
    {"AllUsers", &Texts::AllUsers},
    {"NetworkPrintersCaption", &Texts::NetworkPrintersCaption},
    {"SameDefault", &Texts::SameDefault},
    {"ChangeWithNetwork", &Texts::ChangeWithNetwork},
    {"NetworkPrintersListName", &Texts::NetworkPrintersListName},
    {"NetworkPrinterRow", &Texts::NetworkPrinterRow},
    {"ConnectedNetwork", &Texts::ConnectedNetwork},
    {"NetworkLabel", &Texts::NetworkLabel},
    {"PrinterLabel", &Texts::PrinterLabel},
    {"AddNetworkPrinter", &Texts::AddNetworkPrinter},
    {"RemoveNetworkPrinter", &Texts::RemoveNetworkPrinter},
    {"NetworkPrintersNotStored", &Texts::NetworkPrintersNotStored},
    {"AdministratorPlaceRule", &Texts::AdministratorPlaceRule},
    {"DefaultSet", &Texts::DefaultSet},
    {"AboutCaption", &Texts::AboutCaption},
    {"TechSupport", &Texts::TechSupport},
    {"Web", &Texts::Web},
    {"EMail", &Texts::EMail},
    {"AboutOK", &Texts::AboutOK},
    {"SystemInfo", &Texts::SystemInfo},
    {"SystemInfoUnavailable", &Texts::SystemInfoUnavailable},
    {"AboutTitle", &Texts::AboutTitle},
    {"VersionPrefix", &Texts::VersionPrefix},
    {"BuildPrefix", &Texts::BuildPrefix},
    {"CouldNotStartMail", &Texts::CouldNotStartMail},
    {"CouldNotStartBrowser", &Texts::CouldNotStartBrowser},
    {"StartupForAllNeedsAdministrator", &Texts::StartupForAllNeedsAdministrator},
    {"NoStartupFolderName", &Texts::NoStartupFolderName},
    {"RemovalForAllNeedsAdministrator", &Texts::RemovalForAllNeedsAdministrator},
    {"ShortcutName", &Texts::ShortcutName},
    {"SessionEndRefused", &Texts::SessionEndRefused},
    {"LinkDefaultAction", &Texts::LinkDefaultAction},
    {"WindowsStopsManagingDefault", &Texts::WindowsStopsManagingDefault},
    {"UsageArguments", &Texts::UsageArguments},
    {"UsagePrinter", &Texts::UsagePrinter},
    {"UsageSwitches", &Texts::UsageSwitches},
    {"UsageQuiet", &Texts::UsageQuiet},
    {"UsageNoGui", &Texts::UsageNoGui},
    {"UsageNoQuit", &Texts::UsageNoQuit},
    {"UsageDelay", &Texts::UsageDelay},
    {"UsageSetup", &Texts::UsageSetup},
    {"UsageEnable", &Texts::UsageEnable},
    {"UsageDisableAll", &Texts::UsageDisableAll},
    {"UsageNetwork", &Texts::UsageNetwork},
    {"UsageRemoveTasks", &Texts::UsageRemoveTasks},
    {"UsageUncPath", &Texts::UsageUncPath},
    {"UsageHelp", &Texts::UsageHelp},
    {"UsageExitCodes", &Texts::UsageExitCodes},
    {"ExitCodeSet", &Texts::ExitCodeSet},
    {"ExitCodeNoMatch", &Texts::ExitCodeNoMatch},
    {"ExitCodeNotSet", &Texts::ExitCodeNotSet},
    {"ExitCodeCancelled", &Texts::ExitCodeCancelled},
};
static_assert(sizeof(Texts) == std::size(kEntries) * sizeof(std::string_view),
              "every entry of Texts needs its line in kEntries");

// One language the program speaks: its name as Windows gives it ("de-DE")
// and its texts.
struct Translation {
    std::string_view tag;
    const Texts& texts;
};

// The languages, English first. A new language is a file of base/texts/
// and a row of this table (base/texts/languages.cpp).
std::span<const Translation> Translations();
const Texts& English();

// The entry with the value in place of its "%1". The value is put in as it
// is, so a "%1" inside it stays.
std::string Fill(std::string_view entry, std::string_view value);
// The same with two values, for "%1" and "%2", which a language may write
// in either order.
std::string Fill(std::string_view entry, std::string_view first, std::string_view second);

}  // namespace quillon::texts
