#pragma once

#include <map>
#include <string>

#include "engine/JobFileSystem.h"

namespace kirabo::cli {

// Lists folders from the disk but renames nothing. The job keeps track of
// the names it gives, so a rename only has to be one the disk would allow:
// it fails, with the system's reason, in a folder the user cannot write to,
// as the real rename would.
class DryRunFileSystem : public JobFileSystem {
 public:
  explicit DryRunFileSystem(JobFileSystem& disk) : disk(disk) {}

  bool ListFolder(const std::string& folder, FolderListing& listing) override;
  bool ResolveFolder(const std::string& folder, std::string& resolved) override;
  RenameResult Rename(const std::string& from, const std::string& to) override;
  CaptureTimeRead ReadCaptureTime(const std::string& path) override { return disk.ReadCaptureTime(path); }
  bool Identify(const std::string& path, FileIdentity& identity) override;

 private:
  JobFileSystem& disk;
  std::map<std::string, int> folderErrors;  // folder -> errno of the write check, 0 when writable
};

}  // namespace kirabo::cli
