#include "engine/FolderScanner.h"

#include "engine/RawFormatTable.h"
#include "platform/Path.h"

namespace kirabo {

int32_t CFolderScanner::CollectRawFiles(const std::string& folder, std::vector<std::string>& list,
                                        JobObserver* observer, const std::atomic<int32_t>& state) {
  if (!treeRoot) {
    std::string resolved;
    treeRoot = fileSystem.ResolveFolder(folder, resolved) ? resolved : std::string();
  }
  Walk(folder, list, observer, state);
  return 0;
}

void CFolderScanner::Walk(const std::string& folder, std::vector<std::string>& list, JobObserver* observer,
                          const std::atomic<int32_t>& state) {
  if (observer != nullptr) observer->OnSearching(folder);
  if (state.load() == StopRequested) return;

  FolderListing listing;
  if (!fileSystem.ListFolder(folder, listing) || !FirstVisit(listing.identity)) return;

  for (const FolderEntry& entry : listing.entries) {
    if (state.load() == StopRequested) break;
    if (entry.isDots) continue;
    if (entry.isDirectory) {
      if (IsInsideTree(entry.path)) Walk(entry.path, list, observer, state);
    } else if (IsRawFilePath(entry.path)) {
      list.push_back(entry.path);
    }
  }
}

// Decided on the resolved paths, as only links lead out. When the tree's
// own path could not be resolved, no sub-folder is known to be inside it.
bool CFolderScanner::IsInsideTree(const std::string& folder) {
  std::string resolved;
  if (treeRoot->empty() || !fileSystem.ResolveFolder(folder, resolved)) return false;
  if (!resolved.starts_with(*treeRoot)) return false;
  // Windows takes '/' as a separator too. A root such as "/" or "C:\" ends
  // in its separator already; the last byte of "C:\表" in code page 932 does
  // not count.
  if (LastCharIs(*treeRoot, kPathSeparator, codePage) || LastCharIs(*treeRoot, '/', codePage)) return true;
  char next = resolved.size() == treeRoot->size() ? kPathSeparator : resolved[treeRoot->size()];
  return next == kPathSeparator || next == '/';
}

bool CFolderScanner::IsRawFilePath(const std::string& path) const {
  return RawFormatOfPath(path, codePage) != nullptr;
}

bool CFolderScanner::FirstVisit(const FolderIdentity& identity) {
  return walked.insert({identity.device, identity.inode}).second;
}

}  // namespace kirabo
