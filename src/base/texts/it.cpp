// Italian, in the words of Italian Windows: stampante, stampante
// predefinita, collegamento, Esecuzione automatica, amministratore.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kItalian{
    .Info = "Informazioni",
    .Error = "Errore",
    .Success = "Operazione riuscita",
    .Yes = "Sì",
    .No = "No",
    .OK = "&OK",
    .Cancel = "&Annulla",
    .PrintersListName = "Stampanti",
    .SetAsDefault = "Imposta come &predefinita",
    .CreateDesktopShortcut = "&Crea collegamento sul desktop",
    .AddToStartup = "Aggiungi a Esecuzione &automatica",
    .About = "&Informazioni",
    .Quit = "&Esci",
    .ShortcutCreated = "Collegamento creato correttamente!",
    .ShortcutNotCreated = "Errore durante la creazione del collegamento.",
    .AddedToStartup = "Aggiunto a Esecuzione automatica correttamente!",
    .NotAddedToStartup = "Errore durante l'aggiunta a Esecuzione automatica.",
    .SpoolerRefused = "SetPrinterFailed. Codice di errore: %1",
    .DefaultNotSet = "Impossibile impostare %1 come stampante predefinita.",
    .SetupCaption = "Configurazione di Quillon",
    .AskDesktop = "Attivare l'opzione per creare collegamenti sul desktop?",
    .AskStartup = "Attivare l'opzione per creare un collegamento nel gruppo Esecuzione automatica?",
    .AskStartupAll = "Attivare l'opzione Tutti gli utenti per il collegamento nel gruppo Esecuzione automatica?",
    .StartupUsersCaption = "Aggiungi a Esecuzione automatica",
    .AddToStartupFor = "Aggiungi a Esecuzione automatica per:",
    .CurrentUserOnly = "Solo &utente corrente",
    .AllUsers = "&Tutti gli utenti",
    .DefaultSet = "La stampante predefinita è stata impostata su %1.",
    .AboutCaption = "Informazioni",
    .TechSupport = "Supporto tecnico:",
    .Web = "Web:",
    .EMail = "Posta elettronica:",
    .AboutOK = "OK",
    .SystemInfo = "&Informazioni di sistema...",
    .SystemInfoUnavailable = "Le informazioni di sistema non sono disponibili in questo momento",
    .AboutTitle = "Informazioni su %1",
    .VersionPrefix = "Versione ",
    .BuildPrefix = " build ",
    .CouldNotStartMail = "Impossibile avviare il programma di posta elettronica!",
    .CouldNotStartBrowser = "Impossibile avviare il browser!",
    .StartupForAllNeedsAdministrator =
        "Per aggiungere a Esecuzione automatica per tutti gli utenti, è necessario eseguire Quillon come amministratore!",
    .NoStartupFolderName = "Impossibile determinare il nome della cartella Esecuzione automatica!",
    .RemovalForAllNeedsAdministrator =
        "Per rimuovere il collegamento precedente da TUTTI GLI UTENTI, è necessario eseguire Quillon come amministratore!",
    .ShortcutName = "Imposta %1 come stampante predefinita",
};

}  // namespace quillon::texts
