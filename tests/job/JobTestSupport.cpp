#include "JobTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "RawFileBuilder.h"

namespace kirabo::test {

namespace fs = std::filesystem;

TempTree::TempTree() {
  std::string pattern = (fs::temp_directory_path() / "kirabo-job-XXXXXX").string();
  root_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

TempTree::~TempTree() {
  std::error_code ignored;
  if (!root_.empty()) fs::remove_all(root_, ignored);
}

void TempTree::Folder(const std::string& relative) const { fs::create_directories(Path(relative)); }

void TempTree::Crw(const std::string& relative, int year, int month, int day, int hour, int minute,
                   int second) const {
  CiffHeap root;
  root.Record(0x180E, CaptureTimeData(UtcSeconds(year, month, day, hour, minute, second)));
  Text(relative, CiffFile(root));
}

void TempTree::Text(const std::string& relative, const std::string& content) const {
  fs::create_directories(fs::path(Path(relative)).parent_path());
  std::ofstream(Path(relative), std::ios::binary) << content;
}

std::vector<std::string> TempTree::Names(const std::string& relative) const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(relative.empty() ? root_ : Path(relative)))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void RecordingTarget::SetText(const std::string& text) {
  std::lock_guard lock(mutex_);
  texts_.push_back(text);
}

std::vector<std::string> RecordingTarget::Texts() const {
  std::lock_guard lock(mutex_);
  return texts_;
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
  changed_.wait(lock, [this] { return released_; });
}

void Gate::WaitUntilEntered() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return entered_; });
}

void Gate::Release() {
  std::lock_guard lock(mutex_);
  released_ = true;
  changed_.notify_all();
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

}  // namespace kirabo::test
