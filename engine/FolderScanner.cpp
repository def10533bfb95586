#include "engine/FolderScanner.h"

namespace kirabo {

int32_t CFolderScanner::CollectRawFiles(const std::string& folder, std::vector<std::string>& list,
                                        TextTarget* statusLabel, const std::atomic<int32_t>& state) {
  if (statusLabel != nullptr) statusLabel->SetText(folder + "\nを検索中・・・");
  if (state.load() == StopRequested) return 0;

  FolderListing listing;
  if (!fileSystem.ListFolder(folder, listing) || !FirstVisit(listing.identity)) return 0;

  for (const FolderEntry& entry : listing.entries) {
    if (state.load() == StopRequested) break;
    if (entry.isDots) continue;
    if (entry.isDirectory) {
      CollectRawFiles(entry.path, list, statusLabel, state);
    } else if (IsRawFilePath(entry.path)) {
      list.push_back(entry.path);
    }
  }
  return 0;
}

// The last "." of the whole path, not of the name: a name without a dot then
// leaves a separator in the tested text and never qualifies.
bool CFolderScanner::IsRawFilePath(const std::string& path) const {
  size_t dot = FindLastChar(path, '.', codePage);
  if (dot == std::string::npos) return false;
  std::string extension = UpperAscii(std::string_view(path).substr(dot + 1), codePage);
  return extension == "CRW" || extension == "CR2" || extension == "CR3";
}

bool CFolderScanner::FirstVisit(const FolderIdentity& identity) {
  return walked.insert({identity.device, identity.inode}).second;
}

}  // namespace kirabo
