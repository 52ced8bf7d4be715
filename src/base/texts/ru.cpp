// Russian, in the words of Russian Windows: принтер, принтер по умолчанию,
// ярлык, Автозагрузка, администратор.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kRussian{
    .Info = "Сведения",
    .Error = "Ошибка",
    .Success = "Готово",
    .Yes = "Да",
    .No = "Нет",
    .OK = "&ОК",
    .Cancel = "О&тмена",
    .PrintersListName = "Принтеры",
    .SetAsDefault = "&Использовать по умолчанию",
    .CreateDesktopShortcut = "Создать &ярлык на рабочем столе",
    .AddToStartup = "Добавить в &автозагрузку",
    .About = "О &программе",
    .Quit = "&Выход",
    .ShortcutCreated = "Ярлык успешно создан!",
    .ShortcutNotCreated = "Ошибка при создании ярлыка.",
    .AddedToStartup = "Успешно добавлено в автозагрузку!",
    .NotAddedToStartup = "Ошибка при добавлении в автозагрузку.",
    .SpoolerRefused = "SetPrinterFailed. Код ошибки: %1",
    .DefaultNotSet = "Не удалось назначить %1 принтером по умолчанию.",
    .SetupCaption = "Настройка Quillon",
    .AskDesktop = "Включить возможность создавать ярлыки на рабочем столе?",
    .AskStartup = "Включить возможность создавать ярлык в группе «Автозагрузка»?",
    .AskStartupAll = "Включить вариант «Для всех пользователей» для ярлыка в группе «Автозагрузка»?",
    .StartupUsersCaption = "Добавить в автозагрузку",
    .AddToStartupFor = "Добавить в автозагрузку:",
    .CurrentUserOnly = "Только &для текущего пользователя",
    .AllUsers = "Для &всех пользователей",
    .DefaultSet = "Принтером по умолчанию назначен %1.",
    .AboutCaption = "О программе",
    .TechSupport = "Техническая поддержка:",
    .Web = "Веб-сайт:",
    .EMail = "Эл. почта:",
    .AboutOK = "ОК",
    .SystemInfo = "&Сведения о системе...",
    .SystemInfoUnavailable = "Сведения о системе сейчас недоступны",
    .AboutTitle = "О программе %1",
    .VersionPrefix = "Версия ",
    .BuildPrefix = " сборка ",
    .CouldNotStartMail = "Не удалось запустить почтовую программу!",
    .CouldNotStartBrowser = "Не удалось запустить браузер!",
    .StartupForAllNeedsAdministrator =
        "Чтобы добавить в автозагрузку для всех пользователей, запустите Quillon от имени администратора!",
    .NoStartupFolderName = "Не удалось определить имя папки «Автозагрузка»!",
    .RemovalForAllNeedsAdministrator =
        "Чтобы удалить старый ярлык у ВСЕХ ПОЛЬЗОВАТЕЛЕЙ, запустите Quillon от имени администратора!",
    .ShortcutName = "Назначить %1 принтером по умолчанию",
};

}  // namespace quillon::texts
