#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileIdentity.h"

namespace kirabo {

struct FolderEntry {
  std::string name;
  std::string path;  // the listing's root, one separator, the name
  bool isDots = false;
  bool isDirectory = false;  // links to folders count as folders
};

// Identifies a folder however it was reached, so that link cycles end.
struct FolderIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  bool operator==(const FolderIdentity&) const = default;
};

struct FolderListing {
  FolderIdentity identity;
  std::vector<FolderEntry> entries;  // in name order, "." and ".." included
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
  int64_t captureTime = -1;  // a CaptureTime; negative when none was found
  bool readable = true;      // false when the file could not be opened or read
  std::string reason;        // not readable: why, in the system's words
};

// The file-system operations of a rename job, behind one seam so that tests
// can inject faults.
class JobFileSystem {
 public:
  virtual ~JobFileSystem() = default;
  // Lists `folder` (absolute or relative); false when it cannot be listed.
  virtual bool ListFolder(const std::string& folder, FolderListing& listing) = 0;
  // The absolute path of `folder` with every link resolved; false when it
  // cannot be resolved.
  virtual bool ResolveFolder(const std::string& folder, std::string& resolved) = 0;
  // Renames without ever replacing an existing entry.
  virtual RenameResult Rename(const std::string& from, const std::string& to) = 0;
  // The capture time inside the raw file at `path`; by default read from the
  // host's file system. Called from several threads at once when a job reads ahead.
  virtual CaptureTimeRead ReadCaptureTime(const std::string& path);
  // The identity of the entry at `path`; false when there is none.
  virtual bool Identify(const std::string& path, FileIdentity& identity) = 0;
};

// The host's file system.
JobFileSystem& RealFileSystem();

}  // namespace kirabo
