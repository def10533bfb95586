#include "cli/DryRunFileSystem.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/Multibyte.h"
#include "platform/Path.h"

namespace kirabo::cli {

bool DryRunFileSystem::ListFolder(const std::string& folder, FolderListing& listing) {
  return disk.ListFolder(folder, listing);
}

bool DryRunFileSystem::ResolveFolder(const std::string& folder, std::string& resolved) {
  return disk.ResolveFolder(folder, resolved);
}

bool DryRunFileSystem::Identify(const std::string& path, FileIdentity& identity) {
  return disk.Identify(path, identity);
}

RenameResult DryRunFileSystem::Rename(const std::string& from, const std::string&) {
  size_t separator = FindLastChar(from, kPathSeparator, ActiveCodePage());
  std::string folder = from.substr(0, separator == std::string::npos ? 0 : separator + 1);
  auto known = folderErrors.find(folder);
  if (known == folderErrors.end()) {
    int error = ::access(folder.c_str(), W_OK) == 0 ? 0 : errno;
    known = folderErrors.emplace(folder, error).first;
  }
  if (known->second != 0) return {RenameOutcome::Failed, std::generic_category().message(known->second)};
  return RenameOutcome::Renamed;
}

}  // namespace kirabo::cli
