#pragma once

// Shared pieces of the job tests: a temporary folder tree with raw files, a
// file system that injects faults around the real one, and user-interface
// targets that record what the worker shows.

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

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& root() const { return root_; }
  std::string Path(const std::string& relative) const { return root_ + "/" + relative; }
  void Folder(const std::string& relative) const;
  // A CRW whose capture time breaks down to the given date-time.
  void Crw(const std::string& relative, int year, int month, int day, int hour, int minute, int second) const;
  void Text(const std::string& relative, const std::string& content = "not a raw file") const;
  // The names in a folder, sorted by bytes.
  std::vector<std::string> Names(const std::string& relative = "") const;

 private:
  std::string root_;
};

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

// The real file system with hooks: `onList` runs before a folder is listed,
// `onRename` may answer a rename instead of the real one. Every rename asked
// for is recorded.
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
// blocks until the test calls Release; the test waits with WaitUntilEntered.
class Gate {
 public:
  void Enter();
  void WaitUntilEntered();
  void Release();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool entered_ = false;
  bool released_ = false;
};

// A job record wired to recording targets.
struct RecordedJob {
  RecordedJob(const std::string& folder, int32_t format, JobFileSystem* fileSystem = nullptr);
  RenameJob job;
  RecordingTarget label;
  RecordingTarget button;
  RecordingTarget box;
};

std::string SearchingText(const std::string& folder);
std::string ProgressText(int number, int count, const std::string& from, const std::string& to);

}  // namespace kirabo::test
