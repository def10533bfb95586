#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "engine/RenameJob.h"
#include "platform/Multibyte.h"

namespace kirabo::cli {

// A path made safe for one tab-separated line: "\\" -> "\\\\", tab -> "\t",
// line feed -> "\n", other control bytes -> "\xHH". Multibyte characters are
// stepped over, so a CP932 trail byte 0x5C stays part of its character.
std::string EscapeForLine(std::string_view path, CodePage codePage);

// The old and the new path of a progress text "i/N\nold\nnew\n".
struct ProgressLine {
  std::string counter;  // "i/N"
  std::string from;
  std::string to;
};

// Paths may hold line feeds, so the text is split by its known structure:
// both paths lie in the same folder and the new name has no line feed.
// Only one split meets that, as a folder part cannot reach into a name.
std::optional<ProgressLine> ParseProgressText(std::string_view text, CodePage codePage);

// The status label of the command line: a progress text becomes the stdout
// line "i/N<TAB>old<TAB>new", a searching text the stderr line
// "folder<TAB>を検索中・・・" (none when quiet).
class ConsoleLabel : public TextTarget {
 public:
  ConsoleLabel(bool quiet, CodePage codePage) : quiet(quiet), codePage(codePage) {}
  void SetText(const std::string& text) override;

 private:
  bool quiet;
  CodePage codePage;
};

// The final message goes to stderr, one line.
class ConsoleMessage : public MessageTarget {
 public:
  void ShowInformation(const std::string& text) override;
};

}  // namespace kirabo::cli
