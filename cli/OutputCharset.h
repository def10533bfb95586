#pragma once

#include <string>
#include <string_view>

namespace kirabo::cli {

// One of the program's own texts, kept in UTF-8, in the character set that
// the paths printed beside it are in, so that a line reads in one encoding:
// on Linux the locale's (call after setlocale), on Windows the program's code
// page, which the console is switched to. A character the set lacks becomes
// '?'. UTF-8 passes as it is, and so does the C locale's ASCII: that locale
// says nothing of the terminal, which is most often UTF-8.
std::string InOutputCharset(std::string_view utf8);

}  // namespace kirabo::cli
