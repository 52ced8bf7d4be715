// Spanish, in the words of Spanish Windows: impresora, impresora
// predeterminada, acceso directo, Inicio, administrador.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kSpanish{
    .Info = "Información",
    .Error = "Error",
    .Success = "Operación correcta",
    .Yes = "Sí",
    .No = "No",
    .OK = "&Aceptar",
    .Cancel = "&Cancelar",
    .PrintersListName = "Impresoras",
    .SetAsDefault = "Establecer como &predeterminada",
    .CreateDesktopShortcut = "&Crear acceso directo en el escritorio",
    .AddToStartup = "&Agregar a Inicio",
    .About = "Acerca &de",
    .Quit = "&Salir",
    .ShortcutCreated = "¡El acceso directo se creó correctamente!",
    .ShortcutNotCreated = "Error al crear el acceso directo.",
    .AddedToStartup = "¡Se agregó a Inicio correctamente!",
    .NotAddedToStartup = "Error al agregar a Inicio.",
    .SpoolerRefused = "SetPrinterFailed. Código de error: %1",
    .DefaultNotSet = "No se pudo establecer %1 como impresora predeterminada.",
    .SetupCaption = "Configuración de Quillon",
    .AskDesktop = "¿Desea habilitar la opción de crear accesos directos en el escritorio?",
    .AskStartup = "¿Desea habilitar la opción de crear un acceso directo en el grupo Inicio?",
    .AskStartupAll = "¿Desea habilitar la opción Todos los usuarios para el acceso directo del grupo Inicio?",
    .StartupUsersCaption = "Agregar a Inicio",
    .AddToStartupFor = "Agregar a Inicio para:",
    .CurrentUserOnly = "Solo el &usuario actual",
    .AllUsers = "&Todos los usuarios",
    .DefaultSet = "Se estableció %1 como impresora predeterminada.",
    .AboutCaption = "Acerca de",
    .TechSupport = "Soporte técnico:",
    .Web = "Web:",
    .EMail = "Correo electrónico:",
    .AboutOK = "Aceptar",
    .SystemInfo = "&Información del sistema...",
    .SystemInfoUnavailable = "La información del sistema no está disponible en este momento",
    .AboutTitle = "Acerca de %1",
    .VersionPrefix = "Versión ",
    .BuildPrefix = " compilación ",
    .CouldNotStartMail = "¡No se pudo iniciar el programa de correo electrónico!",
    .CouldNotStartBrowser = "¡No se pudo iniciar el explorador!",
    .StartupForAllNeedsAdministrator =
        "¡Para agregar a Inicio para todos los usuarios, debe ejecutar Quillon como administrador!",
    .NoStartupFolderName = "¡No se pudo determinar el nombre de la carpeta Inicio!",
    .RemovalForAllNeedsAdministrator =
        "¡Para quitar el acceso directo anterior de TODOS LOS USUARIOS, debe ejecutar Quillon como administrador!",
    .ShortcutName = "Establecer %1 como impresora predeterminada",
};

}  // namespace quillon::texts
