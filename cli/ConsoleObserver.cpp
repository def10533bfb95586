#include "cli/ConsoleObserver.h"

#include <cstdio>

namespace kirabo::cli {

namespace {

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

void ConsoleObserver::OnSearching(const std::string& folder) {
  if (!quiet) WriteLine(stderr, EscapeForLine(folder, codePage) + "\tを検索中・・・");
}

void ConsoleObserver::OnFile(const FileReport& report) {
  if (report.outcome != FileOutcome::Renamed) return;
  WriteLine(stdout, std::to_string(report.number) + "/" + std::to_string(report.count) + "\t" +
                        EscapeForLine(report.path, codePage) + "\t" + EscapeForLine(report.newPath, codePage));
}

void ConsoleObserver::OnJobEnd(JobEnd end, const JobCounts&) {
  if (end == JobEnd::Completed) WriteLine(stderr, "リネーム終了");
}

}  // namespace kirabo::cli
