// Polish, in the words of Polish Windows: drukarka, drukarka domyślna,
// skrót, Autostart, administrator.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kPolish{
    .Info = "Informacja",
    .Error = "Błąd",
    .Success = "Powodzenie",
    .Yes = "Tak",
    .No = "Nie",
    .OK = "&OK",
    .Cancel = "&Anuluj",
    .PrintersListName = "Drukarki",
    .SetAsDefault = "Ustaw jako &domyślną",
    .CreateDesktopShortcut = "Utwórz &skrót na pulpicie",
    .AddToStartup = "Dodaj do &autostartu",
    .About = "&Informacje",
    .Quit = "&Zakończ",
    .ShortcutCreated = "Skrót został utworzony!",
    .ShortcutNotCreated = "Błąd podczas tworzenia skrótu.",
    .AddedToStartup = "Dodano do autostartu!",
    .NotAddedToStartup = "Błąd podczas dodawania do autostartu.",
    .SpoolerRefused = "SetPrinterFailed. Kod błędu: %1",
    .DefaultNotSet = "Nie można ustawić drukarki %1 jako drukarki domyślnej.",
    .SetupCaption = "Konfiguracja programu Quillon",
    .AskDesktop = "Czy chcesz włączyć opcję tworzenia skrótów na pulpicie?",
    .AskStartup = "Czy chcesz włączyć opcję tworzenia skrótu w grupie Autostart?",
    .AskStartupAll = "Czy chcesz włączyć opcję Wszyscy użytkownicy dla skrótu w grupie Autostart?",
    .StartupUsersCaption = "Dodaj do autostartu",
    .AddToStartupFor = "Dodaj do autostartu dla:",
    .CurrentUserOnly = "Tylko &bieżący użytkownik",
    .AllUsers = "&Wszyscy użytkownicy",
    .DefaultSet = "Drukarka domyślna została ustawiona na %1.",
    .AboutCaption = "Informacje",
    .TechSupport = "Pomoc techniczna:",
    .Web = "Witryna:",
    .EMail = "E-mail:",
    .AboutOK = "OK",
    .SystemInfo = "&Informacje o systemie...",
    .SystemInfoUnavailable = "Informacje o systemie są w tej chwili niedostępne",
    .AboutTitle = "Informacje o programie %1",
    .VersionPrefix = "Wersja ",
    .BuildPrefix = " kompilacja ",
    .CouldNotStartMail = "Nie można uruchomić programu pocztowego!",
    .CouldNotStartBrowser = "Nie można uruchomić przeglądarki!",
    .StartupForAllNeedsAdministrator =
        "Aby dodać do autostartu wszystkich użytkowników, musisz uruchomić program Quillon jako administrator!",
    .NoStartupFolderName = "Nie można ustalić nazwy folderu Autostart!",
    .RemovalForAllNeedsAdministrator =
        "Aby usunąć stary skrót WSZYSTKICH UŻYTKOWNIKÓW, musisz uruchomić program Quillon jako administrator!",
    .ShortcutName = "Ustaw %1 jako drukarkę domyślną",
};

}  // namespace quillon::texts
