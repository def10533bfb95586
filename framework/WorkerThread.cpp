#include "framework/WorkerThread.h"

#include <system_error>

namespace kirabo {

bool WorkerThread::Start(Procedure procedure, void* argument) {
  if (running_.load()) return false;
  Join();
  running_.store(true);
  try {
    thread_ = std::thread([this, procedure, argument] {
      procedure(argument);
      running_.store(false);
    });
  } catch (const std::system_error&) {
    // The system refused a thread (out of resources); nothing runs.
    running_.store(false);
    return false;
  }
  return true;
}

void WorkerThread::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace kirabo
