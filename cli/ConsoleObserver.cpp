#include "cli/ConsoleObserver.h"

#include <cerrno>
#include <cstdio>

#include "cli/CliTexts.h"
#include "engine/RenameJob.h"
#include "res/translations/TextTable.h"
#include "platform/Path.h"

namespace kirabo::cli {

namespace {

// True when the whole line was written out.
bool WriteLine(FILE* stream, const std::string& line) {
  errno = 0;
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
  return std::fflush(stream) == 0 && !std::ferror(stream);
}

}  // namespace

// Where '\\' is the separator, names cannot hold control bytes (Windows
// refuses them), so no path needs an escape there and '\\' stays as it is;
// a doubled separator in every path would only confuse the reader.
constexpr bool kEscapeBackslash = kPathSeparator != '\\';

namespace {

// Characters a terminal would act on rather than show: C1 controls (which
// xterm obeys in single-byte locales, and as U+0080 to U+009F in UTF-8),
// bytes that are no character of the code page, and the bidirectional
// embeddings, overrides and isolates, which reorder what follows them.
bool ActsOnTerminal(std::string_view character, CodePage codePage) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(character[i]); };
  if (character.size() == 1) {
    if (byte(0) < 0x80) return false;
    if (codePage == CodePage::Cp932) return byte(0) < 0xA1 || byte(0) > 0xDF;  // not half-width katakana
    return codePage == CodePage::Utf8 || byte(0) <= 0x9F;
  }
  if (codePage != CodePage::Utf8) return false;
  if (character.size() == 2) return byte(0) == 0xC2 && byte(1) <= 0x9F;  // U+0080 to U+009F
  if (character.size() != 3 || byte(0) != 0xE2) return false;
  return (byte(1) == 0x80 && byte(2) >= 0xAA && byte(2) <= 0xAE) ||  // U+202A to U+202E
         (byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9);    // U+2066 to U+2069
}

void AppendHex(std::string& out, std::string_view bytes) {
  for (char c : bytes) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
    out += hex;
  }
}

}  // namespace

std::string EscapeForLine(std::string_view path, CodePage codePage) {
  std::string escaped;
  escaped.reserve(path.size());
  for (size_t i = 0; i < path.size();) {
    size_t length = CharLength(path, i, codePage);
    auto byte = static_cast<unsigned char>(path[i]);
    std::string_view character = path.substr(i, length);
    if (kEscapeBackslash && ActsOnTerminal(character, codePage)) {
      AppendHex(escaped, character);
    } else if (length > 1 || (byte >= 0x20 && byte != 0x7F && (byte != '\\' || !kEscapeBackslash))) {
      escaped.append(path.substr(i, length));
    } else if (byte == '\\') {
      escaped += "\\\\";
    } else if (byte == '\n') {
      escaped += "\\n";
    } else if (byte == '\t') {
      escaped += "\\t";
    } else {
      AppendHex(escaped, character);
    }
    i += length;
  }
  return escaped;
}

ConsoleObserver::ConsoleObserver(const ConsoleSettings& settings, std::atomic<int32_t>& state)
    : settings(settings),
      state(state),
      pathsAsTyped(settings.folder, settings.codePage),
      progress(settings.progress, settings.codePage) {}

std::string ConsoleObserver::Shown(const std::string& path) const {
  return EscapeForLine(pathsAsTyped(path), settings.codePage);
}

void ConsoleObserver::OnSearching(const std::string& folder) {
  if (settings.quiet) return;
  progress.Clear();
  WriteLine(stderr, WithArgument(CliText(settings.language, "%1\tを検索中・・・"), Shown(folder)));
}

void ConsoleObserver::OnFolderNotListed(const std::string& folder, const std::string& reason) {
  progress.Clear();
  WriteLine(stderr, "kirabo-cli: " + Shown(folder) + ": " + CliText(settings.language, "一覧できません") + ": " + reason);
}

void ConsoleObserver::OnFile(const FileReport& report) {
  switch (report.outcome) {
    case FileOutcome::Renamed: {
      if (outputError != 0) break;
      if (settings.stdoutIsTerminal) progress.Clear();
      const std::string number = std::to_string(report.number) + "/" + std::to_string(report.count) + "\t";
      bool written = true;
      for (const CompanionRename& companion : report.companions) {
        written = written && WriteLine(stdout, number + Shown(companion.path) + "\t" + Shown(companion.newPath));
      }
      if (!written || !WriteLine(stdout, number + Shown(report.path) + "\t" + Shown(report.newPath))) {
        outputError = errno != 0 ? errno : EIO;
        state.store(StopRequested);
      }
      break;
    }
    case FileOutcome::AlreadyNamed:
      break;
    case FileOutcome::NoCaptureTime:
    case FileOutcome::RenameFailed:
    case FileOutcome::CannotRead:
      Warn(report);
      break;
  }
  size_t separator = FindLastChar(report.path, kPathSeparator, settings.codePage);
  std::string name = separator == std::string::npos ? report.path : report.path.substr(separator + 1);
  progress.Show(report.number, report.count, EscapeForLine(name, settings.codePage));
}

void ConsoleObserver::Warn(const FileReport& report) {
  progress.Clear();
  std::string line = "kirabo-cli: " + Shown(report.path) + ": " + OutcomeText(report, settings.undo, settings.language);
  if (!report.failedCompanion.empty()) {
    line += " (" + OutcomeWord(settings.language, "関連ファイル") + ": " + Shown(report.failedCompanion) + ")";
  }
  WriteLine(stderr, line);
}

void ConsoleObserver::OnCompanionShared(const std::string& path) {
  progress.Clear();
  WriteLine(stderr, "kirabo-cli: " + Shown(path) + ": " + CliText(settings.language, "複数の RAW ファイルに属するため、そのままにします"));
}

void ConsoleObserver::OnJobEnd(JobEnd jobEnd, const JobCounts& jobCounts) {
  progress.Clear();
  end = jobEnd;
  counts = jobCounts;
}

}  // namespace kirabo::cli
