#pragma once

#include <string>
#include <string_view>

#include "engine/JobObserver.h"
#include "platform/Multibyte.h"

namespace kirabo::cli {

// A path made safe for one tab-separated line: "\\" -> "\\\\", tab -> "\t",
// line feed -> "\n", other control bytes -> "\xHH". Multibyte characters are
// stepped over, so a CP932 trail byte 0x5C stays part of its character.
std::string EscapeForLine(std::string_view path, CodePage codePage);

// Says a job's events on the console: each renamed file as the stdout line
// "i/N<TAB>old<TAB>new", each folder searched as the stderr line
// "folder<TAB>を検索中・・・" (none when quiet).
class ConsoleObserver : public JobObserver {
 public:
  ConsoleObserver(bool quiet, CodePage codePage) : quiet(quiet), codePage(codePage) {}

  void OnSearching(const std::string& folder) override;
  void OnFile(const FileReport& report) override;
  void OnJobEnd(JobEnd end, const JobCounts& counts) override;

 private:
  bool quiet;
  CodePage codePage;
};

}  // namespace kirabo::cli
