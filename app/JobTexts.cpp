#include "app/JobTexts.h"

#include "framework/Translate.h"
#include "res/translations/TextTable.h"

namespace kirabo {

namespace {

constexpr char kContext[] = "JobTexts";
constexpr char kFinished[] = "リネーム終了";

void AddLine(std::string& lines, const std::string& line) {
  if (!lines.empty()) lines += '\n';
  lines += line;
}

void AddCount(std::string& lines, const char* line, size_t count) {
  if (count > 0) AddLine(lines, WithArgument(Translate(kContext, line), std::to_string(count)));
}

}  // namespace

std::string SearchingText(const std::string& folder) {
  return WithArgument(Translate(kContext, "%1\nを検索中・・・"), folder);
}

std::string ProgressText(const FileReport& report) {
  return std::to_string(report.number) + "/" + std::to_string(report.count) + "\n" + report.path + "\n" +
         report.newPath + "\n";
}

std::string CountLines(const JobCounts& counts, JobEnd end) {
  std::string lines;
  AddCount(lines, "リネームしたファイル: %1 件", counts.renamed);
  AddCount(lines, "すでに正しい名前のファイル: %1 件", counts.alreadyNamed);
  AddCount(lines, "撮影日時のないファイル: %1 件", counts.noCaptureTime);
  AddCount(lines, "リネームできなかったファイル: %1 件", counts.renameFailed);
  if (end == JobEnd::Completed && counts.Found() == 0)
    AddLine(lines, Translate(kContext, "RAW ファイルが見つかりませんでした"));
  return lines;
}

FinalMessage FinalMessageOf(const JobCounts& counts) {
  const bool allNamed = counts.Found() > 0 && counts.renamed + counts.alreadyNamed == counts.Found();
  const std::string finished = Translate(kContext, kFinished);
  if (allNamed) return {finished, MessageIcon::Information};
  return {finished + "\n\n" + CountLines(counts, JobEnd::Completed),
          counts.renameFailed > 0 ? MessageIcon::Exclamation : MessageIcon::Information};
}

std::string UndoCountLines(const JobCounts& counts) {
  std::string lines;
  AddCount(lines, "元に戻したファイル: %1 件", counts.renamed);
  AddCount(lines, "元に戻せなかったファイル: %1 件", counts.renameFailed);
  return lines;
}

FinalMessage UndoFinalMessageOf(const JobCounts& counts) {
  const std::string restored = Translate(kContext, "元に戻しました");
  if (counts.renameFailed == 0) return {restored, MessageIcon::Information};
  return {restored + "\n\n" + UndoCountLines(counts), MessageIcon::Exclamation};
}

std::string JournalFailedText(const std::string& reason) {
  return WithArgument(Translate(kContext, "取り消し用の記録を書き込めません:\n%1"), reason);
}

}  // namespace kirabo
