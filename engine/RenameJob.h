#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace kirabo {

class JobFileSystem;

// Run state of a job; the one value that both the caller and the worker write.
enum JobState : int32_t {
  Idle = 0,
  Running = 1,
  StopRequested = 2,
};

// Index of the chosen name format; -1 when the caller selected none.
enum NameFormat : int32_t {
  DateAndTime = 0,  // yymmdd_hhmmss
  TimeOnly = 1,     // hhmmss
};

// A window text the worker sets: the status label or the start button.
// Implementations must not wait for the caller's thread.
class TextTarget {
 public:
  virtual ~TextTarget() = default;
  virtual void SetText(const std::string& text) = 0;
};

// Shows the worker's final information message and returns once it is closed.
class MessageTarget {
 public:
  virtual ~MessageTarget() = default;
  virtual void ShowInformation(const std::string& text) = 0;
};

// The record a caller fills and hands to RenameWorkerProc. The caller writes
// every field but `state` before the worker starts and leaves them alone while
// it runs. Null targets are skipped.
struct RenameJob {
  std::string folder;
  int32_t format = DateAndTime;
  TextTarget* statusLabel = nullptr;
  std::atomic<int32_t> state{Idle};
  TextTarget* startButton = nullptr;
  MessageTarget* messageBox = nullptr;
  JobFileSystem* fileSystem = nullptr;  // null: the real file system
};

}  // namespace kirabo
