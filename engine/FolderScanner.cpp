#include "engine/FolderScanner.h"

#include <algorithm>
#include <deque>

#include "engine/FolderListings.h"
#include "engine/RawFormatTable.h"
#include "platform/Folder.h"
#include "platform/Path.h"

namespace kirabo {

namespace {

// Sub-folders opened and listed ahead of the walk, in all: enough to keep a
// share's round trips overlapping, few enough to hold few folders open.
constexpr size_t kFoldersAhead = 16;

}  // namespace

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
  size_t offered = 0;  // items below this were handed to the listings or left to the walk
  std::deque<std::pair<size_t, std::shared_ptr<CFolderListings::Pending>>> ahead;  // by item
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
  // After the levels, so that it ends first: what it is opening lies in
  // folders they hold.
  CFolderListings listings(threads, kFoldersAhead);
  while (!levels.empty() && state.load() != StopRequested) {
    Level& level = levels.back();
    if (level.next == level.items.size()) {
      levels.pop_back();
      continue;
    }
    ListAhead(level, listings);
    const size_t at = level.next++;
    const FolderItem& item = level.items[at];
    std::string path = EntryPath(result.folders[level.index].path, item.name, codePage);
    if (!item.isFolder) {
      if (IsRawFileName(item.name)) result.files.push_back({level.index, item.name, std::move(path), item.isLink});
      continue;
    }
    if (observer != nullptr) observer->OnSearching(path);
    if (state.load() == StopRequested) break;
    FolderListing sub = Enter(level, at, listings);
    if (!sub.folder) {
      NotListed(path, sub.openReason, result, observer);
      continue;
    }
    FolderIdentity identity = sub.folder->Identity();
    if (!walked.insert({identity.device, identity.inode}).second) continue;
    result.folders.push_back({level.index, item.name, std::move(path), identity});
    Level below;
    below.folder = sub.folder.get();
    below.owned = std::move(sub.folder);
    below.index = result.folders.size() - 1;
    below.items = std::move(sub.items);
    levels.push_back(std::move(below));
    if (!sub.listed) NotListed(result.folders.back().path, sub.listReason, result, observer);
  }
  return 0;
}

// Hands the level's next sub-folders to the listings while they have room.
void CFolderScanner::ListAhead(Level& level, CFolderListings& listings) {
  for (level.offered = std::max(level.offered, level.next); level.offered < level.items.size(); ++level.offered) {
    const FolderItem& item = level.items[level.offered];
    if (!item.isFolder) continue;
    std::shared_ptr<CFolderListings::Pending> pending = listings.Start(*level.folder, item.name);
    if (!pending) return;
    level.ahead.emplace_back(level.offered, std::move(pending));
  }
}

// The level's item `at`, a sub-folder, opened and listed: by the listings
// when they took it, here otherwise.
FolderListing CFolderScanner::Enter(Level& level, size_t at, CFolderListings& listings) {
  FolderListing sub;
  if (!level.ahead.empty() && level.ahead.front().first == at) {
    std::shared_ptr<CFolderListings::Pending> pending = std::move(level.ahead.front().second);
    level.ahead.pop_front();
    if (listings.Take(*pending, sub)) return sub;
  }
  sub.folder = level.folder->OpenFolder(level.items[at].name, sub.openReason);
  if (sub.folder) sub.listed = sub.folder->List(sub.items, sub.listReason);
  return sub;
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
