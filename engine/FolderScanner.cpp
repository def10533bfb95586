#include "engine/FolderScanner.h"

#include "engine/RawFormatTable.h"
#include "platform/Folder.h"
#include "platform/Path.h"

namespace kirabo {

std::string EntryPath(const std::string& folder, const std::string& name, CodePage codePage) {
  // A root such as "/" or "C:\" ends in its separator already; the last
  // byte of "C:\表" in code page 932 does not count.
  return LastCharIs(folder, kPathSeparator, codePage) ? folder + name : folder + kPathSeparator + name;
}

// One folder on the way down: held open while the folders below it are walked.
struct CFolderScanner::Level {
  JobFolder* folder = nullptr;
  std::unique_ptr<JobFolder> owned;  // every folder but the tree, which the result holds
  size_t index = 0;                  // in ScanResult::folders
  std::vector<FolderItem> items;
  size_t next = 0;
};

int32_t CFolderScanner::CollectRawFiles(const std::string& folder, ScanResult& result, JobObserver* observer,
                                        const std::atomic<int32_t>& state) {
  if (observer != nullptr) observer->OnSearching(folder);
  if (state.load() == StopRequested) return 0;
  std::string reason;
  result.tree = fileSystem.OpenTree(folder, reason);
  if (!result.tree) {
    NotListed(folder, reason, result, observer);
    return 0;
  }
  ScannedFolder top;
  if (!MakeLexicalAbsolute(folder, top.path)) top.path = folder;
  top.identity = result.tree->Identity();
  walked.insert({top.identity.device, top.identity.inode});
  result.folders.push_back(std::move(top));

  // An explicit stack rather than recursion: a tree thousands of levels deep
  // must not exhaust a thread's stack.
  std::vector<Level> levels(1);
  levels[0].folder = result.tree.get();
  List(levels[0], folder, result, observer);
  while (!levels.empty() && state.load() != StopRequested) {
    Level& level = levels.back();
    if (level.next == level.items.size()) {
      levels.pop_back();
      continue;
    }
    const FolderItem& item = level.items[level.next++];
    std::string path = EntryPath(result.folders[level.index].path, item.name, codePage);
    if (!item.isFolder) {
      if (IsRawFileName(item.name)) result.files.push_back({level.index, item.name, std::move(path), item.isLink});
      continue;
    }
    if (observer != nullptr) observer->OnSearching(path);
    if (state.load() == StopRequested) break;
    std::unique_ptr<JobFolder> sub = level.folder->OpenFolder(item.name, reason);
    if (!sub) {
      NotListed(path, reason, result, observer);
      continue;
    }
    FolderIdentity identity = sub->Identity();
    if (!walked.insert({identity.device, identity.inode}).second) continue;
    result.folders.push_back({level.index, item.name, std::move(path), identity});
    Level below;
    below.folder = sub.get();
    below.owned = std::move(sub);
    below.index = result.folders.size() - 1;
    levels.push_back(std::move(below));
    List(levels.back(), result.folders.back().path, result, observer);
  }
  return 0;
}

void CFolderScanner::List(Level& level, const std::string& path, ScanResult& result, JobObserver* observer) {
  std::string reason;
  if (!level.folder->List(level.items, reason)) NotListed(path, reason, result, observer);
}

void CFolderScanner::NotListed(const std::string& path, const std::string& reason, ScanResult& result,
                               JobObserver* observer) {
  ++result.unlistedFolders;
  if (observer != nullptr) observer->OnFolderNotListed(path, reason);
}

bool CFolderScanner::IsRawFileName(const std::string& name) const {
  return RawFormatOfPath(name, codePage) != nullptr;
}

}  // namespace kirabo
