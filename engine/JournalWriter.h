#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "engine/Journal.h"
#include "platform/AppendFile.h"
#include "platform/FileIdentity.h"

namespace kirabo {

// Writes one job's journal, from any number of threads. Every line goes to
// the system before the call returns; the disk gets it at the start, at the
// end, and at least a second after the last time while renames go on. Each
// call says whether the line was written; once one was not, Error() holds
// the system's reason and every further call fails, so that the job renames
// nothing more.
class JournalWriter {
 public:
  // Creates a new journal in `journalFolder`, named after the time now, with
  // the header of `header` (its program and start time are set here; its
  // version says whether lanes may follow). Then removes the oldest journals
  // beyond those kept, never `spare`.
  bool Start(const std::string& journalFolder, Journal header, const std::string& spare = {});
  // Appends `lines`, all of lane `lane`, preceded by a lane line when the
  // line before was of another lane.
  bool Write(uint32_t lane, const std::string& lines);
  bool Finish(std::string_view end, size_t failures);

  const std::string& Path() const { return path_; }
  bool HasFailed() const;
  std::string Error() const;

 private:
  bool Failed(int error);

  mutable std::mutex mutex_;
  CAppendFile file_;
  std::string path_;
  std::string error_;
  uint32_t lane_ = 0;
  std::chrono::steady_clock::time_point lastSync_;
};

// "2026-12-09T17:38:11Z" for now.
std::string UtcTimeNow();

// Appends a taken-back line to the journal at `path`; false when it cannot.
bool MarkTakenBack(const std::string& path, const std::string& byJournal);

}  // namespace kirabo
