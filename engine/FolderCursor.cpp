#include "engine/FolderCursor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kirabo {

std::shared_ptr<JobFolder> FolderCursor::Hold(size_t index, std::string& reason) {
  if (!scan.tree) return nullptr;
  std::vector<size_t> line;  // below the tree, from the folder up
  for (size_t at = index; at != 0; at = scan.folders[at].parent) line.push_back(at);
  std::reverse(line.begin(), line.end());

  size_t shared = 0;
  while (shared < held.size() && shared < line.size() && held[shared].first == line[shared]) ++shared;
  held.resize(shared);
  for (size_t depth = shared; depth < line.size(); ++depth) {
    JobFolder& parent = depth == 0 ? *scan.tree : *held.back().second;
    const ScannedFolder& wanted = scan.folders[line[depth]];
    std::unique_ptr<JobFolder> folder = parent.OpenFolder(wanted.name, reason);
    if (!folder) return nullptr;
    if (folder->Identity() != wanted.identity) {
      // Another folder now stands under the name: the one scanned is gone from here.
      reason = std::strerror(ENOENT);
      return nullptr;
    }
    held.emplace_back(line[depth], std::move(folder));
  }
  return line.empty() ? scan.tree : held.back().second;
}

}  // namespace kirabo
