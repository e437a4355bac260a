<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>ApplicationShell</name>
    <message>
        <source>Unknown Error!</source>
        <translation>不明なエラーです。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>The Qt platform plugin that shows the window, such as xcb, wayland or offscreen.</source>
        <translation>ウィンドウを表示する Qt の
プラットフォームプラグイン
(xcb、wayland、offscreen など)。</translation>
    </message>
    <message>
        <source>Where Qt looks for platform plugins.</source>
        <translation>Qt がプラットフォームプラグインを
探すフォルダー。</translation>
    </message>
    <message>
        <source>The Qt platform theme.</source>
        <translation>Qt のプラットフォームテーマ。</translation>
    </message>
    <message>
        <source>A further Qt plugin to load; may be given more than once.</source>
        <translation>追加で読み込む Qt プラグイン。
複数回指定できます。</translation>
    </message>
    <message>
        <source>The window&apos;s place in X11&apos;s form, such as +50+50.</source>
        <translation>X11 形式のウィンドウ位置 (例: +50+50)。</translation>
    </message>
    <message>
        <source>The window&apos;s icon.</source>
        <translation>ウィンドウのアイコン。</translation>
    </message>
    <message>
        <source>The window&apos;s title.</source>
        <translation>ウィンドウのタイトル。</translation>
    </message>
    <message>
        <source>Lays the window out from right to left.</source>
        <translation>ウィンドウを右から左へ配置します。</translation>
    </message>
    <message>
        <source>Restores the program from a session of the desktop&apos;s.</source>
        <translation>デスクトップのセッションから
プログラムを復元します。</translation>
    </message>
    <message>
        <source>The widget style, such as Fusion.</source>
        <translation>ウィジェットのスタイル (Fusion など)。</translation>
    </message>
    <message>
        <source>A Qt style sheet for the window.</source>
        <translation>ウィンドウに適用する Qt スタイルシート。</translation>
    </message>
    <message>
        <source>Prints at the end how many widgets were left.</source>
        <translation>終了時に、残っている
ウィジェットの数を出力します。</translation>
    </message>
    <message>
        <source>Qt&apos;s QML debugger; the program has no QML.</source>
        <translation>Qt の QML デバッガー。
このプログラムは QML を使用しません。</translation>
    </message>
    <message>
        <source>X11: the display, in place of $DISPLAY.</source>
        <translation>X11: $DISPLAY の代わりに使用する
ディスプレイ。</translation>
    </message>
    <message>
        <source>X11: the program&apos;s instance name.</source>
        <translation>X11: プログラムのインスタンス名。</translation>
    </message>
    <message>
        <source>X11: the same as --qwindowgeometry.</source>
        <translation>X11: --qwindowgeometry と同じ。</translation>
    </message>
    <message>
        <source>X11: the same as --qwindowicon.</source>
        <translation>X11: --qwindowicon と同じ。</translation>
    </message>
    <message>
        <source>X11: the same as --qwindowtitle.</source>
        <translation>X11: --qwindowtitle と同じ。</translation>
    </message>
    <message>
        <source>X11: the visual to use.</source>
        <translation>X11: 使用するビジュアル。</translation>
    </message>
    <message>
        <source>X11: grabs no mouse (for debuggers).</source>
        <translation>X11: マウスをグラブしません
(デバッガー用)。</translation>
    </message>
    <message>
        <source>X11: grabs the mouse even in a debugger.</source>
        <translation>X11: デバッガー内でも
マウスをグラブします。</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>オプションのヘルプを表示します。</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Qt 固有のオプションも表示します。</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>バージョン情報を表示します。</translation>
    </message>
    <message>
        <source>Prepares the .zel setting file of a device&apos;s barcode-reader front end.</source>
        <translation>装置のバーコードリーダー部が読み込む設定ファイル (.zel) を作成します。</translation>
    </message>
    <message>
        <source>Check each file named (- for standard input) without opening the window, and print a line for each: ok and its settings, or where and why it is refused. Exits with 0 when every file is accepted, 1 otherwise.</source>
        <translation>指定した各ファイル (- は標準入力) を
ウィンドウを開かずに検査し、ファイル
ごとに 1 行を出力します: ok と設定内容、
または受け付けられない箇所と理由。
すべてのファイルが受け付けられた場合は
0、それ以外の場合は 1 で終了します。</translation>
    </message>
    <message>
        <source>The setting file to open at start; with --check, the files to check.</source>
        <translation>起動時に開く設定ファイル。
--check では検査するファイル。</translation>
    </message>
    <message>
        <source>[file...]</source>
        <translation>[ファイル...]</translation>
    </message>
    <message>
        <source>No file to check.</source>
        <translation>検査するファイルが指定されていません。</translation>
    </message>
    <message>
        <source>Too many arguments: only one file can be opened.</source>
        <translation>引数が多すぎます: 開くことができるファイルは 1 つだけです。</translation>
    </message>
</context>
<context>
    <name>Console</name>
    <message>
        <source>The lines could not be written: %1</source>
        <translation>出力を書き込めませんでした: %1</translation>
    </message>
    <message>
        <source>Standard output is closed.</source>
        <translation>標準出力が閉じられています。</translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>Not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>The file system did not keep what was written</source>
        <translation>書き込んだ内容がファイルシステムに保持されませんでした</translation>
    </message>
    <message>
        <source>The file is read-only</source>
        <translation>ファイルは読み取り専用です</translation>
    </message>
    <message>
        <source>System error %1</source>
        <translation>システムエラー %1</translation>
    </message>
</context>
<context>
    <name>MessageBoxDialogs</name>
    <message>
        <source>ZEL File Generator</source>
        <extracomment>The program&apos;s name, the title of its message boxes.</extracomment>
        <translation>ZELファイル作成ツール</translation>
    </message>
    <message>
        <source>Data is changed.
Save this data?</source>
        <translation>データが変更されています。
このデータを保存しますか?</translation>
    </message>
    <message>
        <source>Save ZEL File</source>
        <translation>ZELファイルの保存</translation>
    </message>
    <message>
        <source>ZEL File (*.zel)</source>
        <extracomment>The file type in the save dialog&apos;s list of types.</extracomment>
        <translation>ZELファイル (*.zel)</translation>
    </message>
    <message>
        <source>Load ZEL File</source>
        <translation>ZELファイルの読み込み</translation>
    </message>
    <message>
        <source>ZEL File (*.ZEL)</source>
        <extracomment>The file type in the open dialog&apos;s list of types; the open dialog spells the extension in capitals.</extracomment>
        <translation>ZELファイル (*.ZEL)</translation>
    </message>
    <message>
        <source>The file has been changed by another program since it was opened or last saved.
Save over it?</source>
        <extracomment>Asked before a save over the file named under it.</extracomment>
        <translation>このファイルは、開いた後または前回の保存後に、他のプログラムによって変更されています。
上書き保存しますか?</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>The preferences could not be kept in %1: %2</source>
        <extracomment>%1 is the file of the preferences, %2 one of the two reasons that follow.</extracomment>
        <translation>環境設定を %1 に保存できませんでした: %2</translation>
    </message>
    <message>
        <source>it cannot be written.</source>
        <translation>書き込みできません。</translation>
    </message>
    <message>
        <source>its content is not in the store&apos;s format.</source>
        <translation>内容が保存形式に合っていません。</translation>
    </message>
    <message>
        <source>The preferences cannot be kept in %1: it is not a regular file.</source>
        <extracomment>%1 is the file of the preferences.</extracomment>
        <translation>環境設定を %1 に保存できません: 通常のファイルではありません。</translation>
    </message>
</context>
<context>
    <name>SettingFileReader</name>
    <message>
        <source>The file has no [MODE] line.</source>
        <translation>ファイルに [MODE] 行がありません。</translation>
    </message>
    <message>
        <source>The file ends after line %1 without an [END] line.</source>
        <translation>ファイルが [END] 行のないまま %1 行目で終わっています。</translation>
    </message>
    <message>
        <source>The file starts with a byte-order mark, which a setting file does not have.</source>
        <translation>ファイルがバイトオーダーマークで始まっています。設定ファイルにバイトオーダーマークはありません。</translation>
    </message>
    <message>
        <source>The file&apos;s lines end with LF alone, where a setting file ends each line with CR LF.</source>
        <translation>ファイルの行末が LF だけです。設定ファイルの行末は CR LF です。</translation>
    </message>
    <message>
        <source>The file starts with a byte-order mark, which a setting file does not have. The file&apos;s lines end with LF alone, where a setting file ends each line with CR LF.</source>
        <translation>ファイルがバイトオーダーマークで始まっています。設定ファイルにバイトオーダーマークはありません。ファイルの行末が LF だけです。設定ファイルの行末は CR LF です。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a mode this program knows.</source>
        <translation>「%1」は、このプログラムが扱えるモードではありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a baud rate this program knows.</source>
        <translation>「%1」は、このプログラムが扱える通信速度ではありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a bit length this program knows.</source>
        <translation>「%1」は、このプログラムが扱えるデータ長ではありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a stop bit this program knows.</source>
        <translation>「%1」は、このプログラムが扱えるストップビットではありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a parity this program knows.</source>
        <translation>「%1」は、このプログラムが扱えるパリティではありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a start position this program knows.</source>
        <translation>「%1」は、このプログラムが扱える開始位置ではありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an end position this program knows.</source>
        <translation>「%1」は、このプログラムが扱える終了位置ではありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a suffix this program knows.</source>
        <translation>「%1」は、このプログラムが扱える終端ではありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not belong in the [SETTING] section.</source>
        <translation>「%1」は [SETTING] セクションに置けない行です。</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
    <message>
        <source>ZEL File Load Error</source>
        <translation>ZELファイル読み込みエラー</translation>
    </message>
    <message>
        <source>ZEL File Format Error</source>
        <translation>ZELファイル形式エラー</translation>
    </message>
</context>
<context>
    <name>SettingFileWriter</name>
    <message>
        <source>The path does not name a file in a folder.</source>
        <translation>パスがフォルダー内のファイルを指していません。</translation>
    </message>
    <message>
        <source>The stored barcode flag &quot;%1&quot; is not a number.</source>
        <translation>保存されているバーコードフラグ「%1」が数値ではありません。</translation>
    </message>
    <message>
        <source>%1 (the former content could not be put back)</source>
        <translation>%1 (元の内容に戻せませんでした)</translation>
    </message>
    <message>
        <source>The file holds the new content, but the file system did not confirm that it is on the disk: %1</source>
        <translation>ファイルには新しい内容が書き込まれましたが、ディスクへの記録をファイルシステムが確認できませんでした: %1</translation>
    </message>
    <message>
        <source>File Path Error</source>
        <translation>ファイルパスエラー</translation>
    </message>
    <message>
        <source>ZEL File Save Error</source>
        <translation>ZELファイル保存エラー</translation>
    </message>
    <message>
        <source>%1 (the former content is in %2 and the new content in %3)</source>
        <translation>%1 (元の内容は %2 に、新しい内容は %3 に残っています)</translation>
    </message>
    <message>
        <source>The file holds the new content, but the file %1, which holds the former content, could not be removed: %2</source>
        <translation>ファイルには新しい内容が書き込まれましたが、元の内容を保持しているファイル %1 を削除できませんでした: %2</translation>
    </message>
    <message>
        <source>%1 (the file %2, which the save made, could not be removed)</source>
        <translation>%1 (保存時に作成したファイル %2 を削除できませんでした)</translation>
    </message>
</context>
<context>
    <name>Title</name>
    <message>
        <source>VX613 ZEL File Generator   V%1</source>
        <extracomment>The window&apos;s title: VX613 is the device, %1 the version (1.02). The three blanks before V stay.</extracomment>
        <translation>VX613 ZELファイル作成ツール   V%1</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>VX613  ZEL File Generator</source>
        <extracomment>The caption before the title is set; the operator never sees it. VX613 is the device.</extracomment>
        <translation>VX613  ZELファイル作成ツール</translation>
    </message>
    <message>
        <source>Barcode Mode</source>
        <translation>バーコードモード</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>Pick Up Position</source>
        <extracomment>The part of each barcode that is taken: from the start to the end position, and a suffix.</extracomment>
        <translation>取り込み位置</translation>
    </message>
    <message>
        <source>Start Position</source>
        <translation>開始位置</translation>
    </message>
    <message>
        <source>End Position</source>
        <translation>終了位置</translation>
    </message>
    <message>
        <source>Suffix(HEX)</source>
        <extracomment>The character added after the data, typed as two hexadecimal digits; HEX stays as it is.</extracomment>
        <translation>終端(HEX)</translation>
    </message>
    <message>
        <source>Select Mode</source>
        <extracomment>The heading of the settings that only the mode Select uses. The mode&apos;s name stays as its option button shows it, as all the options&apos; captions do.</extracomment>
        <translation>Selectモード</translation>
    </message>
    <message>
        <source>Device Function</source>
        <extracomment>The device&apos;s function that a barcode selects in Select mode.</extracomment>
        <translation>装置機能</translation>
    </message>
    <message>
        <source>Barcode Reader Interface</source>
        <extracomment>The heading of the RS-232C link between the barcode reader and the device.</extracomment>
        <translation>バーコードリーダー接続</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>通信速度</translation>
    </message>
    <message>
        <source>Bit Length</source>
        <extracomment>The number of data bits, 7 or 8.</extracomment>
        <translation>データ長</translation>
    </message>
    <message>
        <source>Stop Bit</source>
        <extracomment>The number of stop bits, 1 or 2.</extracomment>
        <translation>ストップ</translation>
    </message>
    <message>
        <source>Parity Bit</source>
        <extracomment>The parity: NONE, ODD or EVEN.</extracomment>
        <translation>パリティ</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>NEW(&amp;N)</source>
        <translation>新規作成(&amp;N)</translation>
    </message>
    <message>
        <source>Open...(&amp;O)</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>Save(&amp;S)</source>
        <translation>上書き保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save As...(&amp;A)</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>終了(&amp;X)</translation>
    </message>
</context>
</TS>
