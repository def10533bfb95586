#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/FolderScanner.h"
#include "engine/JobFileSystem.h"

namespace kirabo {

// Holds open the folders of a scanned tree along one line, from the tree down
// to the folder whose files the job is dealing with. Each folder is opened by
// name in its parent, which stays held, and must still be the very folder the
// scan walked: one renamed away, or replaced by a link or another folder since
// the scan, is not used. Moving on to the next folder keeps what the two
// lines share, so a walk over a deep tree opens each folder once per visit.
class FolderCursor {
 public:
  explicit FolderCursor(const ScanResult& scan) : scan(scan) {}

  // The scan's folder `index`, held open; null with the reason when it can no
  // longer be reached as the scan found it. The folder stays open for whoever
  // keeps it, after the cursor has moved on.
  std::shared_ptr<JobFolder> Hold(size_t index, std::string& reason);

 private:
  const ScanResult& scan;
  std::vector<std::pair<size_t, std::shared_ptr<JobFolder>>> held;  // below the tree, from the top down
};

}  // namespace kirabo
