#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/JobFileSystem.h"
#include "engine/JobObserver.h"
#include "engine/RenameJob.h"
#include "platform/Multibyte.h"

namespace kirabo {

// Walks a folder tree depth first and collects the full path of every file
// whose extension is a raw format's (RawFormatTable.h) in any letter case. One scanner serves one
// job: it remembers the folders it has walked, so that a folder reached a
// second time (through a link, or a link cycle) is not walked again. A link
// to a folder outside the tree first given is not followed, so that a job
// never renames files the user did not choose.
class CFolderScanner {
 public:
  CFolderScanner(JobFileSystem& fileSystem, CodePage codePage) : fileSystem(fileSystem), codePage(codePage) {}
  virtual ~CFolderScanner() = default;

  // Tells `observer` (when not null) of every folder as it enters it, then
  // appends the folder's raw files to `list`; a sub-folder's files take the
  // place of its entry. A stop request ends the walk at every level and is
  // left in `state` for the caller. Always 0.
  int32_t CollectRawFiles(const std::string& folder, std::vector<std::string>& list, JobObserver* observer,
                          const std::atomic<int32_t>& state);

 private:
  void Walk(const std::string& folder, std::vector<std::string>& list, JobObserver* observer,
            const std::atomic<int32_t>& state);
  bool IsInsideTree(const std::string& folder);
  bool IsRawFilePath(const std::string& path) const;
  bool FirstVisit(const FolderIdentity& identity);

  JobFileSystem& fileSystem;
  CodePage codePage;
  std::set<std::pair<uint64_t, uint64_t>> walked;  // device and inode
  std::optional<std::string> treeRoot;              // resolved; empty when it could not be
};

}  // namespace kirabo
