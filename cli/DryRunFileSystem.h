#pragma once

#include <map>
#include <set>
#include <string>

#include "engine/JobFileSystem.h"

namespace kirabo::cli {

// Lists folders from the disk but renames only in memory: each folder's names
// are read from the disk at its first rename and then follow the planned
// renames (a name taken by an earlier file, a name freed by it), so that a
// dry run meets the same collisions and prints the same lines as a real run.
class DryRunFileSystem : public JobFileSystem {
 public:
  explicit DryRunFileSystem(JobFileSystem& disk) : disk(disk) {}

  bool ListFolder(const std::string& folder, FolderListing& listing) override;
  RenameResult Rename(const std::string& from, const std::string& to) override;

 private:
  // The names a folder would hold by now; null when it cannot be listed.
  std::set<std::string>* NamesIn(const std::string& folder);

  JobFileSystem& disk;
  std::map<std::string, std::set<std::string>> folders;
};

}  // namespace kirabo::cli
