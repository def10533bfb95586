#include "app/JobTexts.h"

namespace kirabo {

namespace {

constexpr char kFinished[] = "リネーム終了";

void AddLine(std::string& lines, const std::string& line) {
  if (!lines.empty()) lines += '\n';
  lines += line;
}

void AddCount(std::string& lines, const char* label, size_t count) {
  if (count > 0) AddLine(lines, label + std::to_string(count) + " 件");
}

}  // namespace

std::string SearchingText(const std::string& folder) { return folder + "\nを検索中・・・"; }

std::string ProgressText(const FileReport& report) {
  return std::to_string(report.number) + "/" + std::to_string(report.count) + "\n" + report.path + "\n" +
         report.newPath + "\n";
}

std::string CountLines(const JobCounts& counts, JobEnd end) {
  std::string lines;
  AddCount(lines, "リネームしたファイル: ", counts.renamed);
  AddCount(lines, "すでに正しい名前のファイル: ", counts.alreadyNamed);
  AddCount(lines, "撮影日時のないファイル: ", counts.noCaptureTime);
  AddCount(lines, "リネームできなかったファイル: ", counts.renameFailed);
  if (end == JobEnd::Completed && counts.Found() == 0) AddLine(lines, "RAW ファイルが見つかりませんでした");
  return lines;
}

FinalMessage FinalMessageOf(const JobCounts& counts) {
  const bool allNamed = counts.Found() > 0 && counts.renamed + counts.alreadyNamed == counts.Found();
  if (allNamed) return {kFinished, MessageIcon::Information};
  return {std::string(kFinished) + "\n\n" + CountLines(counts, JobEnd::Completed),
          counts.renameFailed > 0 ? MessageIcon::Exclamation : MessageIcon::Information};
}

}  // namespace kirabo
