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
        <source>Canon の RAW 写真を撮影した日時の名前にリネームします。</source>
        <translation>Renames Canon raw photographs after the moment they were taken.</translation>
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
        <source>フォルダではありません</source>
        <translation>Not a folder</translation>
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
        <source>RAW ファイルが見つかりませんでした</source>
        <translation>No raw files found</translation>
    </message>
    <message>
        <source>読み込めなかったファイル: %1 件</source>
        <translation>Files that could not be read: %1</translation>
    </message>
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
        <source>他 %1 件</source>
        <translation>and %1 more</translation>
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
        <source>使い方: kirabo-cli [-f 形式] [-j N] [-n] [-q] [--] フォルダ
フォルダとその下のすべてのフォルダにある RAW ファイルを撮影日時の名前に
リネームします。拡張子はそのままです。RAW ファイル: Canon (.CRW, .CR2, .CR3)、
Nikon (.NEF, .NRW)、Sony (.ARW, .SR2, .SRF)、Fujifilm (.RAF)、Panasonic と
Leica (.RW2, .RWL)、Olympus と OM System (.ORF, .ORI)、Pentax (.PEF)、
Hasselblad (.3FR, .FFF)、Phase One と Leaf (.IIQ, .MOS)、Samsung (.SRW)、
Minolta (.MRW)、Epson (.ERF)、Mamiya (.MEF)、Kodak (.KDC, .DCR)、DNG。
名前が使われているときは拡張子の前に _1, _2, ... を付けます。ファイルを
置き換えることはありません。

  -f, --format=形式    1 または datetime: yymmdd_hhmmss (例 041005_092510.CRW、
                       既定)、2 または time: hhmmss (例 092510.CRW)
  -j, --readers=N      N 個のファイルの撮影日時をリネームより先に同時に読む
                       (1 から 64、1 は 1 つずつ)。既定は回転ディスクで 1、
                       それ以外で 16
  -n, --dry-run        何もリネームせず、実際に実行したときの行を表示する
  -q, --quiet          検索したフォルダと集計を表示しない
  -h, --help           この説明を表示する
  -V, --version        バージョンを表示する
  --                   オプションの終わり (フォルダが '-' で始まるとき)

リネームしたファイルごとに標準出力へ 1 行:
  i/N&lt;TAB&gt;元のパス&lt;TAB&gt;新しいパス
i は見つかった RAW ファイルの番号、N はその数です。パスは指定したフォルダ
で始まります。検索したフォルダごとに標準エラー出力へ
'フォルダ&lt;TAB&gt;を検索中・・・' (英語では 'FOLDER&lt;TAB&gt;searching...') を表示
します。言語は KIRABO_LANG=ja または en、なければ LANGUAGE, LC_ALL,
LC_MESSAGES, LANG で決まります。
表示するパスでは \ を \\ (Windows では区切りなのでそのまま)、タブを \t、
改行を \n、その他の制御文字を \xHH と書きます。

すでに正しい名前のファイルは何も表示しません。元の名前のまま残ったファイル
は --quiet でも標準エラー出力へ 1 行を表示します:
  kirabo-cli: パス: 撮影日時がありません
  kirabo-cli: パス: 読み込めません: 理由
  kirabo-cli: パス: リネームできません: 理由
最後に --quiet でなければ集計 'リネーム N 件、正しい名前 N 件、撮影日時なし
N 件、失敗 N 件' (または 'RAW ファイルが見つかりませんでした') を標準エラー
出力へ表示します。--dry-run では 'リネーム予定 N 件、...' です。
端末では処理中のファイルを '[i/N] 名前' で表示します。

SIGINT (Ctrl-C) または SIGTERM で次のファイルかリネームの前に中断し、
それまでの集計を表示します。リネームが途中で終わることはありません。
標準出力への書き込みの失敗 (閉じたパイプ) でも中断します。

終了コード: 0 リネームの失敗なし、1 フォルダがない・フォルダではない・
出力を書けなかった、2 使い方の誤り、3 リネームに失敗したファイルがある、
130 中断した。
</source>
        <translation>Usage: kirabo-cli [-f FORMAT] [-j N] [-n] [-q] [--] FOLDER
Renames the raw files in FOLDER and every folder below it after the time
the picture was taken, keeping each file's extension. Raw files: Canon (.CRW,
.CR2, .CR3), Nikon (.NEF, .NRW), Sony (.ARW, .SR2, .SRF), Fujifilm (.RAF),
Panasonic and Leica (.RW2, .RWL), Olympus and OM System (.ORF, .ORI), Pentax
(.PEF), Hasselblad (.3FR, .FFF), Phase One and Leaf (.IIQ, .MOS), Samsung
(.SRW), Minolta (.MRW), Epson (.ERF), Mamiya (.MEF), Kodak (.KDC, .DCR) and
DNG, in any letter case.
A taken name gets _1, _2, ... before the extension; no file is ever replaced.

  -f, --format=FORMAT  1 or datetime: yymmdd_hhmmss, e.g. 041005_092510.CRW
                       (the default); 2 or time: hhmmss, e.g. 092510.CRW
  -j, --readers=N      read the capture times of N files at once, ahead of
                       the renames (1 to 64; 1 reads one file at a time);
                       the default is 1 on a spinning disk, 16 elsewhere
  -n, --dry-run        rename nothing; print the lines a real run would print
  -q, --quiet          print neither the folders searched nor the summary
  -h, --help           show this help
  -V, --version        show the version
  --                   end of options: FOLDER may begin with '-'

Each renamed file gives one line on standard output:
  i/N&lt;TAB&gt;old path&lt;TAB&gt;new path
where i counts every raw file found and N is their number; paths begin with
FOLDER as given. Each folder searched gives a line 'FOLDER&lt;TAB&gt;searching...'
on standard error ('FOLDER&lt;TAB&gt;を検索中・・・' in Japanese: chosen by
KIRABO_LANG=ja, or by a Japanese LANGUAGE, LC_ALL, LC_MESSAGES or LANG).
In printed paths a backslash is written as \\ (not on Windows, where it
is the separator), a tab as \t, a line feed as \n and any other control
byte as \xHH.

A file that already has its name prints nothing. A file left with its old
name gives a line on standard error, also with --quiet:
  kirabo-cli: PATH: no capture time
  kirabo-cli: PATH: cannot read: REASON
  kirabo-cli: PATH: cannot rename: REASON
The job ends with 'N renamed, N already named, N without capture time,
N failed' (or 'no raw files found') on standard error, unless --quiet; a
dry run says 'N would be renamed, ...'. On a terminal, standard error also
shows the file at hand as '[i/N] name'.

SIGINT (Ctrl-C) or SIGTERM stops the job before its next file or rename and
prints the summary of what was done; a file is never left half-renamed. So
does a failed write to standard output (a closed pipe).

Exit status: 0 no rename failed, 1 FOLDER does not exist or is no folder,
or the output could not be written, 2 usage error, 3 at least one rename
failed, 130 stopped.
</translation>
    </message>
    <message>
        <source>撮影日時がありません</source>
        <translation>no capture time</translation>
    </message>
    <message>
        <source>リネームできません</source>
        <translation>cannot rename</translation>
    </message>
    <message>
        <source>読み込めません</source>
        <translation>cannot read</translation>
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
        <source>不正な形式 '%1' (1, 2, datetime, time のいずれか)</source>
        <translation>invalid format '%1' (use 1, 2, datetime or time)</translation>
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
