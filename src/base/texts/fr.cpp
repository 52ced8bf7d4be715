// French, in the words of French Windows: imprimante, imprimante par
// défaut, raccourci, Démarrage, administrateur. A no-break space stands
// before "!", "?" and ":" as French typesetting has it.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kFrench{
    .Info = "Information",
    .Error = "Erreur",
    .Success = "Opération réussie",
    .Yes = "Oui",
    .No = "Non",
    .OK = "&OK",
    .Cancel = "&Annuler",
    .PrintersListName = "Imprimantes",
    .SetAsDefault = "&Définir par défaut",
    .CreateDesktopShortcut = "&Créer un raccourci sur le Bureau",
    .AddToStartup = "&Ajouter au Démarrage",
    .About = "À &propos",
    .Quit = "&Quitter",
    .ShortcutCreated = "Le raccourci a été créé avec succès\u00a0!",
    .ShortcutNotCreated = "Erreur lors de la création du raccourci.",
    .AddedToStartup = "Ajouté au Démarrage avec succès\u00a0!",
    .NotAddedToStartup = "Erreur lors de l’ajout au Démarrage.",
    .SpoolerRefused = "SetPrinterFailed. Code d’erreur\u00a0: %1",
    .DefaultNotSet = "Impossible de définir %1 comme imprimante par défaut.",
    .SetupCaption = "Configuration de Quillon",
    .AskDesktop = "Voulez-vous activer l’option de création de raccourcis sur le Bureau\u00a0?",
    .AskStartup = "Voulez-vous activer l’option de création d’un raccourci dans le groupe Démarrage\u00a0?",
    .AskStartupAll = "Voulez-vous activer l’option Tous les utilisateurs pour le raccourci du groupe Démarrage\u00a0?",
    .StartupUsersCaption = "Ajouter au Démarrage",
    .AddToStartupFor = "Ajouter au Démarrage pour\u00a0:",
    .CurrentUserOnly = "&Utilisateur actuel uniquement",
    .AllUsers = "&Tous les utilisateurs",
    .DefaultSet = "L’imprimante par défaut est désormais %1.",
    .AboutCaption = "À propos",
    .TechSupport = "Support technique\u00a0:",
    .Web = "Web\u00a0:",
    .EMail = "E-mail\u00a0:",
    .AboutOK = "OK",
    .SystemInfo = "&Informations système...",
    .SystemInfoUnavailable = "Les informations système ne sont pas disponibles pour le moment",
    .AboutTitle = "À propos de %1",
    .VersionPrefix = "Version ",
    .BuildPrefix = " build ",
    .CouldNotStartMail = "Impossible de démarrer le programme de messagerie\u00a0!",
    .CouldNotStartBrowser = "Impossible de démarrer le navigateur\u00a0!",
    .StartupForAllNeedsAdministrator =
        "Pour ajouter au Démarrage de tous les utilisateurs, vous devez exécuter Quillon en tant qu’administrateur\u00a0!",
    .NoStartupFolderName = "Impossible de déterminer le nom du dossier Démarrage\u00a0!",
    .RemovalForAllNeedsAdministrator =
        "Pour supprimer l’ancien raccourci de TOUS LES UTILISATEURS, vous devez exécuter Quillon en tant qu’administrateur\u00a0!",
    .ShortcutName = "Définir %1 comme imprimante par défaut",
};

}  // namespace quillon::texts
