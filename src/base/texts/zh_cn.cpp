// Chinese in simplified characters, in the words of Chinese Windows:
// 打印机, 默认打印机, 快捷方式, 启动, 管理员. Access keys are Latin letters in
// parentheses after the caption, as Chinese Windows writes them.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kChineseSimplified{
    .Info = "信息",
    .Error = "错误",
    .Success = "成功",
    .Yes = "是",
    .No = "否",
    .OK = "确定(&O)",
    .Cancel = "取消(&C)",
    .PrintersListName = "打印机",
    .SetAsDefault = "设为默认打印机(&S)",
    .CreateDesktopShortcut = "创建桌面快捷方式(&C)",
    .AddToStartup = "添加到启动(&A)",
    .About = "关于(&B)",
    .Quit = "退出(&Q)",
    .ShortcutCreated = "已成功创建快捷方式！",
    .ShortcutNotCreated = "创建快捷方式时出错。",
    .AddedToStartup = "已成功添加到启动！",
    .NotAddedToStartup = "添加到启动时出错。",
    .SpoolerRefused = "SetPrinterFailed。错误代码: %1",
    .DefaultNotSet = "无法将默认打印机设置为 %1。",
    .SetupCaption = "Quillon 设置",
    .AskDesktop = "是否启用创建桌面快捷方式的选项？",
    .AskStartup = "是否启用在启动组中创建快捷方式的选项？",
    .AskStartupAll = "是否为启动组中的快捷方式启用“所有用户”选项？",
    .StartupUsersCaption = "添加到启动",
    .AddToStartupFor = "添加到以下用户的启动:",
    .CurrentUserOnly = "仅当前用户(&U)",
    .AllUsers = "所有用户(&A)",
    .DefaultSet = "默认打印机已设置为 %1。",
    .AboutCaption = "关于",
    .TechSupport = "技术支持:",
    .Web = "网站:",
    .EMail = "电子邮件:",
    .AboutOK = "确定",
    .SystemInfo = "系统信息(&S)...",
    .SystemInfoUnavailable = "系统信息当前不可用",
    .AboutTitle = "关于 %1",
    .VersionPrefix = "版本 ",
    .BuildPrefix = " 内部版本 ",
    .CouldNotStartMail = "无法启动电子邮件程序！",
    .CouldNotStartBrowser = "无法启动浏览器！",
    .StartupForAllNeedsAdministrator = "若要为所有用户添加到启动，必须以管理员身份运行 Quillon！",
    .NoStartupFolderName = "无法确定启动文件夹的名称！",
    .RemovalForAllNeedsAdministrator = "若要从所有用户中删除旧的快捷方式，必须以管理员身份运行 Quillon！",
    .ShortcutName = "将默认打印机设置为 %1",
};

}  // namespace quillon::texts
