#include "engine/RawFormatList.h"

#include <vector>

#include "engine/RawFormatTable.h"

namespace kirabo {

namespace {

// "Canon (CIFF)" and "Canon (TIFF)" are one maker in a list; "Olympus, OM
// System" becomes "Olympus / OM System", so that commas only part entries.
std::string MakerOf(std::string_view makers) {
  makers = makers.substr(0, makers.find(" ("));
  std::string maker;
  for (size_t from = 0;;) {
    const size_t comma = makers.find(", ", from);
    maker += makers.substr(from, comma - from);
    if (comma == std::string_view::npos) return maker;
    maker += " / ";
    from = comma + 2;
  }
}

}  // namespace

std::string RawFormatLines(std::string_view indent, size_t width) {
  std::vector<std::string> entries;
  std::string lastMaker;
  for (const RawFormat& format : RawFormats()) {
    std::string maker = MakerOf(format.makers);
    if (entries.empty() || maker != lastMaker) entries.push_back(maker);
    for (std::string_view extension : format.extensions) entries.back() += " ." + std::string(extension);
    lastMaker = std::move(maker);
  }
  std::string lines;
  std::string line(indent);
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string entry = entries[i] + (i + 1 < entries.size() ? "," : "");
    if (line.size() > indent.size() && line.size() + 1 + entry.size() > width) {
      lines += line + "\n";
      line = indent;
    }
    line += (line.size() > indent.size() ? " " : "") + entry;
  }
  return lines + line + "\n";
}

}  // namespace kirabo
