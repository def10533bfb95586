#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kirabo {

// Runs a job's work on threads of its own, one lane per folder: the tasks
// of one folder one after another in the order queued, those of different
// folders at once, so that on a share the round trips of several folders
// overlap while each folder sees what it would have seen one file after
// another. A task queued alone runs after every task queued before it has
// ended and before any queued after it starts. At most `window` tasks are
// queued and not yet taken back. Each task learns the number of the thread
// that runs it (0 and up), whose tasks run one after another.
class CFolderLanes {
 public:
  static constexpr size_t kAlone = static_cast<size_t>(-1);

  // No thread starts for fewer than two threads.
  CFolderLanes(int32_t threads, size_t window);
  // Returns once the running tasks have ended; those not started are
  // dropped.
  ~CFolderLanes();
  CFolderLanes(const CFolderLanes&) = delete;
  CFolderLanes& operator=(const CFolderLanes&) = delete;

  // False when no thread could be started: the caller works on its own.
  bool Running() const { return !threads.empty(); }
  // Whether a task may be queued now without exceeding the window.
  bool HasRoom() const;
  // Queues `task` in folder `lane`'s lane (or kAlone); it must not throw.
  void Queue(size_t lane, std::function<void(uint32_t thread)> task);
  // Waits until the oldest task not yet taken back has ended, and forgets
  // it; false when none is queued.
  bool TakeOldest();

 private:
  struct Task {
    size_t lane;
    std::function<void(uint32_t thread)> work;
    bool started = false;
    bool ended = false;
  };

  void Work(uint32_t thread);
  Task* NextToStart();

  mutable std::mutex mutex;
  std::condition_variable startable;
  std::condition_variable ended;
  std::deque<Task> tasks;  // in the order queued, from the oldest not taken back
  size_t window;
  bool closing = false;
  std::vector<std::thread> threads;
};

}  // namespace kirabo
