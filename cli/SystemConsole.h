#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace kirabo::cli {

// Sets up the standard streams: progress lines reach a pipe as they happen,
// and a closed pipe never ends the process between two renames (the failed
// write stops the job, and the error is reported at the end).
void PrepareConsole();

// The width of the terminal that standard error shows on; 80 when unknown.
size_t TerminalColumns();

// From here on Ctrl-C (and SIGTERM where there are signals) sets `state` to
// StopRequested, which the job honours at its next check point. A second one
// ends the process at once, should a rename hang.
void InstallStopHandlers(std::atomic<int32_t>& state);
void RemoveStopHandlers();
// Whether a stop was asked for while the handlers were installed.
bool StopWasRequested();

}  // namespace kirabo::cli
