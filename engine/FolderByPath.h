#pragma once

#include <memory>
#include <string>

#include "engine/JobFileSystem.h"

namespace kirabo {

// The folder of the journal records being dealt with, opened by its path and
// held while they are, so that each look and rename stays in that very
// folder. One at a time: going over many folders must not run out of
// descriptors.
class FolderByPath {
 public:
  explicit FolderByPath(JobFileSystem& fileSystem) : fileSystem_(fileSystem) {}

  // The folder at `path`; null when it cannot be opened.
  JobFolder* Hold(const std::string& path) {
    if (path != path_) {
      std::string reason;
      folder_ = fileSystem_.OpenTree(path, reason);
      path_ = path;
    }
    return folder_.get();
  }

 private:
  JobFileSystem& fileSystem_;
  std::string path_;
  std::unique_ptr<JobFolder> folder_;
};

}  // namespace kirabo
