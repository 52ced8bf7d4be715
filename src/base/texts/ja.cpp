// Japanese, in the words of Japanese Windows: プリンター, 既定のプリンター,
// ショートカット, スタートアップ, 管理者. Access keys are Latin letters in
// parentheses after the caption, as Japanese Windows writes them. The
// setup questions break their lines themselves: where a Japanese reader
// expects, never before a particle nor inside a bracketed name, which
// DrawText's breaks between any two characters would do.
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
    .PrinterOnServer = "%2 上の %1",
    .SetupCaption = "Quillon セットアップ",
    .AskDesktop = "デスクトップ ショートカットを作成する\nオプションを有効にしますか?",
    .AskStartup = "スタートアップ グループにショートカットを\n作成するオプションを有効にしますか?",
    .AskStartupAll = "スタートアップ グループのショートカットで\n[すべてのユーザー] オプションを\n有効にしますか?",
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
    .SessionEndRefused = "既定のプリンターの選択を待っています。",
    .WindowsStopsManagingDefault = "このプリンターを既定に設定すると、[Windows で通常使うプリンターを管理する] がオフになります。",
    .UsageArguments = "[プリンター] [スイッチ]",
    .UsagePrinter = "プリンター: 名前がこの文字列で始まる最初のプリンター (大文字と小文字は区別しません)。? または * を含む場合は、名前全体に対するパターンです。指定しない場合、または一致するものがない場合は、プリンター ウィンドウが開きます。",
    .UsageSwitches = "スイッチ:",
    .UsageQuiet = "プリンターの設定後に確認を表示しません。",
    .UsageNoGui = "一致するプリンターがない場合、ウィンドウを開かずに終了コード 1 で終了します。",
    .UsageNoQuit = "ウィンドウの [終了] ボタンを非表示にします。",
    .UsageDelay = "プリンターを読み取る前に N 秒 (最大 600 秒) 待機します。",
    .UsageSetup = "セットアップ ウィンドウを開きます。",
    .UsageEnable = "今回の実行に限り、デスクトップ ショートカット、スタートアップ ショートカット、その [すべてのユーザー] オプション、またはこの 3 つすべてを提示します。",
    .UsageDisableAll = "今回の実行に限り、3 つとも提示しません。",
    .UsageUncPath = "ネットワーク プリンターを、サーバー名なしまたはサーバー名付きで一覧表示します。",
    .UsageHelp = "このヘルプを表示します。",
    .UsageExitCodes = "終了コード:",
    .ExitCodeSet = "プリンターが設定されたか、ウィンドウが閉じられました。",
    .ExitCodeNoMatch = "一致するプリンターがありませんでした (/nogui を指定した場合、またはウィンドウを誰も見られない環境の場合)。",
    .ExitCodeNotSet = "プリンターを設定できなかったか、Windows による管理についての通知がキャンセルされました。",
};

}  // namespace quillon::texts
