#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kirabo {

// Answers -h/--help and -V/--version on standard output, without opening
// the window. Returns the exit status when it did so, and nothing when the
// window is to open; every other argument is left to Qt (-platform,
// -style, the session manager's -session...).
std::optional<int> AnswerCommandLine(int argc, const char* const* argv);

// The folder the window is to open with: the first argument that is not an
// option, or the first after "--"; nothing when there is none. `arguments`
// come without the program's name.
std::optional<std::string> FolderArgument(const std::vector<std::string>& arguments);

}  // namespace kirabo
