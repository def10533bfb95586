#include "cli/ConsoleTargets.h"

#include <cstdio>

#include "platform/Path.h"

namespace kirabo::cli {

namespace {

constexpr std::string_view kSearching = "\nを検索中・・・";

std::string_view FolderPart(std::string_view path, CodePage codePage) {
  size_t separator = FindLastChar(path, kPathSeparator, codePage);
  return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator);
}

void WriteLine(FILE* stream, const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
}

}  // namespace

std::string EscapeForLine(std::string_view path, CodePage codePage) {
  std::string escaped;
  escaped.reserve(path.size());
  for (size_t i = 0; i < path.size();) {
    size_t length = CharLength(path, i, codePage);
    auto byte = static_cast<unsigned char>(path[i]);
    if (length > 1 || (byte >= 0x20 && byte != 0x7F && byte != '\\')) {
      escaped.append(path.substr(i, length));
    } else if (byte == '\\') {
      escaped += "\\\\";
    } else if (byte == '\n') {
      escaped += "\\n";
    } else if (byte == '\t') {
      escaped += "\\t";
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      escaped += hex;
    }
    i += length;
  }
  return escaped;
}

// Line feeds are below 0x40, so they are never the trail byte of a CP932
// character, and never part of a UTF-8 sequence: byte searches are safe. The
// separator '\\' of Windows can be a trail byte and is searched for character
// by character.
std::optional<ProgressLine> ParseProgressText(std::string_view text, CodePage codePage) {
  size_t counterEnd = text.find('\n');
  if (counterEnd == std::string_view::npos || !text.ends_with('\n')) return std::nullopt;
  std::string_view paths = text.substr(counterEnd + 1, text.size() - counterEnd - 2);
  size_t newNameStart = FindLastChar(paths, kPathSeparator, codePage);
  for (size_t split = paths.find('\n'); split != std::string_view::npos && split < newNameStart;
       split = paths.find('\n', split + 1)) {
    std::string_view from = paths.substr(0, split);
    std::string_view to = paths.substr(split + 1);
    if (FolderPart(from, codePage) == FolderPart(to, codePage)) {
      return ProgressLine{std::string(text.substr(0, counterEnd)), std::string(from), std::string(to)};
    }
  }
  return std::nullopt;
}

void ConsoleLabel::SetText(const std::string& text) {
  if (text.ends_with(kSearching)) {
    if (quiet) return;
    std::string_view folder = std::string_view(text).substr(0, text.size() - kSearching.size());
    WriteLine(stderr, EscapeForLine(folder, codePage) + "\t" + std::string(kSearching.substr(1)));
  } else if (std::optional<ProgressLine> line = ParseProgressText(text, codePage)) {
    WriteLine(stdout, line->counter + "\t" + EscapeForLine(line->from, codePage) + "\t" +
                          EscapeForLine(line->to, codePage));
  } else {
    WriteLine(stderr, EscapeForLine(text, codePage));
  }
}

void ConsoleMessage::ShowInformation(const std::string& text) { WriteLine(stderr, text); }

}  // namespace kirabo::cli
