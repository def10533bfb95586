#pragma once

// Drives a rename job from a test: user-interface targets that record what
// the worker shows, a file system that injects faults around the real one, a
// gate that holds the worker inside an operation, and the wait for the
// worker's end.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/JobFileSystem.h"
#include "engine/RenameJob.h"

namespace kirabo::test {

// Records the texts shown, from whatever thread shows them.
class RecordingTarget : public TextTarget, public MessageTarget {
 public:
  void SetText(const std::string& text) override;
  void ShowInformation(const std::string& text) override { SetText(text); }
  std::vector<std::string> Texts() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> texts_;
};

// A job record wired to recording targets.
struct RecordedJob {
  RecordedJob(const std::string& folder, int32_t format, JobFileSystem* fileSystem = nullptr);
  RenameJob job;
  RecordingTarget label;
  RecordingTarget button;
  RecordingTarget box;
};

// The label's texts while a folder is searched and as each file is renamed.
std::string SearchingText(const std::string& folder);
std::string ProgressText(int number, int count, const std::string& from, const std::string& to);

// The real file system with hooks: `onList` runs before a folder is listed,
// `onRename` may answer a rename instead of the real one. Every rename asked
// for is recorded. Set the hooks before the job starts.
class ScriptedFileSystem : public JobFileSystem {
 public:
  std::function<void(const std::string& folder)> onList;
  std::function<std::optional<RenameOutcome>(const std::string& from, const std::string& to)> onRename;

  bool ListFolder(const std::string& folder, FolderListing& listing) override;
  RenameOutcome Rename(const std::string& from, const std::string& to) override;
  std::vector<std::pair<std::string, std::string>> Renames() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::pair<std::string, std::string>> renames_;
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
