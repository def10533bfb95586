#include "JobHarness.h"

#include "engine/FolderScanner.h"
#include "platform/Folder.h"

#include <algorithm>
#include <thread>

namespace kirabo::test {

void RecordingObserver::OnSearching(const std::string& folder) { Add("search " + folder); }

void RecordingObserver::OnFolderNotListed(const std::string& folder, const std::string& reason) {
  Add("unlisted " + folder + ": " + reason);
}

void RecordingObserver::OnCompanionShared(const std::string& path) { Add("shared " + path); }

void RecordingObserver::OnFile(const FileReport& report) {
  std::string event = std::to_string(report.number) + "/" + std::to_string(report.count) + " ";
  switch (report.outcome) {
    case FileOutcome::Renamed:
      event += "renamed " + report.path + " > " + report.newPath;
      if (!report.companions.empty()) event += " +" + std::to_string(report.companions.size());
      break;
    case FileOutcome::AlreadyNamed:
      event += "already " + report.path;
      break;
    case FileOutcome::NoCaptureTime:
      event += "no time " + report.path;
      break;
    case FileOutcome::RenameFailed:
      event += "failed " + report.path + ": " + report.reason;
      if (!report.failedCompanion.empty()) event += " (" + report.failedCompanion + ")";
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
      std::find_if(events.begin(), events.end(), [](const std::string& e) { return !e.starts_with("search ") && !e.starts_with("unlisted "); });
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
  job.readers = 1;  // one file after another, whatever the disk; tests of the readers ask for more
}

class ScriptedFileSystem::Folder : public JobFolder {
 public:
  Folder(ScriptedFileSystem& owner, std::unique_ptr<JobFolder> real, std::string path)
      : owner(owner), real(std::move(real)), path(std::move(path)) {}

  FolderIdentity Identity() const override { return real->Identity(); }
  bool List(std::vector<FolderItem>& items, std::string& reason) override {
    if (owner.onList) owner.onList(path);
    return real->List(items, reason);
  }
  std::unique_ptr<JobFolder> OpenFolder(const std::string& name, std::string& reason) override {
    std::unique_ptr<JobFolder> sub = real->OpenFolder(name, reason);
    if (!sub) return nullptr;
    return std::make_unique<Folder>(owner, std::move(sub), EntryPath(path, name, ActiveCodePage()));
  }
  bool OpenFile(const std::string& name, CFile& file) override {
    {
      std::lock_guard lock(owner.mutex_);
      owner.opened_.push_back(EntryPath(path, name, ActiveCodePage()));
    }
    return real->OpenFile(name, file);
  }
  CaptureTimeRead ReadCaptureTime(const std::string& name) override {
    if (owner.onRead) {
      if (std::optional<CaptureTimeRead> scripted = owner.onRead(EntryPath(path, name, ActiveCodePage())))
        return *scripted;
    }
    return JobFolder::ReadCaptureTime(name);
  }
  bool Identify(const std::string& name, FileIdentity& identity) override {
    if (owner.onIdentify) {
      if (std::optional<bool> scripted = owner.onIdentify(EntryPath(path, name, ActiveCodePage()), identity))
        return *scripted;
    }
    return real->Identify(name, identity);
  }
  RenameResult Rename(const std::string& from, const std::string& to, MoveReservation* reservation) override {
    std::string fromPath = EntryPath(path, from, ActiveCodePage());
    std::string toPath = EntryPath(path, to, ActiveCodePage());
    owner.Record(fromPath, toPath);
    if (owner.onRename) {
      if (std::optional<RenameResult> scripted = owner.onRename(fromPath, toPath)) return *scripted;
    }
    return real->Rename(from, to, reservation);
  }
  bool Remove(const std::string& name, std::string& reason) override { return real->Remove(name, reason); }
  RenameResult PredictRename(const std::string& from) override { return real->PredictRename(from); }

 private:
  ScriptedFileSystem& owner;
  std::unique_ptr<JobFolder> real;
  std::string path;
};

std::unique_ptr<JobFolder> ScriptedFileSystem::OpenTree(const std::string& folder, std::string& reason) {
  std::unique_ptr<JobFolder> real = RealFileSystem().OpenTree(folder, reason);
  std::string path;
  if (!real || !MakeLexicalAbsolute(folder, path)) return nullptr;
  return std::make_unique<Folder>(*this, std::move(real), path);
}

void ScriptedFileSystem::Record(const std::string& from, const std::string& to) {
  std::lock_guard lock(mutex_);
  renames_.emplace_back(from, to);
}

bool ScriptedFileSystem::ResolveFolder(const std::string& folder, std::string& resolved) {
  return RealFileSystem().ResolveFolder(folder, resolved);
}

std::vector<std::pair<std::string, std::string>> ScriptedFileSystem::Renames() const {
  std::lock_guard lock(mutex_);
  return renames_;
}

std::vector<std::string> ScriptedFileSystem::Opened() const {
  std::lock_guard lock(mutex_);
  return opened_;
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
