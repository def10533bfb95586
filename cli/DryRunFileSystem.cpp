#include "cli/DryRunFileSystem.h"

#include <utility>

#include "platform/Multibyte.h"
#include "platform/Path.h"

namespace kirabo::cli {

namespace {

std::pair<std::string, std::string> SplitFolderAndName(const std::string& path) {
  size_t separator = FindLastChar(path, kPathSeparator, ActiveCodePage());
  if (separator == std::string::npos) return {".", path};
  return {path.substr(0, separator), path.substr(separator + 1)};
}

}  // namespace

bool DryRunFileSystem::ListFolder(const std::string& folder, FolderListing& listing) {
  return disk.ListFolder(folder, listing);
}

RenameOutcome DryRunFileSystem::Rename(const std::string& from, const std::string& to) {
  auto [fromFolder, fromName] = SplitFolderAndName(from);
  auto [toFolder, toName] = SplitFolderAndName(to);
  std::set<std::string>* source = NamesIn(fromFolder);
  std::set<std::string>* target = NamesIn(toFolder);
  if (source == nullptr || target == nullptr || !source->contains(fromName)) return RenameOutcome::Failed;
  if (from == to) return RenameOutcome::Renamed;
  if (target->contains(toName)) return RenameOutcome::NameTaken;
  source->erase(fromName);
  target->insert(toName);
  return RenameOutcome::Renamed;
}

std::set<std::string>* DryRunFileSystem::NamesIn(const std::string& folder) {
  auto known = folders.find(folder);
  if (known != folders.end()) return &known->second;
  FolderListing listing;
  if (!disk.ListFolder(folder, listing)) return nullptr;
  std::set<std::string>& names = folders[folder];
  for (const FolderEntry& entry : listing.entries) {
    if (!entry.isDots) names.insert(entry.name);
  }
  return &names;
}

}  // namespace kirabo::cli
