#pragma once

#include <memory>
#include <string>

#include "engine/JobFileSystem.h"

namespace kirabo::cli {

// Lists folders from the disk but renames nothing. The job keeps track of
// the names it gives, so a rename only has to be one the disk would allow:
// it fails, with the system's reason, where the real rename would fail for a
// reason that can be told beforehand (a folder the user cannot write to,
// another user's file in a sticky folder).
class DryRunFileSystem : public JobFileSystem {
 public:
  explicit DryRunFileSystem(JobFileSystem& disk) : disk(disk) {}

  std::unique_ptr<JobFolder> OpenTree(const std::string& folder, std::string& reason) override;
  bool ResolveFolder(const std::string& folder, std::string& resolved) override;

 private:
  JobFileSystem& disk;
};

}  // namespace kirabo::cli
