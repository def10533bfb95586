#include "cli/ProgressLine.h"

#include <cstdio>

#include "cli/SystemConsole.h"

namespace kirabo::cli {

namespace {

constexpr auto kInterval = std::chrono::milliseconds(100);
constexpr char kClear[] = "\r\033[K";

// Cut to fit one row, whole characters only: a line that wrapped could not be
// rewritten in place. Multibyte characters are taken as two columns wide.
std::string FitToRow(const std::string& text, size_t columns, CodePage codePage) {
  size_t used = 0;
  size_t end = 0;
  while (end < text.size()) {
    size_t length = CharLength(text, end, codePage);
    size_t width = length > 1 ? 2 : 1;
    if (used + width >= columns) break;
    used += width;
    end += length;
  }
  return text.substr(0, end);
}

}  // namespace

ProgressLine::ProgressLine(bool enabled, CodePage codePage) : enabled(enabled), codePage(codePage) {}

void ProgressLine::Show(size_t number, size_t count, const std::string& name) {
  if (!enabled) return;
  auto now = std::chrono::steady_clock::now();
  if (everShown && now - lastShown < kInterval) return;
  std::string line = "[";
  line += std::to_string(number);
  line += '/';
  line += std::to_string(count);
  line += "] ";
  line += name;
  std::fprintf(stderr, "%s%s", kClear, FitToRow(line, TerminalColumns(), codePage).c_str());
  std::fflush(stderr);
  shown = true;
  everShown = true;
  lastShown = now;
}

void ProgressLine::Clear() {
  if (!shown) return;
  std::fputs(kClear, stderr);
  std::fflush(stderr);
  shown = false;
}

}  // namespace kirabo::cli
