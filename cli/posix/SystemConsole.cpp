#include "cli/SystemConsole.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "engine/RenameJob.h"

namespace kirabo::cli {

namespace {

// Written by the signal handler: a lock-free atomic store is
// async-signal-safe, and the job reads `state` at each check point.
std::atomic<int32_t>* signalledState = nullptr;
volatile std::sig_atomic_t stopSignalled = 0;

void RequestStop(int) {
  stopSignalled = 1;
  if (signalledState != nullptr) signalledState->store(StopRequested);
}

}  // namespace

void PrepareConsole() {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  std::signal(SIGPIPE, SIG_IGN);
}

size_t TerminalColumns() {
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

void InstallStopHandlers(std::atomic<int32_t>& state) {
  static_assert(std::atomic<int32_t>::is_always_lock_free);
  signalledState = &state;
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void RemoveStopHandlers() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  signalledState = nullptr;
}

bool StopWasRequested() { return stopSignalled != 0; }

}  // namespace kirabo::cli
