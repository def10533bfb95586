#include "cli/CliTexts.h"

#include "res/translations/TextTable.h"

namespace kirabo::cli {

namespace {

constexpr char kContext[] = "Cli";

// Each part names its count with "%1".
std::string Count(UiLanguage language, const char* source, size_t count) {
  return WithArgument(CliText(language, source), std::to_string(count));
}

}  // namespace

std::string CliText(UiLanguage language, const char* source) { return TextIn(language, kContext, source); }

std::string UsageText(UiLanguage language) {
  return CliText(language,
                 "使い方: kirabo-cli [-f 形式] [-j N] [-n] [-q] [--] フォルダ\n"
                 "フォルダとその下のすべてのフォルダにある RAW ファイルを撮影日時の名前に\n"
                 "リネームします。拡張子はそのままです。RAW ファイル: Canon (.CRW, .CR2, .CR3)、\n"
                 "Nikon (.NEF, .NRW)、Sony (.ARW, .SR2, .SRF)、Fujifilm (.RAF)、Panasonic と\n"
                 "Leica (.RW2, .RWL)、Olympus と OM System (.ORF, .ORI)、Pentax (.PEF)、\n"
                 "Hasselblad (.3FR, .FFF)、Phase One と Leaf (.IIQ, .MOS)、Samsung (.SRW)、\n"
                 "Minolta (.MRW)、Epson (.ERF)、Mamiya (.MEF)、Kodak (.KDC, .DCR)、DNG。\n"
                 "名前が使われているときは拡張子の前に _1, _2, ... を付けます。ファイルを\n"
                 "置き換えることはありません。\n"
                 "\n"
                 "  -f, --format=形式    1 または datetime: yymmdd_hhmmss (例 041005_092510.CRW、\n"
                 "                       既定)、2 または time: hhmmss (例 092510.CRW)\n"
                 "  -j, --readers=N      N 個のファイルの撮影日時をリネームより先に同時に読む\n"
                 "                       (1 から 64、1 は 1 つずつ)。既定は回転ディスクで 1、\n"
                 "                       それ以外で 16\n"
                 "  -n, --dry-run        何もリネームせず、実際に実行したときの行を表示する\n"
                 "  -q, --quiet          検索したフォルダと集計を表示しない\n"
                 "  -h, --help           この説明を表示する\n"
                 "  -V, --version        バージョンを表示する\n"
                 "  --                   オプションの終わり (フォルダが '-' で始まるとき)\n"
                 "\n"
                 "リネームしたファイルごとに標準出力へ 1 行:\n"
                 "  i/N<TAB>元のパス<TAB>新しいパス\n"
                 "i は見つかった RAW ファイルの番号、N はその数です。パスは指定したフォルダ\n"
                 "で始まります。検索したフォルダごとに標準エラー出力へ\n"
                 "'フォルダ<TAB>を検索中・・・' (英語では 'FOLDER<TAB>searching...') を表示\n"
                 "します。言語は KIRABO_LANG=ja または en、なければ LANGUAGE, LC_ALL,\n"
                 "LC_MESSAGES, LANG で決まります。\n"
                 "表示するパスでは \\ を \\\\ (Windows では区切りなのでそのまま)、タブを \\t、\n"
                 "改行を \\n、その他の制御文字を \\xHH と書きます。\n"
                 "\n"
                 "すでに正しい名前のファイルは何も表示しません。元の名前のまま残ったファイル\n"
                 "は --quiet でも標準エラー出力へ 1 行を表示します:\n"
                 "  kirabo-cli: パス: 撮影日時がありません\n"
                 "  kirabo-cli: パス: 読み込めません: 理由\n"
                 "  kirabo-cli: パス: リネームできません: 理由\n"
                 "最後に --quiet でなければ集計 'リネーム N 件、正しい名前 N 件、撮影日時なし\n"
                 "N 件、失敗 N 件' (または 'RAW ファイルが見つかりませんでした') を標準エラー\n"
                 "出力へ表示します。--dry-run では 'リネーム予定 N 件、...' です。\n"
                 "端末では処理中のファイルを '[i/N] 名前' で表示します。\n"
                 "\n"
                 "SIGINT (Ctrl-C) または SIGTERM で次のファイルかリネームの前に中断し、\n"
                 "それまでの集計を表示します。リネームが途中で終わることはありません。\n"
                 "標準出力への書き込みの失敗 (閉じたパイプ) でも中断します。\n"
                 "\n"
                 "終了コード: 0 リネームの失敗なし、1 フォルダがない・フォルダではない・\n"
                 "出力を書けなかった、2 使い方の誤り、3 リネームに失敗したファイルがある、\n"
                 "130 中断した。\n");
}

std::string OutcomeText(const FileReport& report, UiLanguage language) {
  switch (report.outcome) {
    case FileOutcome::NoCaptureTime:
      return CliText(language, "撮影日時がありません");
    case FileOutcome::RenameFailed:
      return CliText(language, "リネームできません") + ": " + report.reason;
    case FileOutcome::CannotRead:
      return CliText(language, "読み込めません") + ": " + report.reason;
    case FileOutcome::Renamed:
    case FileOutcome::AlreadyNamed:
      break;
  }
  return {};
}

std::string SummaryLine(const JobCounts& counts, bool dryRun, UiLanguage language) {
  if (counts.Found() == 0) return CliText(language, "RAW ファイルが見つかりませんでした");
  const std::string separator = CliText(language, "、");
  std::string line = Count(language, dryRun ? "リネーム予定 %1 件" : "リネーム %1 件", counts.renamed) + separator +
                     Count(language, "正しい名前 %1 件", counts.alreadyNamed) + separator +
                     Count(language, "撮影日時なし %1 件", counts.noCaptureTime) + separator +
                     Count(language, dryRun ? "失敗予定 %1 件" : "失敗 %1 件", counts.renameFailed);
  if (counts.cannotRead > 0) line += separator + Count(language, "読み込めず %1 件", counts.cannotRead);
  return line;
}

}  // namespace kirabo::cli
