#include "app/JobTexts.h"

#include "engine/UndoWorker.h"
#include "framework/Translate.h"
#include "platform/Multibyte.h"
#include "platform/Path.h"
#include "res/translations/TextTable.h"

namespace kirabo {

namespace {

constexpr char kContext[] = "JobTexts";
constexpr char kFinished[] = "リネーム終了";
// Characters of a path in the final message; about what one line of a message box holds.
constexpr size_t kPathCharacters = 60;
constexpr char kEllipsis[] = "...";

void AddLine(std::string& lines, const std::string& line) {
  if (!lines.empty()) lines += '\n';
  lines += line;
}

void AddCount(std::string& lines, const char* line, size_t count) {
  if (count > 0) AddLine(lines, WithArgument(Translate(kContext, line), std::to_string(count)));
}

// `path` cut to `limit` characters by taking out its middle, so that both the
// top folders and the file's name stay, as in the status label.
std::string ShortenedInTheMiddle(const std::string& path, size_t limit) {
  const CodePage codePage = ActiveCodePage();
  std::vector<size_t> starts;  // of each character
  for (size_t i = 0; i < path.size(); i += CharLength(path, i, codePage)) starts.push_back(i);
  if (starts.size() <= limit) return path;
  const size_t kept = limit - (sizeof kEllipsis - 1);
  const size_t head = kept / 3;  // the name at the end matters most
  const size_t tail = kept - head;
  return path.substr(0, starts[head]) + kEllipsis + path.substr(starts[starts.size() - tail]);
}

// The companion whose refusal kept a raw file's group under its old names.
std::string FailedCompanion(const FileReport& report) {
  if (report.failedCompanion.empty()) return {};
  const size_t separator = FindLastChar(report.failedCompanion, kPathSeparator, ActiveCodePage());
  return " (" + Translate(kOutcomeContext, "関連ファイル") + ": " + report.failedCompanion.substr(separator + 1) + ")";
}

std::string WhatHappened(const FileReport& report, bool undo) {
  switch (report.outcome) {
    case FileOutcome::NoCaptureTime:
      return Translate(kOutcomeContext, "撮影日時がありません");
    case FileOutcome::CannotRead:
      return Translate(kOutcomeContext, "読み込めません") + ": " + report.reason;
    case FileOutcome::RenameFailed: {
      if (!undo) return Translate(kOutcomeContext, "リネームできません") + ": " + report.reason + FailedCompanion(report);
      const char* own = UndoReasonText(report.reason);
      return Translate(kOutcomeContext, "元に戻せません") + ": " + (own != nullptr ? Translate(kOutcomeContext, own) : report.reason);
    }
    case FileOutcome::Renamed:
    case FileOutcome::AlreadyNamed:
      break;
  }
  return {};
}

// The files in `left` after a blank line, or nothing when there are none.
std::string LeftLines(const LeftFiles& left) {
  std::string files;
  for (const std::string& line : left.lines) AddLine(files, line);
  if (left.more > 0) AddLine(files, WithArgument(Translate(kContext, "他 %1 件"), std::to_string(left.more)));
  return files.empty() ? files : "\n\n" + files;
}

}  // namespace

void LeftFiles::Add(const FileReport& report, bool undo) {
  if (report.outcome == FileOutcome::Renamed || report.outcome == FileOutcome::AlreadyNamed) return;
  if (lines.size() == kNamed) {
    ++more;
    return;
  }
  lines.push_back(ShortenedInTheMiddle(report.path, kPathCharacters) + ": " + WhatHappened(report, undo));
}

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
  AddCount(lines, "一緒にリネームした関連ファイル: %1 件", counts.companions);
  AddCount(lines, "すでに正しい名前のファイル: %1 件", counts.alreadyNamed);
  AddCount(lines, "撮影日時のないファイル: %1 件", counts.noCaptureTime);
  AddCount(lines, "リネームできなかったファイル: %1 件", counts.renameFailed);
  AddCount(lines, "開けなかったフォルダ: %1 件", counts.unlistedFolders);
  AddCount(lines, "読み込めなかったファイル: %1 件", counts.cannotRead);
  if (end == JobEnd::Completed && counts.Found() == 0)
    AddLine(lines, Translate(kContext, "RAW ファイルが見つかりませんでした"));
  return lines;
}

FinalMessage FinalMessageOf(const JobCounts& counts, const LeftFiles& left) {
  const bool allNamed = counts.Found() > 0 && counts.renamed + counts.alreadyNamed == counts.Found() &&
                        counts.unlistedFolders == 0;
  const std::string finished = Translate(kContext, kFinished);
  if (allNamed) return {finished, MessageIcon::Information};
  std::string text = finished + "\n\n" + CountLines(counts, JobEnd::Completed) + LeftLines(left);
  const bool failures = counts.renameFailed > 0 || counts.cannotRead > 0 || counts.unlistedFolders > 0;
  return {text, failures ? MessageIcon::Exclamation : MessageIcon::Information};
}

std::string UndoCountLines(const JobCounts& counts) {
  std::string lines;
  AddCount(lines, "元に戻したファイル: %1 件", counts.renamed);
  AddCount(lines, "元に戻せなかったファイル: %1 件", counts.renameFailed);
  return lines;
}

FinalMessage UndoFinalMessageOf(const JobCounts& counts, const LeftFiles& left) {
  const std::string restored = Translate(kContext, "元に戻しました");
  if (counts.renameFailed == 0) return {restored, MessageIcon::Information};
  return {restored + "\n\n" + UndoCountLines(counts) + LeftLines(left), MessageIcon::Exclamation};
}

std::string JournalFailedText(const std::string& reason) {
  return WithArgument(Translate(kContext, "取り消し用の記録を書き込めません:\n%1"), reason);
}

}  // namespace kirabo
