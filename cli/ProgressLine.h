#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "platform/Multibyte.h"

namespace kirabo::cli {

// "[i/N] name" on a terminal's standard error, rewritten in place at most
// ten times a second. Does nothing when not enabled.
class ProgressLine {
 public:
  ProgressLine(bool enabled, CodePage codePage);
  void Show(size_t number, size_t count, const std::string& name);
  // Takes the line away, so that other output starts on a clean line. The
  // next Show draws it again once its interval has passed.
  void Clear();

 private:
  bool enabled;
  CodePage codePage;
  bool shown = false;      // on the screen now
  bool everShown = false;  // `lastShown` is set
  std::chrono::steady_clock::time_point lastShown;
};

}  // namespace kirabo::cli
