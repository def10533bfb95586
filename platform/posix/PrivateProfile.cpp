#include "platform/PrivateProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/Multibyte.h"
#include "platform/SingleLine.h"

namespace kirabo {

namespace {

// ---- Reading the file ----

enum class ReadStatus { Read, Missing, Failed };

// Settings take a few hundred bytes; reading stops here, so that a huge or
// sparse file under the settings name costs neither time nor memory.
constexpr size_t kMostBytesRead = size_t{1} << 20;

struct ProfileFile {
  ReadStatus status = ReadStatus::Missing;
  int error = 0;  // errno when Failed
  std::string content;
  bool cut = false;  // the file holds more than kMostBytesRead bytes
  mode_t mode = 0;   // permission bits of an existing file
};

// Reads the file at `path`; with `followLink` false, a symbolic link as its
// last component is Failed with ELOOP.
ProfileFile ReadProfile(const std::string& path, bool followLink) {
  ProfileFile file;
  // O_NONBLOCK: a FIFO under the file's name must not stall the program.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (followLink ? 0 : O_NOFOLLOW));
  if (fd < 0) {
    file.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    file.error = errno;
    return file;
  }
  struct stat st {};
  file.status = ReadStatus::Failed;
  if (::fstat(fd, &st) != 0) {
    file.error = errno;
  } else if (!S_ISREG(st.st_mode)) {
    file.error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  } else {
    file.mode = st.st_mode & 07777;
    char buffer[8192];
    for (;;) {
      if (file.content.size() > kMostBytesRead) {
        file.cut = true;
        file.content.resize(kMostBytesRead);
        file.status = ReadStatus::Read;
        break;
      }
      ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        file.error = errno;
        break;
      }
      if (got == 0) {
        file.status = ReadStatus::Read;
        break;
      }
      file.content.append(buffer, static_cast<size_t>(got));
    }
  }
  ::close(fd);
  if (file.status != ReadStatus::Read) file.content.clear();
  return file;
}

// ---- Lines ----

struct Line {
  std::string_view text;     // without its line end
  std::string_view lineEnd;  // "\n", "\r\n", or empty on an unterminated last line
};

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  while (!content.empty()) {
    size_t newline = content.find('\n');
    if (newline == std::string_view::npos) {
      lines.push_back({content, {}});
      break;
    }
    size_t textEnd = newline > 0 && content[newline - 1] == '\r' ? newline - 1 : newline;
    lines.push_back({content.substr(0, textEnd), content.substr(textEnd, newline + 1 - textEnd)});
    content.remove_prefix(newline + 1);
  }
  return lines;
}

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r";
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  std::string_view name;   // the section's or the key's
  std::string_view value;  // trimmed, quotes still on
};

ParsedLine ParseLine(std::string_view text, CodePage codePage) {
  // A file saved as UTF-8 by Windows tools may start with a byte order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::string_view trimmed = Trim(text);
  ParsedLine parsed;
  if (trimmed.starts_with('[')) {
    // ']' can be the second byte of a double-byte character, '[' '=' ';' cannot.
    size_t close = FindLastChar(trimmed, ']', codePage);
    parsed.kind = LineKind::Section;
    parsed.name = Trim(trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return parsed;
  }
  size_t equals = trimmed.find('=');
  if (trimmed.starts_with(';') || equals == std::string_view::npos) return parsed;
  parsed.kind = LineKind::Key;
  parsed.name = Trim(trimmed.substr(0, equals));
  parsed.value = Trim(trimmed.substr(equals + 1));
  return parsed;
}

bool NamesMatch(std::string_view a, std::string_view b, CodePage codePage) {
  return a.size() == b.size() && UpperAscii(a, codePage) == UpperAscii(b, codePage);
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// Where a key stands in a file. Only the first section of the name counts, for
// reading and writing alike.
struct KeyPlace {
  size_t sectionLine = std::string_view::npos;
  size_t keyLine = std::string_view::npos;
  size_t lastLineOfSection = std::string_view::npos;  // last non-blank line, the header at least
  std::string_view value;
};

KeyPlace FindKey(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  CodePage codePage = ActiveCodePage();
  KeyPlace place;
  for (size_t i = 0; i < lines.size(); ++i) {
    ParsedLine parsed = ParseLine(lines[i].text, codePage);
    if (parsed.kind == LineKind::Section) {
      if (place.sectionLine != std::string_view::npos) break;
      if (NamesMatch(parsed.name, section, codePage)) place.sectionLine = place.lastLineOfSection = i;
      continue;
    }
    if (place.sectionLine == std::string_view::npos) continue;
    if (!Trim(lines[i].text).empty()) place.lastLineOfSection = i;
    if (parsed.kind == LineKind::Key && NamesMatch(parsed.name, key, codePage)) {
      place.keyLine = i;
      place.value = parsed.value;
      break;
    }
  }
  return place;
}

std::optional<std::string> ReadValue(const std::string& section, const std::string& key, const std::string& path) {
  ProfileFile file = ReadProfile(path, true);
  if (file.status != ReadStatus::Read) return std::nullopt;
  // The last line of a cut file may be cut short: it is not read as a value.
  if (file.cut) file.content.resize(file.content.rfind('\n') + 1);
  std::vector<Line> lines = SplitLines(file.content);
  KeyPlace place = FindKey(lines, section, key);
  if (place.keyLine == std::string_view::npos) return std::nullopt;
  return std::string(Unquote(place.value));
}

// An optional sign and the digits that follow it; what comes after them is
// ignored. Out-of-range numbers clamp to the int32 range.
std::optional<int32_t> ParseLeadingInteger(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
  if (negative) return static_cast<int32_t>(-magnitude);
  return static_cast<int32_t>(std::min(magnitude, kLimit - 1));
}

// ---- Writing the file ----

std::string WithKey(std::string_view content, std::string_view section, std::string_view key, std::string_view value) {
  std::vector<Line> lines = SplitLines(content);
  std::string_view lineEnd = "\n";  // new lines follow the file's own line ends
  for (const Line& line : lines) {
    if (!line.lineEnd.empty()) {
      lineEnd = line.lineEnd;
      break;
    }
  }
  std::string keyLine;
  keyLine.append(key).append("=").append(value);

  KeyPlace place = FindKey(lines, section, key);
  std::string updated;
  updated.reserve(content.size() + keyLine.size() + section.size() + 8);
  for (size_t i = 0; i < lines.size(); ++i) {
    updated += i == place.keyLine ? std::string_view(keyLine) : lines[i].text;
    updated += lines[i].lineEnd;
    if (i == place.lastLineOfSection && place.keyLine == std::string_view::npos) {
      if (lines[i].lineEnd.empty()) updated += lineEnd;
      updated.append(keyLine).append(lineEnd);
    }
  }
  if (place.sectionLine == std::string_view::npos) {
    if (!updated.empty() && updated.back() != '\n') updated += lineEnd;
    updated.append("[").append(section).append("]").append(lineEnd);
    updated.append(keyLine).append(lineEnd);
  }
  return updated;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = EIO;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Creates a new file beside `target`. Made with open(), not mkstemp(), so
// that a new settings file is readable by all as the umask allows.
int CreateTemporaryBeside(const std::string& target, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;  // errno is EEXIST
}

void SyncFolderOf(const std::string& path) {
  size_t separator = FindLastChar(path, '/', ActiveCodePage());
  std::string folder = separator == std::string::npos ? "." : separator == 0 ? "/" : path.substr(0, separator);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes `bytes` to a temporary file in the target's folder and renames it
// over the target, so that the target is at every moment either the old file
// or the complete new one. The rename replaces the name itself: whatever
// stands there, a link included, is never written through. 0, or errno.
int ReplaceFile(const std::string& target, std::string_view bytes, std::optional<mode_t> keepMode) {
  std::string temporaryPath;
  int fd = CreateTemporaryBeside(target, temporaryPath);
  if (fd < 0) return errno;
  int error = 0;
  if (!WriteAll(fd, bytes) || (keepMode && ::fchmod(fd, *keepMode) != 0) || ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporaryPath.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporaryPath.c_str());
    return error;
  }
  SyncFolderOf(target);
  return 0;
}

// Why the settings file must not be replaced, or 0. A link would hand the
// file to whoever made it, a folder or a file marked read-only is the user's
// decision, and a file larger than what is read would lose its end.
int RefusalToReplace(const std::string& path, const ProfileFile& file) {
  if (file.status == ReadStatus::Failed) return file.error != 0 ? file.error : EIO;
  if (file.status == ReadStatus::Missing) return 0;
  if (file.cut) return EFBIG;
  // Permission bits rather than access(): a file marked read-only stays so
  // for a user who could write it anyway, root included.
  if ((file.mode & 0222) == 0) return EACCES;
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  return 0;
}

}  // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& path, size_t bufferSize) {
  if (bufferSize == 0) return {};
  try {
    std::optional<std::string> stored = ReadValue(section, key, path);
    std::string value = stored ? std::move(*stored) : defaultValue;
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

int32_t GetPrivateProfileInt(const std::string& section, const std::string& key, int32_t defaultValue,
                             const std::string& path) {
  try {
    std::optional<std::string> stored = ReadValue(section, key, path);
    std::optional<int32_t> number = stored ? ParseLeadingInteger(*stored) : std::nullopt;
    return number.value_or(defaultValue);
  } catch (const std::bad_alloc&) {
    return defaultValue;
  }
}

bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& path, int* systemError) {
  int error = ENOMEM;
  try {
    ProfileFile file = ReadProfile(path, false);
    error = RefusalToReplace(path, file);
    if (error == 0) {
      std::string updated = WithKey(file.content, section, key, SingleLine(value));
      std::optional<mode_t> keepMode;
      if (file.status == ReadStatus::Read) keepMode = file.mode;
      error = ReplaceFile(path, updated, keepMode);
    }
  } catch (const std::bad_alloc&) {
    error = ENOMEM;
  }
  if (error != 0 && systemError != nullptr) *systemError = error;
  return error == 0;
}

}  // namespace kirabo
