#pragma once

#include <string>

namespace kirabo {

// `value` with each line break (CR or LF) made a space, so that a value
// written into a line-based file stays on its own line.
inline std::string SingleLine(std::string value) {
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return value;
}

}  // namespace kirabo
