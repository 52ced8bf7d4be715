// Portuguese as written in Brazil, in the words of Brazilian Windows:
// impressora, impressora padrão, atalho, Inicializar, administrador.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kPortugueseBrazil{
    .Info = "Informações",
    .Error = "Erro",
    .Success = "Êxito",
    .Yes = "Sim",
    .No = "Não",
    .OK = "&OK",
    .Cancel = "&Cancelar",
    .PrintersListName = "Impressoras",
    .SetAsDefault = "Definir como &padrão",
    .CreateDesktopShortcut = "&Criar atalho na área de trabalho",
    .AddToStartup = "&Adicionar a Inicializar",
    .About = "&Sobre",
    .Quit = "Sa&ir",
    .ShortcutCreated = "Atalho criado com êxito!",
    .ShortcutNotCreated = "Erro ao criar o atalho.",
    .AddedToStartup = "Adicionado a Inicializar com êxito!",
    .NotAddedToStartup = "Erro ao adicionar a Inicializar.",
    .SpoolerRefused = "SetPrinterFailed. Código de erro: %1",
    .DefaultNotSet = "Não foi possível definir %1 como a impressora padrão.",
    .SetupCaption = "Configuração do Quillon",
    .AskDesktop = "Deseja habilitar a opção de criar atalhos na área de trabalho?",
    .AskStartup = "Deseja habilitar a opção de criar um atalho no grupo Inicializar?",
    .AskStartupAll = "Deseja habilitar a opção Todos os usuários no atalho do grupo Inicializar?",
    .StartupUsersCaption = "Adicionar a Inicializar",
    .AddToStartupFor = "Adicionar a Inicializar para:",
    .CurrentUserOnly = "Somente o &usuário atual",
    .AllUsers = "&Todos os usuários",
    .DefaultSet = "A impressora padrão foi definida como %1.",
    .AboutCaption = "Sobre",
    .TechSupport = "Suporte técnico:",
    .Web = "Web:",
    .EMail = "Email:",
    .AboutOK = "OK",
    .SystemInfo = "&Informações do Sistema...",
    .SystemInfoUnavailable = "As informações do sistema não estão disponíveis no momento",
    .AboutTitle = "Sobre o %1",
    .VersionPrefix = "Versão ",
    .BuildPrefix = " compilação ",
    .CouldNotStartMail = "Não foi possível iniciar o programa de email!",
    .CouldNotStartBrowser = "Não foi possível iniciar o navegador!",
    .StartupForAllNeedsAdministrator =
        "Para adicionar a Inicializar para todos os usuários, você deve executar o Quillon como Administrador!",
    .NoStartupFolderName = "Não foi possível determinar o nome da pasta Inicializar!",
    .RemovalForAllNeedsAdministrator =
        "Para remover o atalho antigo de TODOS OS USUÁRIOS, você deve executar o Quillon como Administrador!",
    .ShortcutName = "Definir %1 como impressora padrão",
};

}  // namespace quillon::texts
