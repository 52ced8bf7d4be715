// German, in the words of German Windows: Drucker, Standarddrucker,
// Verknüpfung, Autostart, Administrator.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kGerman{
    .Info = "Information",
    .Error = "Fehler",
    .Success = "Erfolg",
    .Yes = "Ja",
    .No = "Nein",
    .OK = "&OK",
    .Cancel = "&Abbrechen",
    .PrintersListName = "Drucker",
    .SetAsDefault = "Als &Standard festlegen",
    .CreateDesktopShortcut = "&Desktopverknüpfung erstellen",
    .AddToStartup = "Zu Autostart &hinzufügen",
    .About = "&Info",
    .Quit = "&Beenden",
    .ShortcutCreated = "Die Verknüpfung wurde erstellt!",
    .ShortcutNotCreated = "Fehler beim Erstellen der Verknüpfung.",
    .AddedToStartup = "Erfolgreich zu Autostart hinzugefügt!",
    .NotAddedToStartup = "Fehler beim Hinzufügen zu Autostart.",
    .SpoolerRefused = "SetPrinterFailed. Fehlercode: %1",
    .DefaultNotSet = "Der Standarddrucker konnte nicht auf %1 festgelegt werden.",
    .SetupCaption = "Quillon-Setup",
    .AskDesktop = "Möchten Sie die Option zum Erstellen von Desktopverknüpfungen aktivieren?",
    .AskStartup = "Möchten Sie die Option zum Erstellen einer Verknüpfung in der Autostartgruppe aktivieren?",
    .AskStartupAll = "Möchten Sie für die Verknüpfung in der Autostartgruppe die Option „Alle Benutzer“ aktivieren?",
    .StartupUsersCaption = "Zu Autostart hinzufügen",
    .AddToStartupFor = "Zu Autostart hinzufügen für:",
    .CurrentUserOnly = "Nur aktueller &Benutzer",
    .AllUsers = "A&lle Benutzer",
    .DefaultSet = "Der Standarddrucker wurde auf %1 festgelegt.",
    .AboutCaption = "Info",
    .TechSupport = "Technischer Support:",
    .Web = "Web:",
    .EMail = "E-Mail:",
    .AboutOK = "OK",
    .SystemInfo = "&Systeminformationen...",
    .SystemInfoUnavailable = "Die Systeminformationen sind zurzeit nicht verfügbar",
    .AboutTitle = "Info über %1",
    .VersionPrefix = "Version ",
    .BuildPrefix = " Build ",
    .CouldNotStartMail = "Das E-Mail-Programm konnte nicht gestartet werden!",
    .CouldNotStartBrowser = "Der Browser konnte nicht gestartet werden!",
    .StartupForAllNeedsAdministrator =
        "Um für alle Benutzer zu Autostart hinzuzufügen, müssen Sie Quillon als Administrator ausführen!",
    .NoStartupFolderName = "Der Name des Autostartordners konnte nicht ermittelt werden!",
    .RemovalForAllNeedsAdministrator =
        "Um alte Verknüpfungen bei ALLEN BENUTZERN zu entfernen, müssen Sie Quillon als Administrator ausführen!",
    .ShortcutName = "Standarddrucker auf %1 festlegen",
};

}  // namespace quillon::texts
