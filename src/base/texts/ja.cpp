// Japanese, in the words of Japanese Windows: プリンター, 既定のプリンター,
// ショートカット, スタートアップ, 管理者. Access keys are Latin letters in
// parentheses after the caption, as Japanese Windows writes them.
#include "base/texts.h"

namespace quillon::texts {

extern const Texts kJapanese{
    .Info = "情報",
    .Error = "エラー",
    .Success = "完了",
    .Yes = "はい",
    .No = "いいえ",
    .OK = "&OK",
    .Cancel = "キャンセル(&C)",
    .PrintersListName = "プリンター",
    .SetAsDefault = "既定に設定(&S)",
    .CreateDesktopShortcut = "デスクトップ ショートカットを作成(&C)",
    .AddToStartup = "スタートアップに追加(&A)",
    .About = "バージョン情報(&B)",
    .Quit = "終了(&Q)",
    .ShortcutCreated = "ショートカットを作成しました。",
    .ShortcutNotCreated = "ショートカットの作成中にエラーが発生しました。",
    .AddedToStartup = "スタートアップに追加しました。",
    .NotAddedToStartup = "スタートアップへの追加中にエラーが発生しました。",
    .SpoolerRefused = "SetPrinterFailed。エラー コード: %1",
    .DefaultNotSet = "既定のプリンターを %1 に設定できませんでした。",
    .SetupCaption = "Quillon セットアップ",
    .AskDesktop = "デスクトップ ショートカットを作成するオプションを有効にしますか?",
    .AskStartup = "スタートアップ グループにショートカットを作成するオプションを有効にしますか?",
    .AskStartupAll = "スタートアップ グループのショートカットで [すべてのユーザー] オプションを有効にしますか?",
    .StartupUsersCaption = "スタートアップに追加",
    .AddToStartupFor = "追加する対象:",
    .CurrentUserOnly = "現在のユーザーのみ(&U)",
    .AllUsers = "すべてのユーザー(&A)",
    .DefaultSet = "既定のプリンターを %1 に設定しました。",
    .AboutCaption = "バージョン情報",
    .TechSupport = "テクニカル サポート:",
    .Web = "Web:",
    .EMail = "電子メール:",
    .AboutOK = "OK",
    .SystemInfo = "システム情報(&S)...",
    .SystemInfoUnavailable = "システム情報は現在利用できません",
    .AboutTitle = "%1 のバージョン情報",
    .VersionPrefix = "バージョン ",
    .BuildPrefix = " ビルド ",
    .CouldNotStartMail = "電子メール プログラムを起動できませんでした。",
    .CouldNotStartBrowser = "ブラウザーを起動できませんでした。",
    .StartupForAllNeedsAdministrator =
        "すべてのユーザーのスタートアップに追加するには、Quillon を管理者として実行する必要があります。",
    .NoStartupFolderName = "スタートアップ フォルダーの名前を特定できませんでした。",
    .RemovalForAllNeedsAdministrator =
        "すべてのユーザーから古いショートカットを削除するには、Quillon を管理者として実行する必要があります。",
    .ShortcutName = "既定のプリンターを %1 に設定",
};

}  // namespace quillon::texts
