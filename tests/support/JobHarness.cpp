#include "JobHarness.h"

#include <thread>

namespace kirabo::test {

void RecordingTarget::SetText(const std::string& text) {
  std::lock_guard lock(mutex_);
  texts_.push_back(text);
}

std::vector<std::string> RecordingTarget::Texts() const {
  std::lock_guard lock(mutex_);
  return texts_;
}

RecordedJob::RecordedJob(const std::string& folder, int32_t format, JobFileSystem* fileSystem) {
  job.folder = folder;
  job.format = format;
  job.statusLabel = &label;
  job.startButton = &button;
  job.messageBox = &box;
  job.fileSystem = fileSystem;
}

std::string SearchingText(const std::string& folder) { return folder + "\nを検索中・・・"; }

std::string ProgressText(int number, int count, const std::string& from, const std::string& to) {
  return std::to_string(number) + "/" + std::to_string(count) + "\n" + from + "\n" + to + "\n";
}

bool ScriptedFileSystem::ListFolder(const std::string& folder, FolderListing& listing) {
  if (onList) onList(folder);
  return RealFileSystem().ListFolder(folder, listing);
}

RenameOutcome ScriptedFileSystem::Rename(const std::string& from, const std::string& to) {
  {
    std::lock_guard lock(mutex_);
    renames_.emplace_back(from, to);
  }
  if (onRename) {
    if (std::optional<RenameOutcome> scripted = onRename(from, to)) return *scripted;
  }
  return RealFileSystem().Rename(from, to);
}

std::vector<std::pair<std::string, std::string>> ScriptedFileSystem::Renames() const {
  std::lock_guard lock(mutex_);
  return renames_;
}

void Gate::Enter() {
  std::unique_lock lock(mutex_);
  entered_ = true;
  changed_.notify_all();
  changed_.wait(lock, [this] { return open_; });
}

bool Gate::WaitUntilEntered(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return entered_; });
}

void Gate::Open() {
  std::lock_guard lock(mutex_);
  open_ = true;
  changed_.notify_all();
}

void WaitUntilIdle(const RenameJob& job) {
  while (job.state.load() != Idle) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace kirabo::test
