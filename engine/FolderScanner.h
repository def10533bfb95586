#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/FolderListings.h"
#include "engine/JobFileSystem.h"
#include "engine/JobObserver.h"
#include "engine/RenameJob.h"
#include "platform/Multibyte.h"

namespace kirabo {

struct ScannedFolder {
  size_t parent = 0;  // index in ScanResult::folders; the tree (index 0) is its own parent
  std::string name;   // its entry in the parent
  std::string path;   // absolute, as shown to the user
  FolderIdentity identity;
};

struct ScannedFile {
  size_t folder = 0;  // index in ScanResult::folders
  std::string name;
  std::string path;     // its folder's path, one separator, the name
  bool isLink = false;  // a link to a file, which the job's own renames could redirect
};

struct ScanResult {
  std::shared_ptr<JobFolder> tree;     // held open from the scan to the job's end; null when it cannot be opened
  std::vector<ScannedFolder> folders;  // the folders walked, in the order they were entered
  std::vector<ScannedFile> files;      // the raw files, a sub-folder's files in place of its entry
  size_t unlistedFolders = 0;          // folders that could not be opened or listed
};

// Walks a folder tree depth first and collects every file whose extension is
// a raw format's (RawFormatTable.h) in any letter case. Every sub-folder is
// opened by name in its parent, which is held open meanwhile, and links to
// folders are never followed: the walk cannot leave the tree, however the
// tree changes while it is walked. A folder met a second time (a bind mount)
// is not walked again. With several `threads`, sub-folders are opened and
// listed ahead of the walk (CFolderListings), which finds the same folders
// in the same order.
class CFolderScanner {
 public:
  CFolderScanner(JobFileSystem& fileSystem, CodePage codePage, int32_t threads = 1)
      : fileSystem(fileSystem), codePage(codePage), threads(threads) {}
  virtual ~CFolderScanner() = default;

  // Tells `observer` (when not null) of every folder as it enters it, and of
  // every folder that cannot be opened or listed. A stop
  // request ends the walk at every level and is left in `state` for the
  // caller. Always 0.
  int32_t CollectRawFiles(const std::string& folder, ScanResult& result, JobObserver* observer,
                          const std::atomic<int32_t>& state);

 private:
  struct Level;
  void List(Level& level, const std::string& path, ScanResult& result, JobObserver* observer);
  static void ListAhead(Level& level, CFolderListings& listings);
  static FolderListing Enter(Level& level, size_t at, CFolderListings& listings);
  void NotListed(const std::string& path, const std::string& reason, ScanResult& result, JobObserver* observer);
  bool IsRawFileName(const std::string& name) const;

  JobFileSystem& fileSystem;
  CodePage codePage;
  int32_t threads;
  std::set<std::pair<uint64_t, uint64_t>> walked;  // device and inode
};

// `folder`'s path, one separator (unless it ends in one), then `name`.
std::string EntryPath(const std::string& folder, const std::string& name, CodePage codePage);

}  // namespace kirabo
