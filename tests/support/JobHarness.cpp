#include "JobHarness.h"

#include <algorithm>
#include <thread>

namespace kirabo::test {

void RecordingObserver::OnSearching(const std::string& folder) { Add("search " + folder); }

void RecordingObserver::OnFile(const FileReport& report) {
  std::string event = std::to_string(report.number) + "/" + std::to_string(report.count) + " ";
  switch (report.outcome) {
    case FileOutcome::Renamed:
      event += "renamed " + report.path + " > " + report.newPath;
      break;
    case FileOutcome::AlreadyNamed:
      event += "already " + report.path;
      break;
    case FileOutcome::NoCaptureTime:
      event += "no time " + report.path;
      break;
    case FileOutcome::RenameFailed:
      event += "failed " + report.path + ": " + report.reason;
      break;
    case FileOutcome::CannotRead:
      event += "unreadable " + report.path + ": " + report.reason;
      break;
  }
  Add(std::move(event));
}

void RecordingObserver::OnJobEnd(JobEnd end, const JobCounts& counts) {
  const char* name = end == JobEnd::Completed       ? "completed"
                     : end == JobEnd::Stopped       ? "stopped"
                     : end == JobEnd::JournalFailed ? "journal failed"
                                                    : "failed";
  Add(std::string("end ") + name + " " + std::to_string(counts.renamed) + " " + std::to_string(counts.alreadyNamed) +
      " " + std::to_string(counts.noCaptureTime) + " " + std::to_string(counts.renameFailed) +
      (counts.cannotRead > 0 ? " unreadable " + std::to_string(counts.cannotRead) : ""));
}

std::vector<std::string> RecordingObserver::Events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

std::vector<std::string> RecordingObserver::FileEvents() const {
  std::vector<std::string> events = Events();
  auto first =
      std::find_if(events.begin(), events.end(), [](const std::string& e) { return !e.starts_with("search "); });
  return {first, events.end()};
}

void RecordingObserver::Add(std::string event) {
  std::lock_guard lock(mutex_);
  events_.push_back(std::move(event));
}

RecordedJob::RecordedJob(const std::string& folder, int32_t format, JobFileSystem* fileSystem) {
  job.folder = folder;
  job.format = format;
  job.observer = &events;
  job.fileSystem = fileSystem;
}

bool ScriptedFileSystem::ListFolder(const std::string& folder, FolderListing& listing) {
  if (onList) onList(folder);
  return RealFileSystem().ListFolder(folder, listing);
}

bool ScriptedFileSystem::ResolveFolder(const std::string& folder, std::string& resolved) {
  return RealFileSystem().ResolveFolder(folder, resolved);
}

RenameResult ScriptedFileSystem::Rename(const std::string& from, const std::string& to) {
  {
    std::lock_guard lock(mutex_);
    renames_.emplace_back(from, to);
  }
  if (onRename) {
    if (std::optional<RenameResult> scripted = onRename(from, to)) return *scripted;
  }
  return RealFileSystem().Rename(from, to);
}

CaptureTimeRead ScriptedFileSystem::ReadCaptureTime(const std::string& path) {
  if (onRead) {
    if (std::optional<CaptureTimeRead> scripted = onRead(path)) return *scripted;
  }
  return RealFileSystem().ReadCaptureTime(path);
}

bool ScriptedFileSystem::Identify(const std::string& path, FileIdentity& identity) {
  if (onIdentify) {
    if (std::optional<bool> scripted = onIdentify(path, identity)) return *scripted;
  }
  return RealFileSystem().Identify(path, identity);
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
