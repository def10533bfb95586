#include <new>
#include <system_error>

#include "engine/CaptureTimeReader.h"
#include "engine/JobFileSystem.h"
#include "platform/FileFind.h"
#include "platform/MoveFile.h"
#include "platform/Path.h"
#include "platform/RealPath.h"

namespace kirabo {

namespace {

class HostFileSystem final : public JobFileSystem {
 public:
  bool ListFolder(const std::string& folder, FolderListing& listing) override {
    try {
      CFileFind finder;
      // A folder that ends in a separator gives two in a row, which lists it all the same.
      if (!finder.FindFile(folder + kPathSeparator + "*.*")) return false;
      listing.identity = {finder.GetFolderDevice(), finder.GetFolderInode()};
      listing.entries.clear();
      bool more = true;
      while (more) {
        more = finder.FindNextFile();
        listing.entries.push_back({std::string(finder.GetFileName()), finder.GetFilePath(), finder.IsDots(),
                                   finder.IsDirectory()});
      }
      return true;
    } catch (const std::bad_alloc&) {
      listing.entries.clear();
      return false;
    }
  }

  RenameResult Rename(const std::string& from, const std::string& to) override {
    int error = 0;
    switch (MoveFileNoReplace(from, to, &error)) {
      case MoveResult::Moved:
        return RenameOutcome::Renamed;
      case MoveResult::NameTaken:
        return RenameOutcome::NameTaken;
      case MoveResult::Failed:
        break;
    }
    return {RenameOutcome::Failed, std::system_category().message(error)};
  }

  bool Identify(const std::string& path, FileIdentity& identity) override { return IdentifyFile(path, identity); }

  bool ResolveFolder(const std::string& folder, std::string& resolved) override {
    return ResolveRealPath(folder, resolved);
  }
};

}  // namespace

CaptureTimeRead JobFileSystem::ReadCaptureTime(const std::string& path) {
  CCaptureTimeReader reader;
  reader.Load(path);
  if (int error = reader.GetReadError(); error != 0) return {-1, false, std::system_category().message(error)};
  return {reader.GetCaptureTime(), true, {}};
}

JobFileSystem& RealFileSystem() {
  static HostFileSystem fileSystem;
  return fileSystem;
}

}  // namespace kirabo
