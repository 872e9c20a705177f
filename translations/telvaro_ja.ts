<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>CheckCommand</name>
    <message>
        <source>Check a settings file: its lines and the values a write would send.</source>
        <translation>設定ファイルを検査します：各行と、書き込みで送られる値。</translation>
    </message>
    <message>
        <source>one settings file is needed</source>
        <translation>設定ファイルを一つ指定してください</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n problem(s) found</source>
        <translation>
            <numerusform>%1: 問題が%n件見つかりました</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: no problems found (%n item(s))</source>
        <translation>
            <numerusform>%1: 問題は見つかりませんでした（%n項目）</numerusform>
        </translation>
    </message>
    <message>
        <source>Give the problems as one JSON object on standard output.</source>
        <translation>問題を一つの JSON オブジェクトとして標準出力に出します。</translation>
    </message>
    <message>
        <source>The settings file; &quot;-&quot; for standard input.</source>
        <translation>設定ファイル。「-」で標準入力。</translation>
    </message>
    <message>
        <source>%1: a character cannot be sent to the logger (it has no code page 932 form)</source>
        <translation>%1: ロガーに送れない文字があります（コードページ932にない文字です）</translation>
    </message>
</context>
<context>
    <name>CliUsage</name>
    <message>
        <source>Try &quot;telvaro-cli %1 --help&quot;.</source>
        <translation>「telvaro-cli %1 --help」で使い方を表示します。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: %1 COMMAND [options] [arguments]</source>
        <translation>使い方: %1 コマンド [オプション] [引数]</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>コマンド:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>オプション:</translation>
    </message>
    <message>
        <source>Show this help; &quot;%1 COMMAND --help&quot; shows a command&apos;s.</source>
        <translation>このヘルプを表示します。「%1 コマンド --help」で各コマンドのヘルプを表示します。</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>バージョンを表示します。</translation>
    </message>
    <message>
        <source>Exit status: 0 when everything asked for succeeded, 1 when a command found problems or differences or could not do its work, 2 for a mistake on the command line or a file that cannot be read.</source>
        <translation>終了ステータス: 指定したことがすべて成功したとき 0、コマンドが問題や相違を見つけたとき、または処理を行えなかったとき 1、コマンドラインの誤りや読み込めないファイルのとき 2。</translation>
    </message>
    <message>
        <source>Usage: %1 %2 [options] %3</source>
        <translation>使い方: %1 %2 [オプション] %3</translation>
    </message>
    <message>
        <source>%1: unknown command &quot;%2&quot;</source>
        <translation>%1: 「%2」というコマンドはありません</translation>
    </message>
    <message>
        <source>Try &quot;%1 --help&quot;.</source>
        <translation>「%1 --help」で使い方を表示します。</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>このヘルプを表示します。</translation>
    </message>
    <message>
        <source>Reads, writes, checks and compares the settings of Telvaro e-mail model loggers.</source>
        <translation>Telvaro Eメールモデルのロガーの設定を読み込み、書き込み、検査し、比較します。</translation>
    </message>
    <message>
        <source>%1: standard output cannot be written: %2</source>
        <translation>%1: 標準出力に書き込めません: %2</translation>
    </message>
</context>
<context>
    <name>Console</name>
    <message>
        <source>more than %1 bytes</source>
        <translation>%1バイトを超えています</translation>
    </message>
</context>
<context>
    <name>DiffCommand</name>
    <message>
        <source>Show the passwords instead of %1.</source>
        <translation>パスワードを%1で隠さずに表示します。</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) differ</source>
        <translation>
            <numerusform>%n項目が異なります</numerusform>
        </translation>
    </message>
    <message>
        <source>List the items whose values differ between two settings files, or between a logger and a file.</source>
        <translation>二つの設定ファイル、またはロガーと設定ファイルで値が異なる項目を一覧にします。</translation>
    </message>
    <message>
        <source>two settings files, or a port and a settings file, are needed</source>
        <translation>設定ファイルを二つ、またはポートと設定ファイルを一つずつ指定してください</translation>
    </message>
    <message>
        <source>Give the differences as one JSON object on standard output.</source>
        <translation>相違を一つの JSON オブジェクトとして標準出力に出します。</translation>
    </message>
    <message>
        <source>The settings file, or the port of the logger, shown after &quot;&lt;&quot;; &quot;-&quot; for standard input.</source>
        <translation>「&lt;」の後に示す設定ファイル、またはロガーのポート。「-」で標準入力。</translation>
    </message>
    <message>
        <source>The settings file shown after &quot;&gt;&quot;; &quot;-&quot; for standard input.</source>
        <translation>「&gt;」の後に示す設定ファイル。「-」で標準入力。</translation>
    </message>
    <message>
        <source>the read failed: %1</source>
        <translation>読み込みに失敗しました: %1</translation>
    </message>
    <message>
        <source>%1: %2; nothing was compared</source>
        <translation>%1: %2。何も比較していません</translation>
    </message>
</context>
<context>
    <name>ExchangeFailureText</name>
    <message>
        <source>The port %1 could not be opened: %2.</source>
        <translation>通信ポート %1 を開けませんでした: %2。</translation>
    </message>
    <message>
        <source>There is no such device. Check that the logger&apos;s cable (its USB adapter) is plugged in, and that &quot;通信設定&quot; names the port it is on.</source>
        <translation>そのようなデバイスはありません。ロガーのケーブル（USB変換器）がつながっているか、「通信設定」でロガーのつながっているポートを選んでいるかを確かめてください。</translation>
    </message>
    <message>
        <source>This user may not use the port. Add the user to the group dialout (sudo adduser $USER dialout), then log out and in again.</source>
        <translation>このユーザーにはポートを使う権限がありません。ユーザーを dialout グループに加え（sudo adduser $USER dialout）、ログインし直してください。</translation>
    </message>
    <message>
        <source>Another program is using the port. End it, then try again.</source>
        <translation>ほかのプログラムがポートを使っています。そのプログラムを終えてから、もう一度試してください。</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n 秒</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>The logger did not answer &quot;%1&quot;: the tool waited %2 for an answer</source>
        <translation>ロガーが「%1」に応答しませんでした。応答を %2待ちました</translation>
    </message>
    <message>
        <source>The logger did not answer &quot;%1&quot;: the tool waited %2 for &quot;%3&quot;</source>
        <translation>ロガーが「%1」に応答しませんでした。「%3」を %2待ちました</translation>
    </message>
    <message numerus="yes">
        <source>%1, %n time(s).</source>
        <translation>
            <numerusform>%1（%n 回）。</numerusform>
        </translation>
    </message>
    <message>
        <source>The file %1 could not be opened: %2.</source>
        <translation>ファイル %1 を開けませんでした: %2。</translation>
    </message>
    <message>
        <source>%1 holds a character that cannot be sent to the logger, so nothing was sent.</source>
        <translation>%1 にロガーへ送れない文字があるため、何も送っていません。</translation>
    </message>
    <message>
        <source>The exchange ended on an error: %1</source>
        <translation>通信はエラーで終わりました: %1</translation>
    </message>
    <message>
        <source>Some of the logger&apos;s settings have been changed</source>
        <translation>ロガーの設定は一部だけ書き換えられています</translation>
    </message>
    <message>
        <source>The logger&apos;s settings have not been changed.</source>
        <translation>ロガーの設定は書き換えられていません。</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 of %n line(s) acknowledged</source>
        <translation>
            <numerusform>%1: %n 行のうち %2 行を受け付けました</numerusform>
        </translation>
    </message>
    <message>
        <source>%1.</source>
        <comment>a sentence ends</comment>
        <translation>%1。</translation>
    </message>
    <message>
        <source>The script files %1 could not be written, so nothing was sent.</source>
        <translation>書込ファイル %1 を作成できなかったため、何も送っていません。</translation>
    </message>
    <message>
        <source>The line on %1 was lost while the tool waited for the answer to &quot;%2&quot;: the logger hung up, or its cable or adapter was unplugged.</source>
        <translation>「%2」の応答を待つ間に %1 の回線が切れました。ロガーが回線を切ったか、ケーブルかアダプターが抜かれました。</translation>
    </message>
    <message>
        <source>There is no such device. Check that the logger&apos;s cable (its USB adapter) is plugged in, and that the port given is the one it is on: telvaro-cli ports lists them, telvaro-cli ports --assign gives a COM name to one.</source>
        <translation>そのようなデバイスはありません。ロガーのケーブル（USB変換器）がつながっているか、指定したポートがロガーのつながっているポートかを確かめてください。telvaro-cli ports でポートの一覧を、telvaro-cli ports --assign でポートへの COM 名の割り当てができます。</translation>
    </message>
    <message>
        <source>%1 leads to %2, which is not there.</source>
        <translation>%1 の割り当て先 %2 がありません。</translation>
    </message>
    <message>
        <source>&quot;ツール&quot; → &quot;シリアルポートの割り当て&quot; shows the serial ports and gives a COM name to one.</source>
        <translation>「ツール」→「シリアルポートの割り当て」で、シリアルポートの一覧を見て、ポートに COM 名を割り当てられます。</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>プロセス %1</translation>
    </message>
    <message>
        <source>%1, process %2</source>
        <translation>%1、プロセス %2</translation>
    </message>
    <message>
        <source>The port %1 could not be opened.</source>
        <translation>通信ポート %1 を開けませんでした。</translation>
    </message>
    <message>
        <source>%1 is in use by another program (%2) (lock file %3).</source>
        <translation>%1 は別のプログラム (%2) が使用中です (ロックファイル %3)。</translation>
    </message>
    <message>
        <source>End that program, then try again.</source>
        <translation>そのプログラムを終えてから、もう一度試してください。</translation>
    </message>
</context>
<context>
    <name>ExchangeRecord</name>
    <message>
        <source>the record %1 %2: %3</source>
        <translation>記録 %1 %2: %3</translation>
    </message>
    <message>
        <source>cannot be made</source>
        <translation>を作れません</translation>
    </message>
    <message>
        <source>its folder cannot be made</source>
        <translation>そのフォルダーを作れません</translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation>を開けません</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>フォルダーです</translation>
    </message>
    <message>
        <source>Qt&apos;s SQLite driver is not installed (Debian: libqt6sql6-sqlite)</source>
        <translation>Qt の SQLite ドライバーがインストールされていません (Debian: libqt6sql6-sqlite)</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>を読めません</translation>
    </message>
    <message>
        <source>it holds no schema version</source>
        <translation>スキーマの版がありません</translation>
    </message>
    <message>
        <source>was made by a newer version of the program</source>
        <translation>は新しい版のプログラムが作ったものです</translation>
    </message>
    <message>
        <source>its schema is version %1 and this program knows up to %2; it is left as it is</source>
        <translation>スキーマは版 %1 で、このプログラムが扱えるのは版 %2 までです。記録には手を加えません</translation>
    </message>
    <message>
        <source>it is no record of exchanges</source>
        <translation>通信の記録ではありません</translation>
    </message>
    <message>
        <source>cannot be used</source>
        <translation>は使えません</translation>
    </message>
    <message>
        <source>it is another program&apos;s database</source>
        <translation>ほかのプログラムのデータベースです</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>に書き込めません</translation>
    </message>
</context>
<context>
    <name>ExchangeSpool</name>
    <message>
        <source>its folder %1 cannot be made</source>
        <translation>そのフォルダー %1 を作れません</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 を読めません: %2</translation>
    </message>
    <message>
        <source>%1 is no entry of a record; it is left as it is</source>
        <translation>%1 は記録の項目ではありません。そのまま残します</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>List the exchanges with loggers recorded, newest first, or show one of them.</source>
        <translation>記録されたロガーとの通信を新しい順に一覧にするか、その一つを表示します。</translation>
    </message>
    <message>
        <source>Only the exchanges through this port (as given, or its device).</source>
        <translation>このポート (指定したとおりの名前、またはそのデバイス) を通した通信だけ。</translation>
    </message>
    <message>
        <source>Only the exchanges that failed.</source>
        <translation>失敗した通信だけ。</translation>
    </message>
    <message>
        <source>Give the list as one JSON array on standard output.</source>
        <translation>一覧を一つの JSON 配列として標準出力に出します。</translation>
    </message>
    <message>
        <source>Show exchange number N with its items and, for a write, what it changed.</source>
        <translation>番号 N の通信を項目とともに表示します。書き込みなら変えた内容も表示します。</translation>
    </message>
    <message>
        <source>no record of exchanges is kept; --record names one</source>
        <translation>通信の記録を取っていません。--record で記録を指定してください</translation>
    </message>
    <message>
        <source>succeeded</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>失敗: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no exchange number</source>
        <translation>&quot;%1&quot; は通信の番号ではありません</translation>
    </message>
    <message>
        <source>%1: no exchange number %2 in the record %3</source>
        <translation>%1: 記録 %3 に番号 %2 の通信はありません</translation>
    </message>
    <message>
        <source>Exchange %1: %2 of %3</source>
        <translation>通信 %1: %3 の%2</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>機種</translation>
    </message>
    <message numerus="yes">
        <source>%1, %n channel(s)</source>
        <translation>
            <numerusform>%1、%nチャンネル</numerusform>
        </translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>User</source>
        <translation>ユーザー</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>プログラム</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>所要時間</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>識別子</translation>
    </message>
    <message numerus="yes">
        <source>Changed (%n item(s)):</source>
        <translation>
            <numerusform>変更 (%n項目):</numerusform>
        </translation>
    </message>
    <message>
        <source>changed</source>
        <translation>変更あり</translation>
    </message>
    <message>
        <source>Items received:</source>
        <translation>受け取った項目:</translation>
    </message>
    <message>
        <source>Items read back:</source>
        <translation>読み戻した項目:</translation>
    </message>
    <message>
        <source>Items:</source>
        <translation>項目:</translation>
    </message>
    <message>
        <source>(unchanged)</source>
        <translation>(変更なし)</translation>
    </message>
    <message>
        <source>(changed)</source>
        <translation>(変更あり)</translation>
    </message>
    <message>
        <source>Write the entries kept in the spool, while the record could not be written, to the record.</source>
        <translation>記録に書き込めなかった間スプールに保管した項目を記録に書き込みます。</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2; %n entry(s) wait in the spool</source>
        <translation>
            <numerusform>%1: %2; スプールで %n 件の項目が待っています</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entry(s) written to the record %1</source>
        <translation>
            <numerusform>%n 件の項目を記録 %1 に書き込みました</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entry(s) still wait in %1</source>
        <translation>
            <numerusform>%1 でまだ %n 件の項目が待っています</numerusform>
        </translation>
    </message>
    <message>
        <source>Only the exchanges of the logger with this identity or label.</source>
        <translation>この識別名またはラベルのロガーとの通信だけ。</translation>
    </message>
    <message>
        <source>Only the exchanges from this date or date and time on (local time).</source>
        <translation>この日付または日時以降の通信だけ (現地時刻)。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no date (2026-12-01) or date and time (2026-12-01T08:30)</source>
        <translation>&quot;%1&quot; は日付 (2026-12-01) でも日時 (2026-12-01T08:30) でもありません</translation>
    </message>
    <message>
        <source>history export: the CSV file to write (- for standard output).</source>
        <translation>history export: 書き出す CSV ファイル (- で標準出力)。</translation>
    </message>
    <message>
        <source>Write the exchanges listed, with their items, to a CSV file.</source>
        <translation>一覧の通信を項目とともに CSV ファイルに書き出します。</translation>
    </message>
    <message>
        <source>the only arguments taken are &quot;show N&quot;, &quot;sync&quot; and &quot;export&quot;</source>
        <translation>受け付ける引数は &quot;show N&quot;、&quot;sync&quot;、&quot;export&quot; だけです</translation>
    </message>
    <message>
        <source>history export needs --csv FILE</source>
        <translation>history export には --csv FILE が必要です</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
</context>
<context>
    <name>LabelCommand</name>
    <message>
        <source>Give the logger with this identity a label the record keeps (&quot;&quot; takes it away).</source>
        <translation>この識別名のロガーに記録が保持するラベルを付けます (&quot;&quot; で外します)。</translation>
    </message>
    <message>
        <source>The logger&apos;s identity, as history shows it.</source>
        <translation>history が示すロガーの識別名。</translation>
    </message>
    <message>
        <source>The label.</source>
        <translation>ラベル。</translation>
    </message>
    <message>
        <source>no record of exchanges is kept; --record names one</source>
        <translation>通信の記録を取っていません。--record で記録を指定してください</translation>
    </message>
    <message>
        <source>give an identity and a label</source>
        <translation>識別名とラベルを指定してください</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no identity of a logger</source>
        <translation>&quot;%1&quot; はロガーの識別名ではありません</translation>
    </message>
    <message>
        <source>a label holds no control characters</source>
        <translation>ラベルに制御文字は使えません</translation>
    </message>
    <message>
        <source>the label is %1 characters long; it may be %2 at most</source>
        <translation>ラベルは %1 文字です。%2 文字までにしてください</translation>
    </message>
</context>
<context>
    <name>LoggerOptions</name>
    <message>
        <source>The line speed in bit/s, as the port dialog offers it (default 9600).</source>
        <translation>通信速度（bit/s）。ポート設定画面にある値から選びます（既定値 9600）。</translation>
    </message>
    <message>
        <source>Show no progress on standard error.</source>
        <translation>標準エラー出力に進行状況を表示しません。</translation>
    </message>
    <message>
        <source>no line speed %1: one of %2</source>
        <translation>通信速度 %1 は使えません: %2 のいずれかを指定してください</translation>
    </message>
    <message>
        <source>%1: the read failed: %2</source>
        <translation>%1: 読み込みに失敗しました: %2</translation>
    </message>
    <message>
        <source>%1: the read was stopped before its end; run the command again</source>
        <translation>%1: 読み込みを途中で止めました。コマンドをもう一度実行してください</translation>
    </message>
    <message>
        <source>Leave this run out of the record of exchanges.</source>
        <translation>この実行を通信の記録に残しません。</translation>
    </message>
    <message>
        <source>The record of exchanges: this SQLite file instead of record.sqlite in the per-user folder (or the file TELVARO_RECORD names).</source>
        <translation>通信の記録: ユーザーごとのフォルダーの record.sqlite (または TELVARO_RECORD が指すファイル) の代わりにこの SQLite ファイル。</translation>
    </message>
</context>
<context>
    <name>LoggerPorts</name>
    <message>
        <source>&quot;%1&quot; is no port name from COM1 to COM9</source>
        <translation>「%1」はCOM1～COM9のポート名ではありません</translation>
    </message>
    <message>
        <source>%1 and %2 lead to the same device, %3</source>
        <translation>%1 と %2 は同じデバイス %3 を指しています</translation>
    </message>
    <message>
        <source>there is no such device</source>
        <translation>そのようなデバイスはありません</translation>
    </message>
    <message>
        <source>it is a folder, not a serial device</source>
        <translation>フォルダーであり、シリアルデバイスではありません</translation>
    </message>
    <message>
        <source>it is a file, not a serial device</source>
        <translation>ファイルであり、シリアルデバイスではありません</translation>
    </message>
    <message>
        <source>it is no terminal device, so no serial port</source>
        <translation>端末デバイスではないため、シリアルポートではありません</translation>
    </message>
    <message>
        <source>a port is empty: give COM1 to COM9 or the path of a serial device</source>
        <translation>ポートが空です: COM1～COM9 かシリアルデバイスのパスを指定してください</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no port: give COM1 to COM9 or the path of a serial device, such as /dev/ttyUSB0</source>
        <translation>「%1」はポートではありません: COM1～COM9 か、/dev/ttyUSB0 のようなシリアルデバイスのパスを指定してください</translation>
    </message>
</context>
<context>
    <name>LoggerWriting</name>
    <message>
        <source>the read failed: %1</source>
        <translation>読み込みに失敗しました: %1</translation>
    </message>
    <message>
        <source>the write failed: %1</source>
        <translation>書き込みに失敗しました: %1</translation>
    </message>
    <message>
        <source>written, but the read back failed: %1</source>
        <translation>書き込みましたが、確認の読み込みに失敗しました: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) did not read back as written</source>
        <translation>
            <numerusform>%n項目が書き込んだとおりに読み込めませんでした</numerusform>
        </translation>
    </message>
    <message>
        <source>the settings are for model %1 and this logger is a %2: their channel items (mode, ALARM) would set other channels here; nothing was written</source>
        <translation>設定は機種 %1 のもので、このロガーは %2 です。チャンネルの項目（mode、ALARM）はこのロガーでは別のチャンネルを設定してしまうため、何も書き込んでいません</translation>
    </message>
    <message>
        <source>this logger has no %1; the value given for it is left out</source>
        <translation>このロガーには %1 がないため、指定された値は使いません</translation>
    </message>
    <message>
        <source>%1 is the limit of no channel of this model; the value given for it is left out</source>
        <translation>%1 はこの機種のどのチャンネルの警報値でもないため、指定された値は使いません</translation>
    </message>
    <message numerus="yes">
        <source>%n finding(s) to confirm (values that look wrong, changes nobody asked for); nothing was written (--force writes all the same)</source>
        <translation>
            <numerusform>確認の必要な項目が%n件あります（正しくないように見える値、指示のない変更）。何も書き込んでいません（--force でそのまま書き込みます）</numerusform>
        </translation>
    </message>
    <message>
        <source>stopped before the write began; nothing was written</source>
        <translation>書き込みを始める前に止めました。何も書き込んでいません</translation>
    </message>
    <message>
        <source>stopped during the write</source>
        <translation>書き込みの途中で止めました</translation>
    </message>
    <message>
        <source>stopped after the write; not read back</source>
        <translation>書き込みの後で止めました。確認の読み込みはしていません</translation>
    </message>
    <message>
        <source>partly written: %1</source>
        <translation>一部のみ書き込み済み: %1</translation>
    </message>
    <message>
        <source>this logger has none of %1; the values given for them are left out</source>
        <translation>このロガーには %1 がないため、指定された値は使いません</translation>
    </message>
    <message>
        <source>%1 are the limits of no channel of this model; the values given for them are left out</source>
        <translation>%1 はこの機種のどのチャンネルの警報値でもないため、指定された値は使いません</translation>
    </message>
    <message>
        <source>%1: a character cannot be sent to the logger (it has no code page 932 form); a write would send nothing</source>
        <translation>%1: ロガーに送れない文字があります（コードページ932にない文字です）。書き込みは何も送りません</translation>
    </message>
    <message numerus="yes">
        <source>%n finding(s) to confirm (values that look wrong, changes nobody asked for); a write would send nothing (--force writes all the same)</source>
        <translation>
            <numerusform>確認の必要な項目が%n件あります（正しくないように見える値、指示のない変更）。書き込みは何も送りません（--force でそのまま書き込みます）</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>%1: is the file %2 the command reads; the output must go elsewhere</source>
        <translation>%1: コマンドが読み込むファイル %2 です。出力先には別のファイルを指定してください</translation>
    </message>
    <message>
        <source>%1: cannot be written: %2</source>
        <translation>%1: 書き込めません: %2</translation>
    </message>
    <message>
        <source>%1: the folder cannot be made</source>
        <translation>%1: フォルダーを作成できません</translation>
    </message>
    <message>
        <source>%1: no file can be written in this folder</source>
        <translation>%1: このフォルダーにはファイルを書き込めません</translation>
    </message>
</context>
<context>
    <name>PortsCommand</name>
    <message>
        <source>Make COMn (COM1 to COM9) lead to DEVICE, by its stable /dev/serial/by-id name where it has one, as the port dialog of the window uses it.</source>
        <translation>COMn（COM1～COM9）をDEVICEにつなぎます。/dev/serial/by-id の固定名があればそれを使います。ウィンドウのポート設定も同じ割り当てを使います。</translation>
    </message>
    <message>
        <source>--assign needs one device</source>
        <translation>--assign にはデバイスを一つ指定してください</translation>
    </message>
    <message>
        <source>a device is given only with --assign</source>
        <translation>デバイスは --assign と共にだけ指定できます</translation>
    </message>
    <message>
        <source>Serial ports:</source>
        <translation>シリアルポート:</translation>
    </message>
    <message>
        <source>(none found)</source>
        <translation>（見つかりません）</translation>
    </message>
    <message>
        <source>description</source>
        <translation>説明</translation>
    </message>
    <message>
        <source>maker</source>
        <translation>メーカー</translation>
    </message>
    <message>
        <source>serial number</source>
        <translation>シリアル番号</translation>
    </message>
    <message>
        <source>stable path</source>
        <translation>固定名</translation>
    </message>
    <message>
        <source>COM names (links in %1):</source>
        <translation>COM名（%1 のリンク）:</translation>
    </message>
    <message>
        <source>(no such device)</source>
        <translation>（デバイスがありません）</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no port name from COM1 to COM9</source>
        <translation>「%1」はCOM1～COM9のポート名ではありません</translation>
    </message>
    <message>
        <source>COM%1 cannot be assigned: %2</source>
        <translation>COM%1 を割り当てられません: %2</translation>
    </message>
    <message>
        <source>COM%1 now leads to %2</source>
        <translation>COM%1 を %2 につなぎました</translation>
    </message>
    <message>
        <source>Remove the link that makes COMn lead to a device.</source>
        <translation>COMn をデバイスにつなぐリンクを削除します。</translation>
    </message>
    <message>
        <source>--assign and --remove exclude each other</source>
        <translation>--assign と --remove は同時に指定できません</translation>
    </message>
    <message>
        <source>this user may not use it (add the user to the group %1)</source>
        <translation>このユーザーには使う権限がありません (ユーザーを %1 グループに加えてください)</translation>
    </message>
    <message>
        <source>unusable: %1</source>
        <translation>使用できません: %1</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>プロセス %1</translation>
    </message>
    <message>
        <source>%1, process %2</source>
        <translation>%1、プロセス %2</translation>
    </message>
    <message>
        <source>USB vendor:product</source>
        <translation>USB ベンダー:製品</translation>
    </message>
    <message>
        <source>access</source>
        <translation>使用の可否</translation>
    </message>
    <message>
        <source>in use by</source>
        <translation>使用中のプログラム</translation>
    </message>
    <message>
        <source>COM%1 cannot be assigned: %2 exists and is no link; it is left as it is</source>
        <translation>COM%1 を割り当てられません: %2 はリンクではないため、そのままにしました</translation>
    </message>
    <message>
        <source>COM%1 no longer leads to %2</source>
        <translation>COM%1 の %2 への割り当てを解除しました</translation>
    </message>
    <message>
        <source>COM%1 was not assigned; it leads to %2</source>
        <translation>COM%1 は割り当てられていません。COM%1 は %2 です</translation>
    </message>
    <message>
        <source>COM%1 cannot be removed: %2 is no link; it is left as it is</source>
        <translation>COM%1 の割り当てを解除できません: %2 はリンクではないため、そのままにしました</translation>
    </message>
    <message>
        <source>COM%1 cannot be removed: %2</source>
        <translation>COM%1 の割り当てを解除できません: %2</translation>
    </message>
    <message>
        <source>List the serial ports and the COM names that lead to them, assign a COM name, or find a logger.</source>
        <translation>シリアルポートと、それにつながるCOM名を一覧にします。COM名の割り当てと、ロガーを探すこともできます。</translation>
    </message>
    <message>
        <source>Find a logger: listen on every serial port no other program holds (or on the DEVICEs given) for the call a waiting logger sends, without sending anything. Exit status 1 when no logger was found.</source>
        <translation>ロガーを探します: ほかのプログラムが使っていないシリアルポートすべて（DEVICE を指定したときはそのデバイス）で、待機中のロガーが送る呼び出しを、何も送らずに待ちます。ロガーが見つからなければ終了ステータスは 1 です。</translation>
    </message>
    <message>
        <source>With --find: where no logger called, send the handshake alone and wait for its answer. Only for devices where a logger may be.</source>
        <translation>--find と共に: 呼び出しのなかったデバイスに接続手順だけを送り、その応答を待ちます。ロガーがつながっていそうなデバイスにだけ使ってください。</translation>
    </message>
    <message>
        <source>With --assign: the serial device, e.g. /dev/ttyUSB0. With --find: the devices to look on.</source>
        <translation>--assign と共に: シリアルデバイス（例: /dev/ttyUSB0）。--find と共に: 探すデバイス。</translation>
    </message>
    <message>
        <source>--find and --assign cannot go together</source>
        <translation>--find と --assign は同時に指定できません</translation>
    </message>
    <message>
        <source>--probe and --speed go with --find only</source>
        <translation>--probe と --speed は --find と共にだけ指定できます</translation>
    </message>
    <message>
        <source>There is no serial device to look on.</source>
        <translation>探せるシリアルデバイスがありません。</translation>
    </message>
    <message>
        <source>Looking for a logger at %1 bit/s on %2; this takes up to %3 seconds.</source>
        <translation>%1 bit/s でロガーを探しています: %2。最長 %3 秒かかります。</translation>
    </message>
    <message>
        <source>logger found: it called (&quot;AT&quot;)</source>
        <translation>ロガーあり: 呼び出し（&quot;AT&quot;）を受信</translation>
    </message>
    <message>
        <source>logger found: it answered the handshake (&quot;READY&quot;)</source>
        <translation>ロガーあり: 接続手順に応答（&quot;READY&quot;）</translation>
    </message>
    <message>
        <source>no logger: no call, and no answer to the handshake</source>
        <translation>ロガーなし: 呼び出しも接続手順への応答もなし</translation>
    </message>
    <message>
        <source>no logger called</source>
        <translation>ロガーなし: 呼び出しなし</translation>
    </message>
    <message>
        <source>cannot be opened: %1</source>
        <translation>開けません: %1</translation>
    </message>
    <message>
        <source>the device went away</source>
        <translation>デバイスが切断されました</translation>
    </message>
    <message>
        <source>not looked at to the end</source>
        <translation>最後まで探していません</translation>
    </message>
    <message>
        <source>The search was stopped by %1; every port is released.</source>
        <translation>%1 で探すのを中止しました。ポートはすべて解放しました。</translation>
    </message>
    <message>
        <source>No logger found.</source>
        <translation>ロガーは見つかりませんでした。</translation>
    </message>
    <message>
        <source>--find and --remove cannot go together</source>
        <translation>--find と --remove は一緒に使えません</translation>
    </message>
</context>
<context>
    <name>ProvisionCommand</name>
    <message>
        <source>Write a settings file into many loggers at once, each with its own values, and read them back.</source>
        <translation>設定ファイルを多数のロガーに一度に書き込み（ロガーごとの値も）、読み込んで確かめます。</translation>
    </message>
    <message>
        <source>A logger&apos;s port: COM1 to COM9 or the path of a serial device; once per logger. Without it, the ports of the units file.</source>
        <translation>ロガーのポート: COM1～COM9 またはシリアルデバイスのパス。ロガーごとに指定します。指定がなければユニットファイルのポートを使います。</translation>
    </message>
    <message>
        <source>A CSV file of the values that differ from logger to logger: a &quot;port&quot; column and a column per item, a row per logger.</source>
        <translation>ロガーごとに異なる値の CSV ファイル:「port」列と項目ごとの列、ロガーごとに一行。</translation>
    </message>
    <message>
        <source>Record every logger, its items before and after, in this JSON file.</source>
        <translation>各ロガーの記録（書込前後の項目）をこの JSON ファイルに残します。</translation>
    </message>
    <message>
        <source>Keep each logger&apos;s exchange, passwords masked, in a file in this folder.</source>
        <translation>各ロガーとの通信ログ（パスワードは隠します）をこのフォルダーのファイルに残します。</translation>
    </message>
    <message>
        <source>Show the passwords in the report instead of %1.</source>
        <translation>記録のパスワードを%1で隠さずに表示します。</translation>
    </message>
    <message>
        <source>one settings file is needed</source>
        <translation>設定ファイルを一つ指定してください</translation>
    </message>
    <message>
        <source>no port is given: name each with --port, or give a units file</source>
        <translation>ポートの指定がありません: --port で一つずつ指定するか、ユニットファイルを指定してください</translation>
    </message>
    <message>
        <source>%1: line %2: the port %3 is not given with --port</source>
        <translation>%1: %2行目: ポート %3 は --port で指定されていません</translation>
    </message>
    <message>
        <source>%1: no row for the port %2</source>
        <translation>%1: ポート %2 の行がありません</translation>
    </message>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1: 読み込めません: %2</translation>
    </message>
    <message>
        <source>Write all the same what the checks stop: values that look wrong, changes nobody asked for.</source>
        <translation>確認が止めるものもそのまま書き込みます: 正しくないように見える値、指示のない変更。</translation>
    </message>
    <message>
        <source>%1: line %2</source>
        <translation>%1: %2 行目</translation>
    </message>
    <message>
        <source>Stopped by %1.</source>
        <translation>%1 で止めました。</translation>
    </message>
    <message>
        <source>The settings file every logger is given; &quot;-&quot; for standard input.</source>
        <translation>すべてのロガーに書き込む設定ファイル。「-」で標準入力。</translation>
    </message>
    <message>
        <source>--dry-run writes no report: it writes no logger</source>
        <translation>--dry-run は記録を残しません: ロガーに書き込まないためです</translation>
    </message>
    <message>
        <source>%1: every logger was written and verified; none to run again</source>
        <translation>%1: すべてのロガーが書き込まれ確認済みです。やり直すロガーはありません</translation>
    </message>
    <message>
        <source>%1: checking %2 MB of units</source>
        <translation>%1: ユニットファイル %2 MB を検査しています</translation>
    </message>
</context>
<context>
    <name>ProvisionReport</name>
    <message>
        <source>yes</source>
        <translation>一致</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>不一致</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>省略</translation>
    </message>
    <message>
        <source>PORT</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>MODEL</source>
        <translation>機種</translation>
    </message>
    <message>
        <source>CHANGED</source>
        <translation>変更</translation>
    </message>
    <message>
        <source>VERIFIED</source>
        <translation>照合</translation>
    </message>
    <message>
        <source>SECONDS</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>not JSON: %1 at byte %2</source>
        <translation>JSON ではありません: %2バイト目で %1</translation>
    </message>
    <message>
        <source>no &quot;loggers&quot; list: not a report of telvaro-cli provision</source>
        <translation>「loggers」の一覧がありません: telvaro-cli provision の記録ではありません</translation>
    </message>
    <message>
        <source>a logger without a &quot;port&quot;: not a report of telvaro-cli provision</source>
        <translation>「port」のないロガーがあります: telvaro-cli provision の記録ではありません</translation>
    </message>
</context>
<context>
    <name>ProvisionRun</name>
    <message>
        <source>ended by an error: %1</source>
        <translation>エラーで終了しました: %1</translation>
    </message>
    <message>
        <source>ended by an error of unknown kind</source>
        <translation>不明なエラーで終了しました</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>失敗: %1</translation>
    </message>
    <message numerus="yes">
        <source>written and verified, %n item(s) changed (%1 s)</source>
        <translation>
            <numerusform>書き込み、確認しました。%n項目を変更（%1秒）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>written, %n item(s) changed (%1 s)</source>
        <translation>
            <numerusform>書き込みました。%n項目を変更（%1秒）</numerusform>
        </translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>順番待ち</translation>
    </message>
    <message numerus="yes">
        <source>read; a write would change %n item(s) (%1 s)</source>
        <translation>
            <numerusform>読み込みました。書き込むと%n項目が変わります（%1秒）</numerusform>
        </translation>
    </message>
    <message>
        <source>stopped before its turn came; nothing was sent</source>
        <translation>順番が来る前に止めました。何も送っていません</translation>
    </message>
</context>
<context>
    <name>ProvisionScripting</name>
    <message>
        <source>Provision at most N loggers at once, the others waiting their turn (default: all, up to %1).</source>
        <translation>一度に書き込むロガーを最大 N 台にし、ほかは順番を待たせます（既定: すべて、最大 %1 台）。</translation>
    </message>
    <message>
        <source>Read every logger and show what a write would change and find; send no write.</source>
        <translation>各ロガーを読み込み、書き込みで変わる項目と確認事項を示します。書き込みは送りません。</translation>
    </message>
    <message>
        <source>Run again only the loggers this report of an earlier provision records as not written or not read back as written.</source>
        <translation>以前の provision の記録で、書き込めなかった、または書き込んだとおりに読み込めなかったロガーだけをやり直します。</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--jobs には 1 から %1 までの数を指定してください（「%2」は使えません）</translation>
    </message>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1: 読み込めません: %2</translation>
    </message>
    <message>
        <source>%1: left out: the report records it as written and verified</source>
        <translation>%1: 除外: 記録では書き込み、確認済みです</translation>
    </message>
    <message numerus="yes">
        <source>%1: a write would change %n item(s)</source>
        <translation>
            <numerusform>%1: 書き込むと%n項目が変わります</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReadCommand</name>
    <message>
        <source>Read every setting of the logger on PORT into a settings file.</source>
        <translation>PORT のロガーの設定をすべて読み込み、設定ファイルにします。</translation>
    </message>
    <message>
        <source>COM1 to COM9, as the window names ports, or the path of a serial device.</source>
        <translation>COM1～COM9（画面と同じポート名）、またはシリアルデバイスのパス。</translation>
    </message>
    <message>
        <source>one port is needed</source>
        <translation>ポートを一つ指定してください</translation>
    </message>
    <message>
        <source>%1: the logger&apos;s answer to %2 holds a control character, which no settings file can hold</source>
        <translation>%1: %2 に対するロガーの応答に制御文字が含まれており、設定ファイルに保存できません</translation>
    </message>
    <message>
        <source>Write the settings file here (readable by its owner only) instead of on standard output (&quot;-&quot;).</source>
        <translation>設定ファイルを標準出力（「-」）ではなくこのファイルに書きます（所有者だけが読めます）。</translation>
    </message>
    <message>
        <source>Give the settings as one JSON object instead of a settings file.</source>
        <translation>設定を設定ファイルではなく一つの JSON オブジェクトとして出します。</translation>
    </message>
    <message>
        <source>With --json, show the passwords instead of %1.</source>
        <translation>--json のとき、パスワードを%1で隠さずに表示します。</translation>
    </message>
</context>
<context>
    <name>Recording</name>
    <message>
        <source>stopped before the read ended</source>
        <translation>読み込みを終わる前に止めました</translation>
    </message>
    <message>
        <source>the read failed: %1</source>
        <translation>読み込みに失敗しました: %1</translation>
    </message>
    <message>
        <source>telvaro-cli: the exchange was not recorded: %1</source>
        <translation>telvaro-cli: 通信を記録できませんでした: %1</translation>
    </message>
    <message>
        <source>%1 (the entry is kept in %2 until the record can be written)</source>
        <translation>%1 (記録に書き込めるまで項目を %2 に保管します)</translation>
    </message>
    <message>
        <source>%1 (nor can the entry be kept in the spool: %2)</source>
        <translation>%1 (項目をスプールに保管することもできません: %2)</translation>
    </message>
</context>
<context>
    <name>SecretHash</name>
    <message>
        <source>the key %1 cannot be read: %2</source>
        <translation>鍵 %1 を読めません: %2</translation>
    </message>
    <message>
        <source>the key %1 is not a key of a record (%2 bytes)</source>
        <translation>鍵 %1 は記録の鍵ではありません (%2 バイト)</translation>
    </message>
    <message>
        <source>the key %1 cannot be made: %2</source>
        <translation>鍵 %1 を作れません: %2</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>model code</source>
        <translation>機種コード</translation>
    </message>
    <message>
        <source>answer to &quot;EERC9&quot;</source>
        <translation>「EERC9」の応答</translation>
    </message>
    <message>
        <source>line %1: not UTF-8 text</source>
        <translation>%1行目: UTF-8のテキストではありません</translation>
    </message>
    <message>
        <source>line %1: no &quot;=&quot; (a line is item=value, a comment starting with &quot;#&quot;, or blank)</source>
        <translation>%1行目: 「=」がありません（行は 項目=値、「#」で始まるコメント、空行のいずれかです）</translation>
    </message>
    <message>
        <source>line %1: unknown item &quot;%2&quot;</source>
        <translation>%1行目: 不明な項目「%2」</translation>
    </message>
    <message>
        <source>line %1: item &quot;%2&quot; is already given on line %3</source>
        <translation>%1行目: 項目「%2」は%3行目ですでに指定されています</translation>
    </message>
    <message>
        <source>line %1: the value of &quot;%2&quot; holds a control character</source>
        <translation>%1行目: 「%2」の値に制御文字が含まれています</translation>
    </message>
    <message>
        <source>larger than %1 bytes: not a settings file</source>
        <translation>%1バイトを超えています。設定ファイルではありません</translation>
    </message>
    <message>
        <source>a control character in the value of %1 cannot be kept in a settings file</source>
        <translation>%1 の値の制御文字は設定ファイルに保存できません</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>the link in its place cannot be removed</source>
        <translation>その場所にあるリンクを取り除けません</translation>
    </message>
</context>
<context>
    <name>SettingsInput</name>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1: 読み込めません: %2</translation>
    </message>
    <message>
        <source>no model is given</source>
        <translation>機種が指定されていません</translation>
    </message>
    <message>
        <source>the model &quot;%1&quot; is unknown</source>
        <translation>機種「%1」は不明です</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>%1 cannot be used: %2</source>
        <translation>%1 を使えません: %2</translation>
    </message>
    <message>
        <source>note: %1; every channel row is taken to have alarm limits, and no element code can be checked</source>
        <translation>注意: %1。すべてのチャンネル行に警報値があるものとして扱い、要素コードは確かめられません</translation>
    </message>
    <message>
        <source>standard input (&quot;-&quot;) can be read only once</source>
        <translation>標準入力（「-」）は一度しか読めません</translation>
    </message>
    <message>
        <source>larger than %1 bytes</source>
        <translation>%1バイトを超えています</translation>
    </message>
</context>
<context>
    <name>ShownValues</name>
    <message>
        <source>(not given)</source>
        <translation>（指定なし）</translation>
    </message>
</context>
<context>
    <name>UnitsFile</name>
    <message>
        <source>line %1</source>
        <translation>%1行目</translation>
    </message>
    <message>
        <source>line %1, column %2</source>
        <translation>%1行目 %2列目</translation>
    </message>
    <message>
        <source>line %1, column %2 (%3)</source>
        <translation>%1行目 %2列目（%3）</translation>
    </message>
    <message>
        <source>%1: not UTF-8 text (save the file as CSV in UTF-8)</source>
        <translation>%1: UTF-8のテキストではありません（CSV UTF-8 形式で保存してください）</translation>
    </message>
    <message>
        <source>%1: the quoted value is never closed</source>
        <translation>%1: 引用符で始まる値が閉じられていません</translation>
    </message>
    <message>
        <source>%1: text after the closing quote (a quote inside a quoted value is written &quot;&quot;)</source>
        <translation>%1: 閉じ引用符の後に文字があります（引用符で囲んだ値の中の引用符は &quot;&quot; と書きます）</translation>
    </message>
    <message>
        <source>%1: the file is empty; its first line names the columns</source>
        <translation>%1: ファイルが空です。1行目に列の名前を書きます</translation>
    </message>
    <message>
        <source>%1: the column has no name</source>
        <translation>%1: 列に名前がありません</translation>
    </message>
    <message>
        <source>%1: unknown item &quot;%2&quot;</source>
        <translation>%1: 不明な項目「%2」</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is reported by the logger and cannot be set</source>
        <translation>%1: 「%2」はロガーが報告する値で、設定できません</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is already column %3</source>
        <translation>%1: 「%2」はすでに%3列目にあります</translation>
    </message>
    <message>
        <source>%1: no &quot;port&quot; column</source>
        <translation>%1: 「port」列がありません</translation>
    </message>
    <message>
        <source>%1: %2 values for %3 columns</source>
        <translation>%1: %3列に対して値が%2個です</translation>
    </message>
    <message>
        <source>%1: no port</source>
        <translation>%1: ポートがありません</translation>
    </message>
    <message>
        <source>%1: port &quot;%2&quot; already has the row on line %3</source>
        <translation>%1: ポート「%2」は%3行目にすでにあります</translation>
    </message>
    <message>
        <source>%1: no value (write &quot;&quot; for a value meant to be empty)</source>
        <translation>%1: 値がありません（空の値にするには &quot;&quot; と書きます）</translation>
    </message>
    <message>
        <source>%1: the value holds a control character (a line end, a tab)</source>
        <translation>%1: 値に制御文字（改行、タブ）が含まれています</translation>
    </message>
    <message>
        <source>larger than %1 bytes: not a units file</source>
        <translation>%1バイトを超えています：ユニットファイルではありません</translation>
    </message>
</context>
<context>
    <name>ValueChecks</name>
    <message>
        <source>%1: &quot;%2&quot; is not a decimal number</source>
        <translation>%1: 「%2」は10進数ではありません</translation>
    </message>
    <message>
        <source>%1: the lower limit %2 is above the upper limit %3</source>
        <translation>%1: 下限値 %2 が上限値 %3 を上回っています</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a mail address with one &quot;@&quot;</source>
        <translation>%1: 「%2」は「@」を一つだけ含むメールアドレスではありません</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not an IPv4 address such as 192.168.0.1</source>
        <translation>%1: 「%2」は 192.168.0.1 のようなIPv4アドレスではありません</translation>
    </message>
    <message>
        <source>%1: the element code &quot;%2&quot; is not one this channel offers</source>
        <translation>%1: 要素コード「%2」はこのチャンネルの要素にありません</translation>
    </message>
    <message>
        <source>%1: given as &quot;%2&quot;, but the screen makes it &quot;%3&quot; and so it is written</source>
        <translation>%1: 「%2」と指定されていますが、画面では「%3」となり、そのとおり書き込みます</translation>
    </message>
    <message>
        <source>%1: the logger holds &quot;%2&quot;; the write changes it to &quot;%3&quot;, though nobody asked</source>
        <translation>%1: ロガーの値「%2」が、指示なしに「%3」に変わります</translation>
    </message>
    <message>
        <source>%1: the logger holds &quot;%2&quot;; the write empties it, though nobody asked</source>
        <translation>%1: ロガーの値「%2」が、指示なしに空になります</translation>
    </message>
    <message>
        <source>%1: the logger holds &quot;%2&quot;; the write empties it</source>
        <translation>%1: ロガーの値「%2」が空になります</translation>
    </message>
</context>
<context>
    <name>WriteCommand</name>
    <message>
        <source>Write the items of a settings file into the logger on PORT, then read them back.</source>
        <translation>設定ファイルの項目を PORT のロガーに書き込み、読み込んで確かめます。</translation>
    </message>
    <message>
        <source>Do not read the logger back after writing.</source>
        <translation>書き込んだ後にロガーを読み込んで確かめることをしません。</translation>
    </message>
    <message>
        <source>Show the passwords instead of %1.</source>
        <translation>パスワードを%1で隠さずに表示します。</translation>
    </message>
    <message>
        <source>COM1 to COM9, as the window names ports, or the path of a serial device.</source>
        <translation>COM1～COM9（画面と同じポート名）、またはシリアルデバイスのパス。</translation>
    </message>
    <message>
        <source>The settings file.</source>
        <translation>設定ファイル。</translation>
    </message>
    <message>
        <source>one port and one settings file are needed</source>
        <translation>ポートと設定ファイルを一つずつ指定してください</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n item(s) changed</source>
        <translation>
            <numerusform>%1: %n項目を変更しました</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: every item read back as written</source>
        <translation>%1: すべての項目が書き込んだとおりに読み込めました</translation>
    </message>
    <message>
        <source>%1: not read back as written:</source>
        <translation>%1: 書き込んだとおりに読み込めなかった項目:</translation>
    </message>
    <message>
        <source>  %1: written %2, read back %3</source>
        <translation>  %1: 書込 %2、読込 %3</translation>
    </message>
    <message>
        <source>Write all the same what the checks stop: values that look wrong, changes nobody asked for.</source>
        <translation>確認が止めるものもそのまま書き込みます: 正しくないように見える値、指示のない変更。</translation>
    </message>
    <message>
        <source>Stopped by %1.</source>
        <translation>%1 で止めました。</translation>
    </message>
</context>
<context>
    <name>telvaro::cli::Interruption</name>
    <message>
        <source>%1: nothing was written; run the command again for it</source>
        <translation>%1: 何も書き込んでいません。このロガーにはコマンドをもう一度実行してください</translation>
    </message>
    <message>
        <source>%1: %2; run the command again for it to complete the write, and check the logger</source>
        <translation>%1: %2。このロガーにはコマンドをもう一度実行して書き込みを完了させ、ロガーを確認してください</translation>
    </message>
    <message>
        <source>%1: written, but not read back; check it (telvaro-cli diff %1 FILE)</source>
        <translation>%1: 書き込みましたが、確認の読み込みはしていません。確認してください（telvaro-cli diff %1 FILE）</translation>
    </message>
</context>
<context>
    <name>telvaro::cli::LoggerSession</name>
    <message>
        <source>read</source>
        <translation>読込</translation>
    </message>
    <message>
        <source>write</source>
        <translation>書込</translation>
    </message>
    <message>
        <source>the script files have no folder to go to: %1</source>
        <translation>書込ファイルを置くフォルダーがありません: %1</translation>
    </message>
    <message>
        <source>finishing the write</source>
        <translation>書き込みを最後まで行っています</translation>
    </message>
    <message>
        <source>stopping at once</source>
        <translation>すぐに止めています</translation>
    </message>
    <message>
        <source>stopping</source>
        <translation>止めています</translation>
    </message>
</context>
</TS>
