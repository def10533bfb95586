#pragma once

#include <optional>

namespace kirabo {

// Answers -h/--help and -V/--version on standard output, without opening
// the window. Returns the exit status when it did so, and nothing when the
// window is to open; every other argument is left to Qt (-platform,
// -style, the session manager's -session...).
std::optional<int> AnswerCommandLine(int argc, const char* const* argv);

}  // namespace kirabo
