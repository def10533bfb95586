#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace kirabo {

// One worker thread at a time, running a procedure that takes the address
// of its data. Knows whether the procedure has returned.
class WorkerThread {
 public:
  using Procedure = uint32_t (*)(void*);

  WorkerThread() = default;
  ~WorkerThread() { Join(); }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // False while the previous procedure still runs, or when no thread can be
  // created.
  bool Start(Procedure procedure, void* argument);

  // True from Start until the procedure has returned.
  bool IsRunning() const { return running_.load(); }

  // Waits for the thread to end; returns at once when there is none.
  void Join();

 private:
  std::thread thread_;
  std::atomic<bool> running_{false};
};

}  // namespace kirabo
