// Dutch, in the words of Dutch Windows: printer, standaardprinter,
// snelkoppeling, Opstarten, administrator.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kDutch{
    .Info = "Informatie",
    .Error = "Fout",
    .Success = "Voltooid",
    .Yes = "Ja",
    .No = "Nee",
    .OK = "&OK",
    .Cancel = "&Annuleren",
    .PrintersListName = "Printers",
    .SetAsDefault = "Als &standaard instellen",
    .CreateDesktopShortcut = "Snelkoppeling op &bureaublad maken",
    .AddToStartup = "&Toevoegen aan Opstarten",
    .About = "&Over",
    .Quit = "&Afsluiten",
    .ShortcutCreated = "De snelkoppeling is gemaakt!",
    .ShortcutNotCreated = "Fout bij het maken van de snelkoppeling.",
    .AddedToStartup = "Toegevoegd aan Opstarten!",
    .NotAddedToStartup = "Fout bij het toevoegen aan Opstarten.",
    .SpoolerRefused = "SetPrinterFailed. Foutcode: %1",
    .DefaultNotSet = "De standaardprinter kan niet worden ingesteld op %1.",
    .SetupCaption = "Quillon instellen",
    .AskDesktop = "Wilt u de optie inschakelen om snelkoppelingen op het bureaublad te maken?",
    .AskStartup = "Wilt u de optie inschakelen om een snelkoppeling in de groep Opstarten te maken?",
    .AskStartupAll = "Wilt u de optie Alle gebruikers inschakelen voor de snelkoppeling in de groep Opstarten?",
    .StartupUsersCaption = "Toevoegen aan Opstarten",
    .AddToStartupFor = "Toevoegen aan Opstarten voor:",
    .CurrentUserOnly = "Alleen &huidige gebruiker",
    .AllUsers = "Alle &gebruikers",
    .DefaultSet = "De standaardprinter is ingesteld op %1.",
    .AboutCaption = "Over",
    .TechSupport = "Technische ondersteuning:",
    .Web = "Web:",
    .EMail = "E-mail:",
    .AboutOK = "OK",
    .SystemInfo = "&Systeeminformatie...",
    .SystemInfoUnavailable = "Systeeminformatie is op dit moment niet beschikbaar",
    .AboutTitle = "Over %1",
    .VersionPrefix = "Versie ",
    .BuildPrefix = " build ",
    .CouldNotStartMail = "Kan het e-mailprogramma niet starten!",
    .CouldNotStartBrowser = "Kan de browser niet starten!",
    .StartupForAllNeedsAdministrator =
        "Als u voor alle gebruikers wilt toevoegen aan Opstarten, moet u Quillon als administrator uitvoeren!",
    .NoStartupFolderName = "Kan de naam van de map Opstarten niet bepalen!",
    .RemovalForAllNeedsAdministrator =
        "Als u de oude snelkoppeling bij ALLE GEBRUIKERS wilt verwijderen, moet u Quillon als administrator uitvoeren!",
    .ShortcutName = "Standaardprinter instellen op %1",
};

}  // namespace quillon::texts
