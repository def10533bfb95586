#include "engine/JournalWriter.h"

#include <cstdio>
#include <system_error>

#include "engine/JournalFolder.h"
#include "platform/Path.h"
#include "platform/UtcTime.h"
#include "res/Version.h"

namespace kirabo {

namespace {

constexpr auto kSyncInterval = std::chrono::seconds(1);
// A clash needs jobs started in the same microsecond; a few tries settle it.
constexpr int kNameAttempts = 100;

struct UtcNow {
  UtcDateTime time;
  long microseconds = 0;
};

UtcNow Now() {
  auto since = std::chrono::system_clock::now().time_since_epoch();
  auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since);
  if (since < seconds) seconds -= std::chrono::seconds(1);
  auto micro = std::chrono::duration_cast<std::chrono::microseconds>(since - seconds);
  return {BreakDownUtc(seconds.count()), static_cast<long>(micro.count())};
}

// "20261209T173811.123456Z.journal", then "..._1.journal" on a clash: names
// sort by start time.
std::string FileName(const UtcNow& now, int attempt) {
  const UtcDateTime& t = now.time;
  char name[64];
  std::snprintf(name, sizeof name, "%04d%02d%02dT%02d%02d%02d.%06ldZ", t.year, t.month, t.day, t.hour, t.minute,
                t.second, now.microseconds);
  std::string fileName = name;
  if (attempt > 0) {
    fileName += '_';
    fileName += std::to_string(attempt);
  }
  return fileName + ".journal";
}

std::string IsoTime(const UtcDateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

}  // namespace

std::string UtcTimeNow() { return IsoTime(Now().time); }

bool JournalWriter::Start(const std::string& journalFolder, Journal header, const std::string& spare) {
  UtcNow now = Now();
  header.program = std::string("kirabo ") + kVersion;
  header.started = IsoTime(now.time);
  for (int attempt = 0;; ++attempt) {
    path_ = journalFolder + kPathSeparator + FileName(now, attempt);
    int error = file_.Create(path_);
    if (error == 0) break;
    if (!CAppendFile::IsNameTaken(error) || attempt + 1 == kNameAttempts) return Failed(error);
  }
  if (int error = file_.Append(JournalHeaderLines(header))) return Failed(error);
  if (int error = file_.Sync()) return Failed(error);
  lastSync_ = std::chrono::steady_clock::now();
  PruneJournals(journalFolder, spare);
  return true;
}

bool JournalWriter::Write(uint32_t lane, const std::string& lines) {
  std::lock_guard lock(mutex_);
  if (!error_.empty()) return false;
  if (int error = file_.Append(JournalLinesInLane(lane, lane_, lines))) return Failed(error);
  lane_ = lane;
  auto now = std::chrono::steady_clock::now();
  if (now - lastSync_ >= kSyncInterval) {
    if (int error = file_.Sync()) return Failed(error);
    lastSync_ = now;
  }
  return true;
}

bool JournalWriter::Finish(std::string_view end, size_t failures) {
  std::lock_guard lock(mutex_);
  if (!error_.empty()) return false;
  // No rename's line: it ends whichever lane came last.
  if (int error = file_.Append(JournalEndLine(end, failures))) return Failed(error);
  if (int error = file_.Sync()) return Failed(error);
  file_.Close();
  return true;
}

bool JournalWriter::HasFailed() const {
  std::lock_guard lock(mutex_);
  return !error_.empty();
}

std::string JournalWriter::Error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

bool JournalWriter::Failed(int error) {
  error_ = std::system_category().message(error);
  if (error_.empty()) error_ = "error " + std::to_string(error);
  file_.Close();
  return false;
}

bool MarkTakenBack(const std::string& path, const std::string& byJournal) {
  CAppendFile file;
  return file.OpenExisting(path) == 0 && file.Append(JournalTakenBackLine(UtcTimeNow(), byJournal)) == 0 &&
         file.Sync() == 0;
}

}  // namespace kirabo
