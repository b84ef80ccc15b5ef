// The Japanese texts that only the POSIX program shows: its usage, the
// hints for a missing clipboard tool, and where the help is when no viewer
// could open it. CP932, as every text in the program.
#ifndef KORVATEX_PLATFORM_POSIX_TEXTS_H_
#define KORVATEX_PLATFORM_POSIX_TEXTS_H_

constexpr char kUsage[] =
    "使い方:\n"
    "  korvatex 元素記号|原子番号        元素のデータをクリップボードに入れます（例: korvatex Fe）\n"
    "  korvatex /W 化学式 [桁数]         分子量・式量をクリップボードに入れます\n"
    "                                    （例: korvatex /W CuSO4.5H2O 2）\n"
    "  korvatex /?                       ヘルプを開きます\n"
    "  korvatex --help | --version       この説明、またはバージョンを表示します\n"
    "\n"
    "桁数は小数点以下の桁数で、0 から 7 までです。省略すると設定ファイル KORVATEX.INI の\n"
    "4 行目の値（なければ 7）を使います。\n"
    "\n"
    "環境変数:\n"
    "  KORVATEX_CLIPBOARD  結果を標準入力で受け取るコマンド（例: KORVATEX_CLIPBOARD=cat）\n"
    "  WAYLAND_DISPLAY     あれば wl-copy（wl-clipboard）でクリップボードに入れます\n"
    "  DISPLAY             あれば xclip か xsel でクリップボードに入れます\n"
    "                      どれもないときは、結果を標準出力に出します\n"
    "  XDG_CONFIG_HOME     個人の設定ファイル $XDG_CONFIG_HOME/korvatex/KORVATEX.INI\n"
    "                      （なければ ~/.config/korvatex/KORVATEX.INI）\n"
    "\n"
    "くわしくは man korvatex か、korvatex /? で開くヘルプをご覧ください。\n";

constexpr char kInstallWlClipboardHint[] =
    "クリップボードのツールが見つかりません。wl-clipboard を入れるか、"
    "環境変数 KORVATEX_CLIPBOARD にクリップボードへ書くコマンドを設定してください"
    "（KORVATEX_CLIPBOARD=cat で標準出力に出ます）。";
constexpr char kInstallXclipHint[] =
    "クリップボードのツールが見つかりません。xclip を入れるか、"
    "環境変数 KORVATEX_CLIPBOARD にクリップボードへ書くコマンドを設定してください"
    "（KORVATEX_CLIPBOARD=cat で標準出力に出ます）。";
constexpr char kNoClipboardToolHint[] =
    "クリップボードのツールが見つかりません。"
    "環境変数 KORVATEX_CLIPBOARD にクリップボードへ書くコマンドを設定してください"
    "（KORVATEX_CLIPBOARD=cat で標準出力に出ます）。";

// "ヘルプは <the HTML page> にあります。…", the path between the two parts.
constexpr char kHelpIsAtBefore[] = "ヘルプは ";
constexpr char kHelpIsAtAfter[] = " にあります（man korvatex でも読めます）。";
constexpr char kHelpIsInManPage[] = "ヘルプは man korvatex で読めます。";

#endif  // KORVATEX_PLATFORM_POSIX_TEXTS_H_
