#pragma once

#include <string>

namespace kirabo {

// The folder that keeps the journals of past jobs, made when missing:
// $XDG_STATE_HOME/kirabo/jobs (by default ~/.local/state/kirabo/jobs), or on
// Windows %LOCALAPPDATA%\Kirabo\jobs. Returns 0, or the system's error code
// when it cannot be found or made.
int JobJournalFolder(std::string& folder);

}  // namespace kirabo
