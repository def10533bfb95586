#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kirabo {

// What became of one raw file of a job.
enum class FileOutcome {
  Renamed,        // given the name its capture time gives
  AlreadyNamed,   // it had that name already; nothing changed
  NoCaptureTime,  // no usable capture time inside: left alone
  RenameFailed,   // the file system refused the rename for another reason than a taken name
  CannotRead,     // the file could not be opened or read: left alone
};

// A file renamed with its raw file, to keep the raw file's name.
struct CompanionRename {
  std::string path;
  std::string newPath;
};

struct FileReport {
  size_t number = 0;  // 1-based position in the job's file list
  size_t count = 0;   // files in the list
  FileOutcome outcome = FileOutcome::Renamed;
  std::string path;     // the file as the scan listed it
  std::string newPath;  // Renamed, AlreadyNamed: the path it has now
  std::string reason;   // RenameFailed, CannotRead: the system's reason, in its words
  // Renamed: the raw file's companions renamed with it, in the order they were.
  std::vector<CompanionRename> companions;
  // RenameFailed: the companion whose rename failed, when it was not the raw
  // file's own; the group was put back.
  std::string failedCompanion;
};

struct JobCounts {
  size_t renamed = 0;
  size_t alreadyNamed = 0;
  size_t noCaptureTime = 0;
  size_t renameFailed = 0;
  size_t cannotRead = 0;
  size_t unlistedFolders = 0;  // folders whose files could not be seen at all
  size_t companions = 0;       // files renamed with their raw files, counted apart from them

  size_t Found() const { return renamed + alreadyNamed + noCaptureTime + renameFailed + cannotRead; }
};

enum class JobEnd {
  Completed,  // every listed file was dealt with
  Stopped,    // a stop request ended the job early
  Failed,     // the job could not go on (memory ran out); nothing is half done
  JournalFailed,  // the journal could not be written: no rename was made that it does not hold
};

// Receives what a job does, on the job's thread, as it happens. The worker
// formats no texts: each front end says it in its own words.
//
// The end of a job, in this order:
//   1. the worker writes Idle to the job's state (on a stop, that write is
//      its acknowledgement);
//   2. it calls OnJobEnd, its last use of the record and the observer;
//   3. it returns.
// So a caller that requested a stop and waits for the worker (to join it)
// sees Idle before OnJobEnd has run: it must go on delivering whatever the
// observer hands to it until the worker has returned, and OnJobEnd must not
// wait for that caller on a Stopped end. Idle is written in one step with
// reading the state: a stop requested before it, even after the last file,
// makes the end Stopped. So on a Completed end no stop request is waiting,
// and OnJobEnd may wait (say, for the user to close a message).
class JobObserver {
 public:
  virtual ~JobObserver() = default;
  // The scan is about to list `folder`.
  virtual void OnSearching(const std::string& folder) = 0;
  // `folder` could not be opened or listed, for `reason` in the system's
  // words; none of its files is dealt with.
  virtual void OnFolderNotListed(const std::string& folder, const std::string& reason) = 0;
  virtual void OnFile(const FileReport& report) = 0;
  // `path` looks like a companion of several raw files (their stems are the
  // same) and is left as it is. Told before the first of those raw files.
  virtual void OnCompanionShared(const std::string& path) { (void)path; }
  // The last event of every job; `counts` covers the files dealt with. A
  // record that was already Running belongs to another worker: handing it
  // to a second one gives no event at all.
  virtual void OnJobEnd(JobEnd end, const JobCounts& counts) = 0;
  // Just before OnJobEnd of a JournalFailed end: the system's reason.
  virtual void OnJournalFailed(const std::string& reason) { (void)reason; }
};

}  // namespace kirabo
