#include "platform/Folder.h"

#include <algorithm>

namespace kirabo {

CFolder::~CFolder() { Close(); }

void SortFolderItems(std::vector<FolderItem>& items, CodePage codePage) {
  // The same order on every system and file system (NTFS, FAT and network
  // shares list in orders of their own), so that one job gives the same
  // names everywhere. Upper-case keys, as NTFS orders names, so "A_" sorts
  // after "AB".
  std::vector<std::pair<std::string, size_t>> keys;
  keys.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) keys.emplace_back(UpperAscii(items[i].name, codePage), i);
  std::sort(keys.begin(), keys.end(), [&items](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return items[a.second].name < items[b.second].name;
  });
  std::vector<FolderItem> sorted;
  sorted.reserve(items.size());
  for (const auto& key : keys) sorted.push_back(std::move(items[key.second]));
  items = std::move(sorted);
}

}  // namespace kirabo
