#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/File.h"
#include "platform/FileIdentity.h"
#include "platform/Folder.h"
#include "platform/MoveFile.h"

namespace kirabo {

// Identifies a folder however it was reached, so that no folder is walked twice.
struct FolderIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  bool operator==(const FolderIdentity&) const = default;
};

enum class RenameOutcome {
  Renamed,    // done; also for a file renamed to its own name
  NameTaken,  // another entry holds the new name; nothing changed
  Failed,     // any other reason (read-only, permission, gone, too long, I/O)
};

struct RenameResult {
  RenameResult(RenameOutcome outcome, std::string reason = {}) : outcome(outcome), reason(std::move(reason)) {}
  RenameOutcome outcome;
  std::string reason;  // Failed: why, in the system's words
};

struct CaptureTimeRead {
  CaptureTimeRead(int64_t captureTime = -1, bool readable = true, std::string reason = {})
      : captureTime(captureTime), readable(readable), reason(std::move(reason)) {}
  int64_t captureTime;  // a CaptureTime; negative when none was found
  bool readable;        // false when the file could not be opened or read
  std::string reason;   // not readable: why, in the system's words
  // The file read, from its open handle (through a link, the file it leads
  // to); not identified when it could not be told.
  FileIdentity identity;
  bool identified = false;
};

// One folder of a job, held open while the job works in it. Every name is
// of an entry of this folder; nothing goes through a path again, so a folder
// of the tree renamed or replaced by a link during the job never leads the
// job out of the tree. Failures give the system's reason, in its words. The
// job's readers and its renamer may use one folder from several threads at
// once.
class JobFolder {
 public:
  virtual ~JobFolder() = default;
  virtual FolderIdentity Identity() const = 0;
  // The entries, "." and ".." left out, in name order.
  virtual bool List(std::vector<FolderItem>& items, std::string& reason) = 0;
  // The sub-folder `name` itself; a link in its place is refused.
  virtual std::unique_ptr<JobFolder> OpenFolder(const std::string& name, std::string& reason) = 0;
  // The folder reached through the sub-folders `path` (one or more), each
  // opened from the one before, which is let go; null when one cannot be.
  std::unique_ptr<JobFolder> OpenFolderBelow(const std::vector<std::string>& path);
  // Opens the file `name` for reading.
  virtual bool OpenFile(const std::string& name, CFile& file) = 0;
  // The capture time inside the raw file `name`; by default read through
  // OpenFile.
  virtual CaptureTimeRead ReadCaptureTime(const std::string& name);
  // The identity of the entry `name` itself (a link is not followed); false
  // when there is none or it cannot be examined.
  virtual bool Identify(const std::string& name, FileIdentity& identity) = 0;
  // Renames `from` to `to` in this folder, never replacing an entry;
  // `reservation` (when not null) hears of an empty file made to hold `to`
  // on the way.
  virtual RenameResult Rename(const std::string& from, const std::string& to, MoveReservation* reservation) = 0;
  // Removes the file `name` of this folder.
  virtual bool Remove(const std::string& name, std::string& reason) = 0;
  // What renaming `from` would give, as far as can be told without renaming:
  // Failed where the system would refuse it whatever the new name.
  virtual RenameResult PredictRename(const std::string& from) = 0;
};

// The file-system operations of a rename job, behind one seam so that tests
// can inject faults.
class JobFileSystem {
 public:
  virtual ~JobFileSystem() = default;
  // The folder the user chose, reached through whatever links its path holds.
  virtual std::unique_ptr<JobFolder> OpenTree(const std::string& folder, std::string& reason) = 0;
  // The absolute path of `folder` with every link resolved, which names the
  // tree in the job's journal; false when it cannot be resolved.
  virtual bool ResolveFolder(const std::string& folder, std::string& resolved) = 0;
};

// The host's file system.
JobFileSystem& RealFileSystem();

}  // namespace kirabo
