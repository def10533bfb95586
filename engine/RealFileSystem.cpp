#include <new>
#include <system_error>

#include "engine/CaptureTimeReader.h"
#include "engine/JobFileSystem.h"
#include "platform/MoveFile.h"
#include "platform/RealPath.h"

namespace kirabo {

namespace {

std::string SystemMessage(int error) { return std::system_category().message(error); }

class HostFolder final : public JobFolder {
 public:
  FolderIdentity Identity() const override { return {folder.Device(), folder.Inode()}; }

  bool List(std::vector<FolderItem>& items, std::string& reason) override {
    int error = 0;
    if (folder.List(items, error)) return true;
    reason = SystemMessage(error);
    return false;
  }

  std::unique_ptr<JobFolder> OpenFolder(const std::string& name, std::string& reason) override {
    auto sub = std::make_unique<HostFolder>();
    int error = 0;
    if (sub->folder.OpenIn(folder, name, error)) return sub;
    reason = SystemMessage(error);
    return nullptr;
  }

  bool OpenFile(const std::string& name, CFile& file) override { return file.OpenIn(folder, name); }

  RenameResult Rename(const std::string& from, const std::string& to, MoveReservation* reservation) override {
    int error = 0;
    switch (MoveFileNoReplace(folder, from, to, &error, reservation)) {
      case MoveResult::Moved:
        return RenameOutcome::Renamed;
      case MoveResult::NameTaken:
        return RenameOutcome::NameTaken;
      case MoveResult::Failed:
        break;
    }
    return {RenameOutcome::Failed, SystemMessage(error)};
  }

  bool Remove(const std::string& name, std::string& reason) override {
    int error = RemoveFileIn(folder, name);
    if (error != 0) reason = SystemMessage(error);
    return error == 0;
  }

  RenameResult PredictRename(const std::string& from) override {
    int error = PredictMoveError(folder, from);
    if (error != 0) return {RenameOutcome::Failed, SystemMessage(error)};
    return RenameOutcome::Renamed;
  }

  bool Identify(const std::string& name, FileIdentity& identity) override {
    return IdentifyFileIn(folder, name, identity);
  }

  CFolder folder;
};

class HostFileSystem final : public JobFileSystem {
 public:
  std::unique_ptr<JobFolder> OpenTree(const std::string& path, std::string& reason) override {
    auto tree = std::make_unique<HostFolder>();
    int error = 0;
    if (tree->folder.Open(path, error)) return tree;
    reason = SystemMessage(error);
    return nullptr;
  }

  bool ResolveFolder(const std::string& folder, std::string& resolved) override {
    return ResolveRealPath(folder, resolved);
  }
};

}  // namespace

std::unique_ptr<JobFolder> JobFolder::OpenFolderBelow(const std::vector<std::string>& path) {
  std::unique_ptr<JobFolder> folder;
  std::string reason;
  for (const std::string& name : path) {
    folder = (folder ? *folder : *this).OpenFolder(name, reason);
    if (!folder) return nullptr;
  }
  return folder;
}

CaptureTimeRead JobFolder::ReadCaptureTime(const std::string& name) {
  CCaptureTimeReader reader;
  reader.Load(*this, name);
  if (int error = reader.GetReadError(); error != 0) return {-1, false, std::system_category().message(error)};
  CaptureTimeRead read(reader.GetCaptureTime());
  read.identified = reader.GetIdentity(read.identity);
  return read;
}

JobFileSystem& RealFileSystem() {
  static HostFileSystem fileSystem;
  return fileSystem;
}

}  // namespace kirabo
