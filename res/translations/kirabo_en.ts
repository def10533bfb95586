<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Dialog100</name>
    <message>
        <source>Kiraboのﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Kirabo</translation>
    </message>
    <message>
        <source>RAW 写真を撮影した日時の名前にリネームします。</source>
        <translation>Renames raw photographs after the moment they were taken.</translation>
    </message>
    <message>
        <source>© The Kirabo authors・MIT ライセンス</source>
        <translation>© The Kirabo authors · MIT License</translation>
    </message>
</context>
<context>
    <name>Dialog102</name>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>ファイル名形式(撮影日が 2004/10/5 9:25:10 の場合)</source>
        <translation>File name format (for a picture taken 2004/10/5 9:25:10)</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Kirabo のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About Kirabo...</translation>
    </message>
</context>
<context>
    <name>SystemMenu</name>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>フォルダを指定してください</source>
        <translation>Please choose a folder</translation>
    </message>
    <message>
        <source>フォルダが見つかりません</source>
        <translation>Folder not found</translation>
    </message>
    <message>
        <source>ファイル名形式を選択してください</source>
        <translation>Please choose a file name format</translation>
    </message>
    <message>
        <source>%1 件のファイル名を元に戻しますか?</source>
        <translation>Restore the names of %1 files?</translation>
    </message>
    <message>
        <source>フォルダではありません</source>
        <translation>Not a folder</translation>
    </message>
    <message>
        <source>設定を保存できません: %1</source>
        <translation>Cannot save the settings: %1</translation>
    </message>
</context>
<context>
    <name>AboutDialog</name>
    <message>
        <source>Kirabo バージョン %1</source>
        <translation>Kirabo version %1</translation>
    </message>
</context>
<context>
    <name>MainApp</name>
    <message>
        <source>メモリ不足エラーです。</source>
        <translation>Out of memory.</translation>
    </message>
</context>
<context>
    <name>FolderPicker</name>
    <message>
        <source>フォルダの選択</source>
        <translation>Choose a folder</translation>
    </message>
</context>
<context>
    <name>FileOutcomes</name>
    <message>
        <source>撮影日時がありません</source>
        <translation>no capture time</translation>
    </message>
    <message>
        <source>読み込めません</source>
        <translation>cannot read</translation>
    </message>
    <message>
        <source>リネームできません</source>
        <translation>cannot rename</translation>
    </message>
    <message>
        <source>元に戻せません</source>
        <translation>cannot undo</translation>
    </message>
    <message>
        <source>見つかりません</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>変更されています</source>
        <translation>changed since</translation>
    </message>
    <message>
        <source>元の名前が使われています</source>
        <translation>old name taken</translation>
    </message>
    <message>
        <source>関連ファイル</source>
        <translation>companion</translation>
    </message>
</context>
<context>
    <name>JobTexts</name>
    <message>
        <source>%1
を検索中・・・</source>
        <translation>Searching
%1</translation>
    </message>
    <message>
        <source>リネーム終了</source>
        <translation>Renaming finished</translation>
    </message>
    <message>
        <source>リネームしたファイル: %1 件</source>
        <translation>Renamed: %1</translation>
    </message>
    <message>
        <source>一緒にリネームした関連ファイル: %1 件</source>
        <translation>Companion files renamed with them: %1</translation>
    </message>
    <message>
        <source>すでに正しい名前のファイル: %1 件</source>
        <translation>Already named: %1</translation>
    </message>
    <message>
        <source>撮影日時のないファイル: %1 件</source>
        <translation>Without capture time: %1</translation>
    </message>
    <message>
        <source>リネームできなかったファイル: %1 件</source>
        <translation>Could not be renamed: %1</translation>
    </message>
    <message>
        <source>開けなかったフォルダ: %1 件</source>
        <translation>Folders that could not be opened: %1</translation>
    </message>
    <message>
        <source>RAW ファイルが見つかりませんでした</source>
        <translation>No raw files found</translation>
    </message>
    <message>
        <source>読み込めなかったファイル: %1 件</source>
        <translation>Files that could not be read: %1</translation>
    </message>
    <message>
        <source>他 %1 件</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>元に戻しました</source>
        <translation>Names restored</translation>
    </message>
    <message>
        <source>元に戻したファイル: %1 件</source>
        <translation>Files restored: %1</translation>
    </message>
    <message>
        <source>元に戻せなかったファイル: %1 件</source>
        <translation>Files that could not be restored: %1</translation>
    </message>
    <message>
        <source>取り消し用の記録を書き込めません:
%1</source>
        <translation>Cannot write the undo journal:
%1</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>%1	を検索中・・・</source>
        <translation>%1	searching...</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>使い方: kirabo-cli [-f 形式] [-j N] [-n] [-q] [--raw-only] [--no-journal] [--] フォルダ
       kirabo-cli --undo [-n] [-q] [--no-journal] [--] フォルダ
       kirabo-cli --jobs
フォルダとその下のすべてのフォルダにある RAW ファイルを撮影日時の名前に
リネームします。拡張子はそのままです。RAW ファイル (拡張子の大文字と小文字は
区別しません):
</source>
        <translation>Usage: kirabo-cli [-f FORMAT] [-j N] [-n] [-q] [--raw-only] [--no-journal] [--] FOLDER
       kirabo-cli --undo [-n] [-q] [--no-journal] [--] FOLDER
       kirabo-cli --jobs
Renames the raw files in FOLDER and every folder below it after the time
the picture was taken, keeping each file's extension. Raw files, with their
extensions in any letter case:
</translation>
    </message>
    <message>
        <source>名前が使われているときは拡張子の前に _1, _2, ... を付けます。ファイルを
置き換えることはありません。

</source>
        <translation>A taken name gets _1, _2, ... before the extension; no file is ever replaced.

</translation>
    </message>
    <message>
        <source>関連ファイルは RAW ファイルと一緒に同じ新しい語幹へリネームします。
IMG_1234.CR2 の場合 (大文字と小文字は区別しません):
  IMG_1234 + .JPG .JPEG .HIF .HEIC .HEIF .THM .WAV .XMP .ON1
      (この語幹の RAW ファイルがフォルダに 1 つだけのとき)
  IMG_1234.CR2 + .XMP .PP3 .DOP
  IMG_1234_01.CR2.xmp など (IMG_1234_01.CR2 がないとき)
  CaptureOne/Settings*/IMG_1234.CR2 + .COS .COMASK
後ろの部分はそのままです: IMG_1234_01.CR2.xmp は 041005_092510_01.CR2.xmp
に、接尾辞付きでは 041005_092510_1_01.CR2.xmp になります。接尾辞はすべての
関連ファイルで空いているものを使います。どれかをリネームできないときは全体を
元に戻します。darktable は NAME_NN.EXT.xmp を複製とみなすため、同じ秒の
10 枚目 (041005_092510_10.CR2) のサイドカーを 041005_092510.CR2 の 10 番目の
版と読むことがあります。

</source>
        <translation>Each raw file is renamed with its companions, which take its new stem.
For IMG_1234.CR2 (letter case never matters):
  IMG_1234 + .JPG .JPEG .HIF .HEIC .HEIF .THM .WAV .XMP .ON1
      (while no other raw file in the folder has that stem)
  IMG_1234.CR2 + .XMP .PP3 .DOP
  IMG_1234_01.CR2.xmp and the like (while there is no IMG_1234_01.CR2)
  CaptureOne/Settings*/IMG_1234.CR2 + .COS .COMASK
The rest of each name stays: IMG_1234_01.CR2.xmp becomes
041005_092510_01.CR2.xmp, with a suffix 041005_092510_1_01.CR2.xmp. A suffix
is taken only when it is free for every member; if one member cannot be
renamed, the group is put back. darktable reads NAME_NN.EXT.xmp as a
duplicate, so the sidecar of a tenth photo of one second
(041005_092510_10.CR2) may be read as version 10 of 041005_092510.CR2.

</translation>
    </message>
    <message>
        <source>  -f, --format=形式    新しい名前の形式。最初のものが既定:
</source>
        <translation>  -f, --format=FORMAT  the new names' format, the first being the default:
</translation>
    </message>
    <message>
        <source>  -j, --readers=N      N 個のファイルの撮影日時をリネームより先に同時に読む
                       (1 から 64、1 は 1 つずつ)。既定は回転ディスクで 1、
                       それ以外で 16
  -n, --dry-run        何もリネームせず、実際に実行したときの行を表示する
  -q, --quiet          検索したフォルダと集計を表示しない
  --raw-only           RAW ファイルだけをリネームし、関連ファイルはそのままにする
  --undo               フォルダの最新のジョブのうち、まだ取り消していないものを
                       取り消す
  --jobs               記録フォルダに残っているジョブを一覧表示する
  --no-journal         このジョブの記録を残さない (取り消せなくなる)
</source>
        <translation>  -j, --readers=N      read the capture times of N files at once, ahead of
                       the renames (1 to 64; 1 reads one file at a time);
                       the default is 1 on a spinning disk, 16 elsewhere
  -n, --dry-run        rename nothing; print the lines a real run would print
  -q, --quiet          print neither the folders searched nor the summary
  --raw-only           rename raw files alone, leaving their companions
  --undo               take back the latest job on FOLDER not yet taken back
  --jobs               list the jobs kept in the journal folder
  --no-journal         keep no journal of this job: it cannot be undone
</translation>
    </message>
    <message>
        <source>  -h, --help           この説明を表示する
</source>
        <translation>  -h, --help           show this help
</translation>
    </message>
    <message>
        <source>  -h, --help, /?       この説明を表示する
</source>
        <translation>  -h, --help, /?       show this help
</translation>
    </message>
    <message>
        <source>  -V, --version        バージョンを表示する
  --                   オプションの終わり (フォルダが '-' で始まるとき)

リネームしたファイルごとに標準出力へ 1 行:
  i/N&lt;TAB&gt;元のパス&lt;TAB&gt;新しいパス
i は見つかった RAW ファイルの番号、N はその数です。パスは指定したフォルダ
で始まります。検索したフォルダごとに標準エラー出力へ
'フォルダ&lt;TAB&gt;を検索中・・・' (英語では 'FOLDER&lt;TAB&gt;searching...') を表示
します。
</source>
        <translation>  -V, --version        show the version
  --                   end of options: FOLDER may begin with '-'

Each renamed file gives one line on standard output:
  i/N&lt;TAB&gt;old path&lt;TAB&gt;new path
where i counts every raw file found and N is their number; paths begin with
FOLDER as given. Each folder searched gives a line 'FOLDER&lt;TAB&gt;searching...'
on standard error ('FOLDER&lt;TAB&gt;を検索中・・・' in Japanese).
</translation>
    </message>
    <message>
        <source>言語は KIRABO_LANG=ja または en、なければ LANGUAGE, LC_ALL, LC_MESSAGES,
LANG で決まります。
表示するパスでは \ を \\、タブを \t、改行を \n と書き、その他の制御文字
(C0, DEL, C1)、双方向テキストの上書き・分離の文字、ロケールの文字セットにない
文字の各バイトを \xHH と書きます。
</source>
        <translation>The language is KIRABO_LANG=ja or en, else Japanese when LANGUAGE,
LC_ALL, LC_MESSAGES or LANG asks for it.
In printed paths a backslash is written as \\, a tab as \t, a line feed
as \n, and each byte of any other control character (C0, DEL, C1), of a
bidirectional override or isolate, or of no character of the locale's
character set as \xHH.
</translation>
    </message>
    <message>
        <source>言語は KIRABO_LANG=ja または en、なければ Windows の表示言語で決まります。
表示するパスでは各文字をそのまま表示します。Windows の名前にはタブや改行
などの制御文字がありません。
</source>
        <translation>The language is KIRABO_LANG=ja or en, else Japanese when the Windows
display language is Japanese.
Printed paths show each character as it is: Windows names hold no tabs,
line feeds or other control characters.
</translation>
    </message>
    <message>
        <source>
すでに正しい名前のファイルは何も表示しません。一覧できないフォルダと、元の
名前のまま残ったファイルは --quiet でも標準エラー出力へ 1 行を表示します:
  kirabo-cli: フォルダ: 一覧できません: 理由
  kirabo-cli: パス: 撮影日時がありません
  kirabo-cli: パス: 読み込めません: 理由
  kirabo-cli: パス: リネームできません: 理由
最後に --quiet でなければ集計 'リネーム N 件、正しい名前 N 件、撮影日時なし
N 件、失敗 N 件' (または 'RAW ファイルが見つかりませんでした') を標準エラー
出力へ表示します。--dry-run では 'リネーム予定 N 件、...' です。一覧できない
フォルダがあれば '、一覧できなかったフォルダ N 件' が続きます。
端末では処理中のファイルを '[i/N] 名前' で表示します。

ドライラン以外のジョブは、リネームの記録 (ジャーナル) を先に
$XDG_STATE_HOME/kirabo/jobs (既定は ~/.local/state/kirabo/jobs、Windows では
%LOCALAPPDATA%\Kirabo\jobs) に書きます。残すのは最新の 50 件です。各行は
そのリネームを試す前に書きます。書けないときはジョブを中断し
'kirabo-cli: 取り消し用の記録を書き込めません: 理由' を表示します。
--undo はジョブのファイルを逆の順に元の名前へ戻します。新しい名前のファイルが
同じファイルのままで、元の名前が空いている (大文字と小文字は区別しない) とき
だけです。ファイルを置き換えることはありません。戻せないファイルは
  kirabo-cli: パス: 元に戻せません: 理由
(見つからない、変更された、元の名前が使われている、またはシステムの理由) を
表示し、最後に '元に戻した N 件、元に戻せなかった N 件' を表示します。取り消しも
記録を残すジョブなので、もう一度 --undo で取り消せます。--jobs は残っている
記録ごとに 1 行 (開始時刻 (UTC)、フォルダ、リネームしたファイル数、取り消し
たかどうか) を表示します。

</source>
        <translation>
A file that already has its name prints nothing. A folder that cannot be
listed, and a file left with its old name, give a line on standard error,
also with --quiet:
  kirabo-cli: FOLDER: cannot list: REASON
  kirabo-cli: PATH: no capture time
  kirabo-cli: PATH: cannot read: REASON
  kirabo-cli: PATH: cannot rename: REASON
The job ends with 'N renamed, N already named, N without capture time,
N failed' (or 'no raw files found') on standard error, unless --quiet; a
dry run says 'N would be renamed, ...'; then ', N folders not listed' when
some were not. On a terminal, standard error also
shows the file at hand as '[i/N] name'.

Every job but a dry run first writes a journal of its renames to
$XDG_STATE_HOME/kirabo/jobs (by default ~/.local/state/kirabo/jobs;
%LOCALAPPDATA%\Kirabo\jobs on Windows); the last 50 are kept. Each line
is written before its rename is tried; when that cannot be done the job
stops with 'kirabo-cli: cannot write the undo journal: REASON'.
--undo renames the job's files back in the reverse order, each only when
the file at the new name is still the same file and the old name is free
(letter case ignored); it never replaces a file. Others give a line
  kirabo-cli: PATH: cannot undo: REASON
(missing, changed since, old name taken, or the system's reason) and the
undo ends with 'N restored, N could not be restored'. An undo is a job
with its own journal: --undo again takes it back in turn. --jobs prints
one line per kept journal: start time (UTC), folder, files renamed, and
whether it was taken back.

</translation>
    </message>
    <message>
        <source>ドライランは、リネームそのものでしか分からない失敗を予見できません:
変更不可や追記のみのファイル、ディスクやクォータの不足、入出力エラー、
ドライランのあとで変わったファイル。

</source>
        <translation>A dry run cannot foresee what only the rename itself finds out: an
immutable or append-only file, a full disk or quota, an I/O error, or
files that change after the dry run.

</translation>
    </message>
    <message>
        <source>SIGINT (Ctrl-C) または SIGTERM で次のファイルかリネームの前に中断し、
それまでの集計を表示します。リネームが途中で終わることはありません。
標準出力への書き込みの失敗 (閉じたパイプ) でも中断します。
</source>
        <translation>SIGINT (Ctrl-C) or SIGTERM stops the job before its next file or rename and
prints the summary of what was done; a file is never left half-renamed. So
does a failed write to standard output (a closed pipe).
</translation>
    </message>
    <message>
        <source>Ctrl-C または Ctrl-Break で次のファイルかリネームの前に中断し、
それまでの集計を表示します。リネームが途中で終わることはありません。
標準出力への書き込みの失敗 (閉じたパイプ) でも中断します。
</source>
        <translation>Ctrl-C or Ctrl-Break stops the job before its next file or rename and
prints the summary of what was done; a file is never left half-renamed. So
does a failed write to standard output (a closed pipe).
</translation>
    </message>
    <message>
        <source>
終了コード: 0 リネームの失敗なし、1 フォルダがない・フォルダではない・
出力か記録を書けなかった・取り消すジョブがない、2 使い方の誤り、3 リネーム
(または元に戻すこと) に失敗したファイルか一覧できないフォルダがある、130 中断
した。
</source>
        <translation>
Exit status: 0 no rename failed, 1 FOLDER does not exist or is no folder,
the output or the journal could not be written, or there is no job to
undo, 2 usage error, 3 at least one rename (or restore) failed or folder
not listed, 130 stopped.
</translation>
    </message>
    <message>
        <source>一覧できません</source>
        <translation>cannot list</translation>
    </message>
    <message>
        <source>RAW ファイルが見つかりませんでした</source>
        <translation>no raw files found</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>リネーム %1 件</source>
        <translation>%1 renamed</translation>
    </message>
    <message>
        <source>リネーム予定 %1 件</source>
        <translation>%1 would be renamed</translation>
    </message>
    <message>
        <source>正しい名前 %1 件</source>
        <translation>%1 already named</translation>
    </message>
    <message>
        <source>撮影日時なし %1 件</source>
        <translation>%1 without capture time</translation>
    </message>
    <message>
        <source>失敗 %1 件</source>
        <translation>%1 failed</translation>
    </message>
    <message>
        <source>失敗予定 %1 件</source>
        <translation>%1 would fail</translation>
    </message>
    <message>
        <source>読み込めず %1 件</source>
        <translation>%1 could not be read</translation>
    </message>
    <message>
        <source>(関連ファイル 1 件)</source>
        <translation>(1 companion file)</translation>
    </message>
    <message>
        <source>(関連ファイル %1 件)</source>
        <translation>(%1 companion files)</translation>
    </message>
    <message>
        <source>複数の RAW ファイルに属するため、そのままにします</source>
        <translation>belongs to more than one raw file; left as it is</translation>
    </message>
    <message>
        <source>一覧できなかったフォルダ 1 件</source>
        <translation>1 folder not listed</translation>
    </message>
    <message>
        <source>一覧できなかったフォルダ %1 件</source>
        <translation>%1 folders not listed</translation>
    </message>
    <message>
        <source>元に戻した %1 件</source>
        <translation>%1 restored</translation>
    </message>
    <message>
        <source>元に戻せなかった %1 件</source>
        <translation>%1 could not be restored</translation>
    </message>
    <message>
        <source>元に戻す予定 %1 件</source>
        <translation>%1 would be restored</translation>
    </message>
    <message>
        <source>元に戻せない予定 %1 件</source>
        <translation>%1 would not be restored</translation>
    </message>
    <message>
        <source>取り消し用の記録を書き込めません</source>
        <translation>cannot write the undo journal</translation>
    </message>
    <message>
        <source>%1: 取り消すジョブがありません</source>
        <translation>%1: no job to undo</translation>
    </message>
    <message>
        <source>--jobs と --undo は一緒に使えません</source>
        <translation>--jobs and --undo do not go together</translation>
    </message>
    <message>
        <source>--jobs はフォルダを取りません</source>
        <translation>--jobs takes no FOLDER</translation>
    </message>
    <message>
        <source>フォルダではありません</source>
        <translation>not a folder</translation>
    </message>
    <message>
        <source>出力を書き込めません</source>
        <translation>cannot write the output</translation>
    </message>
    <message>
        <source>メモリが足りません</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>詳しくは 'kirabo-cli --help' を実行してください。</source>
        <translation>Try 'kirabo-cli --help' for more information.</translation>
    </message>
    <message>
        <source>フォルダが指定されていません</source>
        <translation>FOLDER is missing</translation>
    </message>
    <message>
        <source>フォルダが 2 つ以上指定されています</source>
        <translation>more than one FOLDER given</translation>
    </message>
    <message>
        <source>不明なオプション '%1'</source>
        <translation>unrecognized option '%1'</translation>
    </message>
    <message>
        <source>オプション '--%1' は値を取りません</source>
        <translation>option '--%1' takes no value</translation>
    </message>
    <message>
        <source>不正なオプション -- '%1'</source>
        <translation>invalid option -- '%1'</translation>
    </message>
    <message>
        <source>オプション '--%1' には値が必要です</source>
        <translation>option '--%1' needs a value</translation>
    </message>
    <message>
        <source>不正な形式 '%1' (%2 のいずれか)</source>
        <translation>invalid format '%1' (use one of %2)</translation>
    </message>
    <message>
        <source>不正な読み込み数 '%1' (1 から 64)</source>
        <translation>invalid number of readers '%1' (use 1 to 64)</translation>
    </message>
</context>
<context>
    <name>Installer</name>
    <message>
        <source>Kirabo でリネーム</source>
        <translation>Rename with Kirabo</translation>
    </message>
</context>
</TS>
