#include "cli/CliTexts.h"

#include <algorithm>

#include "cli/OutputCharset.h"
#include "engine/NameFormats.h"
#include "engine/RawFormatList.h"
#include "engine/UndoWorker.h"
#include "res/translations/TextTable.h"

namespace kirabo::cli {

namespace {

constexpr char kContext[] = "Cli";

// Each part names its count with "%1".
std::string Count(UiLanguage language, const char* source, size_t count) {
  return WithArgument(CliText(language, source), std::to_string(count));
}

// The parts of the help that differ between the systems: "/?", how the
// language is chosen, how paths print, and what stops a job.
#ifdef _WIN32
constexpr char kHelpOption[] =
      "  -h, --help, /?       この説明を表示する\n";
constexpr char kLanguageAndPaths[] =
      "言語は KIRABO_LANG=ja または en、なければ Windows の表示言語で決まります。\n"
      "表示するパスでは各文字をそのまま表示します。Windows の名前にはタブや改行\n"
      "などの制御文字がありません。\n";
constexpr char kStopping[] =
      "Ctrl-C または Ctrl-Break で次のファイルかリネームの前に中断し、\n"
      "それまでの集計を表示します。リネームが途中で終わることはありません。\n"
      "標準出力への書き込みの失敗 (閉じたパイプ) でも中断します。\n";
#else
constexpr char kHelpOption[] =
      "  -h, --help           この説明を表示する\n";
constexpr char kLanguageAndPaths[] =
      "言語は KIRABO_LANG=ja または en、なければ LANGUAGE, LC_ALL, LC_MESSAGES,\n"
      "LANG で決まります。\n"
      "表示するパスでは \\ を \\\\、タブを \\t、改行を \\n と書き、その他の制御文字\n"
      "(C0, DEL, C1)、双方向テキストの上書き・分離の文字、ロケールの文字セットにない\n"
      "文字の各バイトを \\xHH と書きます。\n";
constexpr char kStopping[] =
      "SIGINT (Ctrl-C) または SIGTERM で次のファイルかリネームの前に中断し、\n"
      "それまでの集計を表示します。リネームが途中で終わることはありません。\n"
      "標準出力への書き込みの失敗 (閉じたパイプ) でも中断します。\n";
#endif

// The time the examples of the formats are taken at, as in the window.
constexpr UtcDateTime kExampleTime{2004, 10, 5, 9, 25, 10};

// One line per format, as -f takes it, with its pattern and an example:
// "1, datetime  yymmdd_hhmmss  (041005_092510.CRW)".
std::string FormatLines() {
  size_t spellingWidth = 0;
  size_t patternWidth = 0;
  for (const NameFormatRow& row : NameFormats()) {
    spellingWidth = std::max(spellingWidth, row.cliNumber.size() + 2 + row.cliName.size());
    patternWidth = std::max(patternWidth, ShownPattern(row.pattern).size());
  }
  std::string lines;
  for (const NameFormatRow& row : NameFormats()) {
    std::string spelling = std::string(row.cliNumber) + ", " + std::string(row.cliName);
    std::string pattern = ShownPattern(row.pattern);
    spelling.resize(spellingWidth + 2, ' ');
    pattern.resize(patternWidth + 2, ' ');
    lines += "                         " + spelling + pattern + "(" + StemFromPattern(row.pattern, kExampleTime) +
             ".CRW)\n";
  }
  return lines;
}

}  // namespace

std::string OutcomeWord(UiLanguage language, const char* source) {
  return InOutputCharset(TextIn(language, kOutcomeContext, source));
}

std::string CliText(UiLanguage language, const char* source) {
  return InOutputCharset(TextIn(language, kContext, source));
}

std::string UsageText(UiLanguage language) {
  return CliText(language,
                 "使い方: kirabo-cli [-f 形式] [-j N] [-n] [-q] [--raw-only] [--no-journal] [--] フォルダ\n"
                 "       kirabo-cli --undo [-n] [-q] [--no-journal] [--] フォルダ\n"
                 "       kirabo-cli --jobs\n"
                 "フォルダとその下のすべてのフォルダにある RAW ファイルを撮影日時の名前に\n"
                 "リネームします。拡張子はそのままです。RAW ファイル (拡張子の大文字と小文字は\n"
                 "区別しません):\n") +
         RawFormatLines("  ", 78) +
         CliText(language,
                 "名前が使われているときは拡張子の前に _1, _2, ... を付けます。ファイルを\n"
                 "置き換えることはありません。\n"
                 "\n") +
         CliText(language,
                 "関連ファイルは RAW ファイルと一緒に同じ新しい語幹へリネームします。\n"
                 "IMG_1234.CR2 の場合 (大文字と小文字は区別しません):\n"
                 "  IMG_1234 + .JPG .JPEG .HIF .HEIC .HEIF .THM .WAV .XMP .ON1\n"
                 "      (この語幹の RAW ファイルがフォルダに 1 つだけのとき)\n"
                 "  IMG_1234.CR2 + .XMP .PP3 .DOP\n"
                 "  IMG_1234_01.CR2.xmp など (IMG_1234_01.CR2 がないとき)\n"
                 "  CaptureOne/Settings*/IMG_1234.CR2 + .COS .COMASK\n"
                 "後ろの部分はそのままです: IMG_1234_01.CR2.xmp は 041005_092510_01.CR2.xmp\n"
                 "に、接尾辞付きでは 041005_092510_1_01.CR2.xmp になります。接尾辞はすべての\n"
                 "関連ファイルで空いているものを使います。どれかをリネームできないときは全体を\n"
                 "元に戻します。darktable は NAME_NN.EXT.xmp を複製とみなすため、同じ秒の\n"
                 "10 枚目 (041005_092510_10.CR2) のサイドカーを 041005_092510.CR2 の 10 番目の\n"
                 "版と読むことがあります。\n"
                 "\n") +
         CliText(language,
                 "  -f, --format=形式    新しい名前の形式。最初のものが既定:\n") +
         FormatLines() +
         CliText(language,
                 "  -j, --readers=N      N 個のファイルの撮影日時をリネームより先に同時に読む\n"
                 "                       (1 から 64、1 は 1 つずつ)。既定は回転ディスクで 1、\n"
                 "                       それ以外で 16\n"
                 "  -n, --dry-run        何もリネームせず、実際に実行したときの行を表示する\n"
                 "  -q, --quiet          検索したフォルダと集計を表示しない\n"
                 "  --raw-only           RAW ファイルだけをリネームし、関連ファイルはそのままにする\n"
                 "  --undo               フォルダの最新のジョブのうち、まだ取り消していないものを\n"
                 "                       取り消す\n"
                 "  --jobs               記録フォルダに残っているジョブを一覧表示する\n"
                 "  --no-journal         このジョブの記録を残さない (取り消せなくなる)\n") +
         CliText(language, kHelpOption) +
         CliText(language,
                 "  -V, --version        バージョンを表示する\n"
                 "  --                   オプションの終わり (フォルダが '-' で始まるとき)\n"
                 "\n"
                 "リネームしたファイルごとに標準出力へ 1 行:\n"
                 "  i/N<TAB>元のパス<TAB>新しいパス\n"
                 "i は見つかった RAW ファイルの番号、N はその数です。パスは指定したフォルダ\n"
                 "で始まります。検索したフォルダごとに標準エラー出力へ\n"
                 "'フォルダ<TAB>を検索中・・・' (英語では 'FOLDER<TAB>searching...') を表示\n"
                 "します。\n") +
         CliText(language, kLanguageAndPaths) +
         CliText(language,
                 "\n"
                 "すでに正しい名前のファイルは何も表示しません。一覧できないフォルダと、元の\n"
                 "名前のまま残ったファイルは --quiet でも標準エラー出力へ 1 行を表示します:\n"
                 "  kirabo-cli: フォルダ: 一覧できません: 理由\n"
                 "  kirabo-cli: パス: 撮影日時がありません\n"
                 "  kirabo-cli: パス: 読み込めません: 理由\n"
                 "  kirabo-cli: パス: リネームできません: 理由\n"
                 "最後に --quiet でなければ集計 'リネーム N 件、正しい名前 N 件、撮影日時なし\n"
                 "N 件、失敗 N 件' (または 'RAW ファイルが見つかりませんでした') を標準エラー\n"
                 "出力へ表示します。--dry-run では 'リネーム予定 N 件、...' です。一覧できない\n"
                 "フォルダがあれば '、一覧できなかったフォルダ N 件' が続きます。\n"
                 "端末では処理中のファイルを '[i/N] 名前' で表示します。\n"
                 "\n"
                 "ドライラン以外のジョブは、リネームの記録 (ジャーナル) を先に\n"
                 "$XDG_STATE_HOME/kirabo/jobs (既定は ~/.local/state/kirabo/jobs、Windows では\n"
                 "%LOCALAPPDATA%\\Kirabo\\jobs) に書きます。残すのは最新の 50 件です。各行は\n"
                 "そのリネームを試す前に書きます。書けないときはジョブを中断し\n"
                 "'kirabo-cli: 取り消し用の記録を書き込めません: 理由' を表示します。\n"
                 "--undo はジョブのファイルを逆の順に元の名前へ戻します。新しい名前のファイルが\n"
                 "同じファイルのままで、元の名前が空いている (大文字と小文字は区別しない) とき\n"
                 "だけです。ファイルを置き換えることはありません。戻せないファイルは\n"
                 "  kirabo-cli: パス: 元に戻せません: 理由\n"
                 "(見つからない、変更された、元の名前が使われている、またはシステムの理由) を\n"
                 "表示し、最後に '元に戻した N 件、元に戻せなかった N 件' を表示します。取り消しも\n"
                 "記録を残すジョブなので、もう一度 --undo で取り消せます。--jobs は残っている\n"
                 "記録ごとに 1 行 (開始時刻 (UTC)、フォルダ、リネームしたファイル数、取り消し\n"
                 "たかどうか) を表示します。\n"
                 "\n") +
         CliText(language,
                 "ドライランは、リネームそのものでしか分からない失敗を予見できません:\n"
                 "変更不可や追記のみのファイル、ディスクやクォータの不足、入出力エラー、\n"
                 "ドライランのあとで変わったファイル。\n"
                 "\n") +
         CliText(language, kStopping) +
         CliText(language,
                 "\n"
                 "終了コード: 0 リネームの失敗なし、1 フォルダがない・フォルダではない・\n"
                 "出力か記録を書けなかった・取り消すジョブがない、2 使い方の誤り、3 リネーム\n"
                 "(または元に戻すこと) に失敗したファイルか一覧できないフォルダがある、130 中断\n"
                 "した。\n");
}

std::string UsageErrorText(const CliOptions& options, UiLanguage language) {
  std::string text = CliText(language, options.error);
  for (size_t i = 0; i < options.errorArguments.size(); ++i) {
    const std::string mark = "%" + std::to_string(i + 1);
    if (size_t at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), options.errorArguments[i]);
  }
  return text;
}

std::string OutcomeText(const FileReport& report, bool undo, UiLanguage language) {
  switch (report.outcome) {
    case FileOutcome::NoCaptureTime:
      return OutcomeWord(language, "撮影日時がありません");
    case FileOutcome::RenameFailed: {
      if (!undo) return OutcomeWord(language, "リネームできません") + ": " + report.reason;
      const char* own = UndoReasonText(report.reason);
      return OutcomeWord(language, "元に戻せません") + ": " + (own != nullptr ? OutcomeWord(language, own) : report.reason);
    }
    case FileOutcome::CannotRead:
      return OutcomeWord(language, "読み込めません") + ": " + report.reason;
    case FileOutcome::Renamed:
    case FileOutcome::AlreadyNamed:
      break;
  }
  return {};
}

std::string SummaryLine(const JobCounts& counts, bool dryRun, bool undo, UiLanguage language) {
  const std::string separator = CliText(language, "、");
  if (undo) {
    return Count(language, dryRun ? "元に戻す予定 %1 件" : "元に戻した %1 件", counts.renamed) + separator +
           Count(language, dryRun ? "元に戻せない予定 %1 件" : "元に戻せなかった %1 件", counts.renameFailed);
  }
  std::string line;
  if (counts.Found() == 0) {
    line = CliText(language, "RAW ファイルが見つかりませんでした");
  } else {
    line = Count(language, dryRun ? "リネーム予定 %1 件" : "リネーム %1 件", counts.renamed);
    if (counts.companions == 1) line += " " + CliText(language, "(関連ファイル 1 件)");
    if (counts.companions > 1) line += " " + Count(language, "(関連ファイル %1 件)", counts.companions);
    line += separator +
           Count(language, "正しい名前 %1 件", counts.alreadyNamed) + separator +
           Count(language, "撮影日時なし %1 件", counts.noCaptureTime) + separator +
           Count(language, dryRun ? "失敗予定 %1 件" : "失敗 %1 件", counts.renameFailed);
    if (counts.cannotRead > 0) line += separator + Count(language, "読み込めず %1 件", counts.cannotRead);
  }
  if (counts.unlistedFolders == 1) line += separator + CliText(language, "一覧できなかったフォルダ 1 件");
  if (counts.unlistedFolders > 1) {
    line += separator + Count(language, "一覧できなかったフォルダ %1 件", counts.unlistedFolders);
  }
  return line;
}

}  // namespace kirabo::cli
