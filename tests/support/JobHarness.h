#pragma once

// Drives a rename job from a test: an observer that records what the worker
// reports, a file system that injects faults around the real one, a
// gate that holds the worker inside an operation, and the wait for the
// worker's end.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/JobFileSystem.h"
#include "engine/JobObserver.h"
#include "engine/RenameJob.h"

namespace kirabo::test {

// Records a job's events as one line each, from whatever thread sends them:
//   "search FOLDER", "unlisted FOLDER: REASON"
//   "i/N renamed FROM > TO" (then " +C" for C companions renamed with it),
//   "i/N already FROM", "i/N no time FROM", "i/N failed FROM: REASON" (then
//   " (COMPANION)" when a companion's rename failed), "i/N unreadable FROM:
//   REASON", "shared PATH" for a companion of several raw files
//   "end completed|stopped|failed R A T F" (the first four counts), then
//   " unreadable U" when files could not be read
class RecordingObserver : public JobObserver {
 public:
  void OnSearching(const std::string& folder) override;
  void OnFolderNotListed(const std::string& folder, const std::string& reason) override;
  void OnFile(const FileReport& report) override;
  void OnCompanionShared(const std::string& path) override;
  void OnJobEnd(JobEnd end, const JobCounts& counts) override;
  std::vector<std::string> Events() const;
  // The events from the first "i/N" line on.
  std::vector<std::string> FileEvents() const;

 private:
  void Add(std::string event);
  mutable std::mutex mutex_;
  std::vector<std::string> events_;
};

// A job record wired to a recording observer.
struct RecordedJob {
  RecordedJob(const std::string& folder, int32_t format, JobFileSystem* fileSystem = nullptr);
  RenameJob job;
  RecordingObserver events;
};

// The real file system with hooks, which see absolute paths: `onList` runs
// before a folder is listed, `onRename` may answer a rename, and `onRead` a
// capture-time read, instead of the real one. Every rename asked for is
// recorded, and every file opened through the job's folders. Set the hooks
// before the job starts.
class ScriptedFileSystem : public JobFileSystem {
 public:
  std::function<void(const std::string& folder)> onList;
  std::function<std::optional<RenameResult>(const std::string& from, const std::string& to)> onRename;
  std::function<std::optional<CaptureTimeRead>(const std::string& path)> onRead;
  // May answer an identity look-up instead of the real one.
  std::function<std::optional<bool>(const std::string& path, FileIdentity& identity)> onIdentify;

  std::unique_ptr<JobFolder> OpenTree(const std::string& folder, std::string& reason) override;
  bool ResolveFolder(const std::string& folder, std::string& resolved) override;
  std::vector<std::pair<std::string, std::string>> Renames() const;
  std::vector<std::string> Opened() const;  // in no particular order

 private:
  class Folder;
  void Record(const std::string& from, const std::string& to);
  mutable std::mutex mutex_;
  std::vector<std::pair<std::string, std::string>> renames_;
  std::vector<std::string> opened_;
};

// Lets a test hold the worker inside an operation: the worker calls Enter and
// blocks until the gate is open; the test waits with WaitUntilEntered.
class Gate {
 public:
  explicit Gate(bool open = false) : open_(open) {}
  void Enter();
  // False when nobody entered within `timeout`.
  bool WaitUntilEntered(std::chrono::milliseconds timeout = std::chrono::seconds(10));
  void Open();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool entered_ = false;
  bool open_;
};

// Spins until the worker has written Idle, without handling any events.
void WaitUntilIdle(const RenameJob& job);

}  // namespace kirabo::test
