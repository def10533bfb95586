#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace kirabo {

class JobFileSystem;
class JobObserver;

// Run state of a job; the one value that both the caller and the worker write.
enum JobState : int32_t {
  Idle = 0,
  Running = 1,
  StopRequested = 2,
};

// The chosen name format (see NameFormats.h); -1 when the caller chose none.
enum NameFormat : int32_t {
  DateAndTime = 0,  // yymmdd_hhmmss
  TimeOnly = 1,     // hhmmss
};

// The record a caller fills and hands to RenameWorkerProc. The caller writes
// every field but `state` before the worker starts and leaves them alone while
// it runs.
struct RenameJob {
  std::string folder;
  int32_t format = DateAndTime;
  JobObserver* observer = nullptr;  // null: nobody is told
  std::atomic<int32_t> state{Idle};
  JobFileSystem* fileSystem = nullptr;  // null: the real file system
  // Threads reading capture times ahead of the renames; 1 reads each file at
  // its turn, 0 leaves the choice to the folder's medium (DefaultReadersFor).
  int32_t readers = 0;
  // The folder that keeps the journals; empty: this job writes none.
  std::string journalFolder;
  // A dry run: the file system only pretends to rename, and no journal is
  // written or marked.
  bool pretend = false;
  // Each raw file is renamed with its companions (the JPEG twin, the
  // thumbnail, the sidecars); false renames raw files alone.
  bool withCompanions = true;
  // For UndoWorkerProc: the journal of the job to take back.
  std::string undoJournal;
};

}  // namespace kirabo
