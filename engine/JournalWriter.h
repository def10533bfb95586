#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/Journal.h"
#include "platform/AppendFile.h"
#include "platform/FileIdentity.h"

namespace kirabo {

// Writes one job's journal. Every line goes to the system before the call
// returns; the disk gets it at the start, at the end, and at least a second
// after the last time while renames go on. Each call says whether the line
// was written; once one was not, Error() holds the system's reason and every
// further call fails, so that the job renames nothing more.
class JournalWriter {
 public:
  // Creates a new journal in `journalFolder`, named after the time now, with
  // the header of `header` (its version, program and start time are set
  // here). Then removes the oldest journals beyond those kept, never `spare`.
  bool Start(const std::string& journalFolder, Journal header, const std::string& spare = {});
  bool Record(const std::string& from, const std::string& to, const FileIdentity& identity);
  bool Reserved(const FileIdentity& reservation);
  bool NotMade();
  bool BeginGroup(size_t members);
  bool EndGroup();
  bool Finish(std::string_view end, size_t failures);

  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }

 private:
  bool Write(const std::string& line);
  bool Failed(int error);

  CAppendFile file_;
  std::string path_;
  std::string error_;
  std::chrono::steady_clock::time_point lastSync_;
};

// "2026-12-09T17:38:11Z" for now.
std::string UtcTimeNow();

// Appends a taken-back line to the journal at `path`; false when it cannot.
bool MarkTakenBack(const std::string& path, const std::string& byJournal);

}  // namespace kirabo
