#include "cli/DryRunFileSystem.h"

namespace kirabo::cli {

namespace {

class DryRunFolder : public JobFolder {
 public:
  explicit DryRunFolder(std::unique_ptr<JobFolder> disk) : disk(std::move(disk)) {}

  FolderIdentity Identity() const override { return disk->Identity(); }
  bool List(std::vector<FolderItem>& items, std::string& reason) override { return disk->List(items, reason); }
  std::unique_ptr<JobFolder> OpenFolder(const std::string& name, std::string& reason) override {
    std::unique_ptr<JobFolder> sub = disk->OpenFolder(name, reason);
    return sub ? std::make_unique<DryRunFolder>(std::move(sub)) : nullptr;
  }
  bool OpenFile(const std::string& name, CFile& file) override { return disk->OpenFile(name, file); }
  bool Identify(const std::string& name, FileIdentity& identity) override { return disk->Identify(name, identity); }

  RenameResult Rename(const std::string& from, const std::string&, MoveReservation*) override {
    return disk->PredictRename(from);
  }
  // Nothing is removed, as nothing is renamed.
  bool Remove(const std::string&, std::string&) override { return true; }
  RenameResult PredictRename(const std::string& from) override { return disk->PredictRename(from); }

 private:
  std::unique_ptr<JobFolder> disk;
};

}  // namespace

std::unique_ptr<JobFolder> DryRunFileSystem::OpenTree(const std::string& folder, std::string& reason) {
  std::unique_ptr<JobFolder> tree = disk.OpenTree(folder, reason);
  return tree ? std::make_unique<DryRunFolder>(std::move(tree)) : nullptr;
}

bool DryRunFileSystem::ResolveFolder(const std::string& folder, std::string& resolved) {
  return disk.ResolveFolder(folder, resolved);
}

}  // namespace kirabo::cli
