#pragma once

#include <string>

namespace kirabo {

// The user's own folder for `program`'s settings, created when it is
// missing: $XDG_CONFIG_HOME/program (~/.config/program) in lower case on
// Linux, %APPDATA%\Program on Windows. False when it cannot be had.
bool UserSettingsFolder(const std::string& program, std::string& folder);

// Whether `directory` is where the desktop starts programs from its menus:
// the home folder on Linux; the program's own folder or the Windows folder
// on Windows. A program started there keeps its settings in the user's
// settings folder, not in that directory.
bool IsDesktopStartFolder(const std::string& directory);

}  // namespace kirabo
