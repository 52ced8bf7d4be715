// English, as the program was written; its slips ("Administator") are the
// program's own and stay.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kEnglish{
    .Info = "Info",
    .Error = "Error",
    .Success = "Success",
    .Yes = "Yes",
    .No = "No",
    .OK = "&OK",
    .Cancel = "&Cancel",
    .PrintersListName = "Printers",
    .SetAsDefault = "&Set as default",
    .CreateDesktopShortcut = "&Create desktop shortcut",
    .AddToStartup = "&Add to startup",
    .About = "A&bout",
    .Quit = "&Quit",
    .ShortcutCreated = "Shortcut created successfully!",
    .ShortcutNotCreated = "Error creating shortcut.",
    .AddedToStartup = "Successfully added to startup!",
    .NotAddedToStartup = "Error adding to startup.",
    .SpoolerRefused = "SetPrinterFailed. Error code: %1",
    .DefaultNotSet = "The default printer could not be set to %1.",
    .SetupCaption = "Quillon Setup",
    .AskDesktop = "Do you want to enable the option to create desktop shortcuts?",
    .AskStartup = "Do you want to enable the option to create a startup group shortcut?",
    .AskStartupAll = "Do you want to enable the all users option in the startup group shortcut?",
    .StartupUsersCaption = "Add To Startup",
    .AddToStartupFor = "Add to startup for:",
    .CurrentUserOnly = "C&urrent User Only",
    .AllUsers = "&All Users",
    .DefaultSet = "The default printer has been set to %1.",
    .AboutCaption = "About",
    .TechSupport = "Tech Support:",
    .Web = "Web:",
    .EMail = "E-Mail:",
    .AboutOK = "OK",
    .SystemInfo = "&System Info...",
    .SystemInfoUnavailable = "System Information Is Unavailable At This Time",
    .AboutTitle = "About %1",
    .VersionPrefix = "Version ",
    .BuildPrefix = " build ",
    .CouldNotStartMail = "Could not start e-mail program!",
    .CouldNotStartBrowser = "Could not start browser!",
    .StartupForAllNeedsAdministrator =
        "To add to startup for all users, you must run Quillon as Administator!",
    .NoStartupFolderName = "Could not determine startup folder name!",
    .RemovalForAllNeedsAdministrator =
        "To remove old shortcut from ALL USERS, you must run Quillon as Administator!",
    .ShortcutName = "Set default printer to %1",
    .SessionEndRefused = "Waiting for you to choose a default printer.",
    .WindowsStopsManagingDefault = "Setting this printer as default means Windows will stop managing your default printer.",
    .UsageArguments = "[printer] [switches]",
    .UsagePrinter = "printer: the first printer whose name begins with this text, in any letter case; with ? "
        "or * in it, a pattern for the whole name. Without one, or when none matches, the printer "
        "window opens.",
    .UsageSwitches = "Switches:",
    .UsageQuiet = "Shows no confirmation after the printer is set.",
    .UsageNoGui = "Ends with exit code 1 instead of opening the window when no printer matches.",
    .UsageNoQuit = "Hides the Quit button of the window.",
    .UsageDelay = "Waits N seconds (at most 600) before reading the printers.",
    .UsageSetup = "Opens the setup window.",
    .UsageEnable = "Offer the desktop shortcut, the Startup shortcut, its all-users choice, or all three, "
        "for this run.",
    .UsageDisableAll = "Withholds all three for this run.",
    .UsageNetwork = "Sets the printer chosen for a network connected now (your own choices first, then your administrator's); where no network has one, the printer named as well.",
    .UsageUncPath = "Lists network printers without or with the name of their server.",
    .UsageHelp = "Shows this help.",
    .UsageExitCodes = "Exit codes:",
    .ExitCodeSet = "The printer was set, or the window was closed.",
    .ExitCodeNoMatch = "No printer matched, with /nogui or where nobody can see a window.",
    .ExitCodeNotSet = "The printer could not be set, or the notice about Windows' management was cancelled.",
};

}  // namespace quillon::texts
