#include "cli/SystemConsole.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "engine/RenameJob.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo::cli {

namespace {

// The console runs the handler on a thread of its own.
std::atomic<std::atomic<int32_t>*> signalledState{nullptr};
std::atomic<bool> stopRequested{false};

BOOL WINAPI RequestStop(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  // The second press goes on to the default handler, which ends the process.
  if (stopRequested.exchange(true)) return FALSE;
  if (std::atomic<int32_t>* state = signalledState.load()) state->store(StopRequested);
  return TRUE;
}

UINT userCodePage = 0;

void GiveBackCodePage() { ::SetConsoleOutputCP(userCodePage); }

}  // namespace

void PrepareConsole() {
  // The same bytes as on Linux: line feeds stay line feeds.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The C runtime on Windows has no line buffering; _IOLBF means full.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  // Texts and paths are in the program's code page, UTF-8 under its manifest.
  // The console keeps a code page after the program has ended, so the
  // user's own is given back at exit.
  userCodePage = ::GetConsoleOutputCP();
  if (userCodePage != 0 && userCodePage != ::GetACP() && ::SetConsoleOutputCP(::GetACP())) {
    std::atexit(GiveBackCodePage);
  }
  // The progress line is redrawn with the terminal's escape sequences.
  HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (::GetConsoleMode(err, &mode)) ::SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

size_t TerminalColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!::GetConsoleScreenBufferInfo(::GetStdHandle(STD_ERROR_HANDLE), &info)) return 80;
  int columns = info.srWindow.Right - info.srWindow.Left + 1;
  return columns > 0 ? static_cast<size_t>(columns) : 80;
}

void InstallStopHandlers(std::atomic<int32_t>& state) {
  signalledState.store(&state);
  ::SetConsoleCtrlHandler(RequestStop, TRUE);
}

void RemoveStopHandlers() {
  ::SetConsoleCtrlHandler(RequestStop, FALSE);
  signalledState.store(nullptr);
}

bool StopWasRequested() { return stopRequested.load(); }

}  // namespace kirabo::cli
