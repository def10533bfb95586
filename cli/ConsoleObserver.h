#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/PathsAsTyped.h"
#include "cli/ProgressLine.h"
#include "engine/JobObserver.h"
#include "platform/Multibyte.h"
#include "platform/UiLanguage.h"

namespace kirabo::cli {

// A path made safe for one tab-separated line and for a terminal: "\\" ->
// "\\\\" (not on Windows, where it is the separator), tab -> "\t", line feed
// -> "\n", every other byte of a control character (C0, DEL, and but on
// Windows C1), of a bidirectional override or isolate, or of no character of
// the code page -> "\xHH". Multibyte characters are stepped over, so a CP932
// trail byte 0x5C stays part of its character.
std::string EscapeForLine(std::string_view path, CodePage codePage);

struct ConsoleSettings {
  std::string folder;  // as typed
  bool quiet = false;
  bool undo = false;              // the job takes back an earlier one
  bool progress = false;          // draw a progress line on standard error
  bool stdoutIsTerminal = false;  // the progress line shares its screen
  CodePage codePage = CodePage::Utf8;
  UiLanguage language = UiLanguage::Japanese;  // of every line but stdout's
};

// Says a job's events on the console:
//   stdout: "i/N<TAB>old<TAB>new" for each renamed file, a raw file's
//           companions before it with its i/N;
//   stderr: "folder<TAB>を検索中・・・" (English: "folder<TAB>searching...") for each folder searched (not when
//           quiet), "kirabo-cli: FOLDER: " and "cannot list: REASON" for each
//           folder that cannot be opened or listed, and "kirabo-cli: PATH: "
//           and what happened (OutcomeText) for each file left with its old
//           name (of an undo: with its new one), and for each companion of
//           several raw files.
// A line that cannot be written to stdout (a closed pipe) asks the job to
// stop through `state`: no file is renamed that could not be reported.
class ConsoleObserver : public JobObserver {
 public:
  ConsoleObserver(const ConsoleSettings& settings, std::atomic<int32_t>& state);

  void OnSearching(const std::string& folder) override;
  void OnFolderNotListed(const std::string& folder, const std::string& reason) override;
  void OnFile(const FileReport& report) override;
  void OnCompanionShared(const std::string& path) override;
  void OnJobEnd(JobEnd end, const JobCounts& counts) override;
  void OnJournalFailed(const std::string& reason) override { journalError = reason; }

  // The errno of the stdout write that failed; 0 when none did.
  int OutputError() const { return outputError; }
  JobEnd End() const { return end; }
  const JobCounts& Counts() const { return counts; }
  const std::string& JournalError() const { return journalError; }

 private:
  std::string Shown(const std::string& path) const;
  void Warn(const FileReport& report);

  ConsoleSettings settings;
  std::atomic<int32_t>& state;
  PathsAsTyped pathsAsTyped;
  ProgressLine progress;
  int outputError = 0;
  JobEnd end = JobEnd::Failed;
  JobCounts counts;
  std::string journalError;
};

}  // namespace kirabo::cli
