<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Dialog100</name>
    <message>
        <source>Kiraboのﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Kirabo</translation>
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
</context>
<context>
    <name>Installer</name>
    <message>
        <source>Kirabo でリネーム</source>
        <translation>Rename with Kirabo</translation>
    </message>
</context>
</TS>
