#pragma once

#include <string>
#include <string_view>

#include "version.h"

// Every text the user reads: window and control captions, messages and the
// titles of their boxes. Kept in one place so that they can be reviewed
// together, and so that a translation of the program plugs in here: it
// replaces these entries and nothing else. Log lines, registry names and
// switches are not for the user's eyes and stay with their code.
namespace quillon::texts {

inline constexpr std::string_view ProgramTitle = QUILLON_TITLE;

// Titles of message boxes.
inline constexpr std::string_view Info = "Info";
inline constexpr std::string_view Error = "Error";
inline constexpr std::string_view Success = "Success";

// Captions shared by several windows.
inline constexpr std::string_view Yes = "Yes";
inline constexpr std::string_view No = "No";
inline constexpr std::string_view OK = "&OK";
inline constexpr std::string_view Cancel = "&Cancel";

// frmQuillon
inline constexpr std::string_view PrintersListName = "Printers";
inline constexpr std::string_view SetAsDefault = "&Set as default";
inline constexpr std::string_view CreateDesktopShortcut = "&Create desktop shortcut";
inline constexpr std::string_view AddToStartup = "&Add to startup";
inline constexpr std::string_view About = "A&bout";
inline constexpr std::string_view Quit = "&Quit";
inline constexpr std::string_view ShortcutCreated = "Shortcut created successfully!";
inline constexpr std::string_view ShortcutNotCreated = "Error creating shortcut.";
inline constexpr std::string_view AddedToStartup = "Successfully added to startup!";
inline constexpr std::string_view NotAddedToStartup = "Error adding to startup.";
inline std::string SpoolerRefused(std::string_view errorCode) {
    return "SetPrinterFailed. Error code: " + std::string(errorCode);
}
inline std::string DefaultNotSet(std::string_view printer) {
    return "The default printer could not be set to " + std::string(printer) + ".";
}

// frmSetup
inline constexpr std::string_view SetupCaption = "Quillon Setup";
inline constexpr std::string_view AskDesktop =
    "Do you want to enable the option to create desktop shortcuts?";
inline constexpr std::string_view AskStartup =
    "Do you want to enable the option to create a startup group shortcut?";
inline constexpr std::string_view AskStartupAll =
    "Do you want to enable the all users option in the startup group shortcut?";

// frmStartupUsers
inline constexpr std::string_view StartupUsersCaption = "Add To Startup";
inline constexpr std::string_view AddToStartupFor = "Add to startup for:";
inline constexpr std::string_view CurrentUserOnly = "C&urrent User Only";
inline constexpr std::string_view AllUsers = "&All Users";

// frmSuccess
inline std::string DefaultSet(std::string_view printer) {
    return "The default printer has been set to " + std::string(printer) + ".";
}

// frmAbout
inline constexpr std::string_view AboutCaption = "About";
inline constexpr std::string_view TechSupport = "Tech Support:";
inline constexpr std::string_view Web = "Web:";
inline constexpr std::string_view EMail = "E-Mail:";
inline constexpr std::string_view AboutOK = "OK";
inline constexpr std::string_view SystemInfo = "&System Info...";
inline constexpr std::string_view SystemInfoUnavailable =
    "System Information Is Unavailable At This Time";
inline constexpr std::string_view AboutPrefix = "About ";
inline constexpr std::string_view VersionPrefix = "Version ";
inline constexpr std::string_view BuildPrefix = " build ";
inline constexpr std::string_view CouldNotStartMail = "Could not start e-mail program!";
inline constexpr std::string_view CouldNotStartBrowser = "Could not start browser!";

// Notices of the shortcuts.
inline constexpr std::string_view StartupForAllNeedsAdministrator =
    "To add to startup for all users, you must run Quillon as Administator!";
inline constexpr std::string_view NoStartupFolderName = "Could not determine startup folder name!";
inline constexpr std::string_view RemovalForAllNeedsAdministrator =
    "To remove old shortcut from ALL USERS, you must run Quillon as Administator!";
// The description of the desktop shortcut.
inline constexpr std::string_view DesktopShortcutDescription = QUILLON_TITLE;

// --- Sign-out ---
// What Windows shows beside the program on its sign-out and shut-down
// screen while the window, started with "/noquit", refuses to close: kept
// short, as the user reads it in passing.
inline constexpr std::string_view SessionEndRefused = "Waiting for you to choose a default printer.";
// --- end of sign-out ---

// Windows' own rules: the notice before Windows' management of the default
// printer is turned off, and the usage box of "/?". The switches and the
// exit codes themselves stay as they are in every language.
inline constexpr std::string_view WindowsStopsManagingDefault =
    "Setting this printer as default means Windows will stop managing your default printer.";
inline constexpr std::string_view UsageArguments = "[printer] [switches]";
inline constexpr std::string_view UsagePrinter =
    "printer: the first printer whose name begins with this text, in any letter case; with ? "
    "or * in it, a pattern for the whole name. Without one, or when none matches, the printer "
    "window opens.";
inline constexpr std::string_view UsageSwitches = "Switches:";
inline constexpr std::string_view UsageQuiet = "Shows no confirmation after the printer is set.";
inline constexpr std::string_view UsageNoGui =
    "Ends with exit code 1 instead of opening the window when no printer matches.";
inline constexpr std::string_view UsageNoQuit = "Hides the Quit button of the window.";
inline constexpr std::string_view UsageDelay =
    "Waits N seconds (at most 600) before reading the printers.";
inline constexpr std::string_view UsageSetup = "Opens the setup window.";
inline constexpr std::string_view UsageEnable =
    "Offer the desktop shortcut, the Startup shortcut, its all-users choice, or all three, "
    "for this run.";
inline constexpr std::string_view UsageDisableAll = "Withholds all three for this run.";
inline constexpr std::string_view UsageUncPath =
    "Lists network printers without or with the name of their server.";
inline constexpr std::string_view UsageHelp = "Shows this help.";
inline constexpr std::string_view UsageExitCodes = "Exit codes:";
inline constexpr std::string_view ExitCodeSet = "The printer was set, or the window was closed.";
inline constexpr std::string_view ExitCodeNoMatch =
    "No printer matched, with /nogui or where nobody can see a window.";
inline constexpr std::string_view ExitCodeNotSet =
    "The printer could not be set, or the notice about Windows' management was cancelled.";

}  // namespace quillon::texts
