#include "engine/NewName.h"

#include <cstdio>

#include "engine/RenameJob.h"
#include "platform/Path.h"
#include "platform/UtcTime.h"

namespace kirabo {

std::optional<std::string> NameStem(CaptureTime time, int32_t format) {
  if (time < 0 || (format != DateAndTime && format != TimeOnly)) return std::nullopt;
  UtcDateTime t = BreakDownUtc(time);
  char stem[32];
  if (format == DateAndTime) {
    std::snprintf(stem, sizeof stem, "%02d%02d%02d_%02d%02d%02d", t.year % 100, t.month, t.day, t.hour, t.minute,
                  t.second);
  } else {
    std::snprintf(stem, sizeof stem, "%02d%02d%02d", t.hour, t.minute, t.second);
  }
  return std::string(stem);
}

RenameParts SplitForRename(const std::string& path, CodePage codePage) {
  size_t separator = FindLastChar(path, kPathSeparator, codePage);
  size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  size_t dot = FindLastChar(path, '.', codePage);
  RenameParts parts;
  parts.folderPrefix = path.substr(0, nameStart);
  // The scan only lists names whose last "." starts a raw extension; a dot
  // inside the folder part is no extension.
  if (dot != std::string::npos && dot >= nameStart) parts.extension = path.substr(dot);
  return parts;
}

std::string CandidateName(const std::string& stem, const std::string& extension, int32_t attempt) {
  std::string candidate = stem;
  if (attempt > 0) candidate += "_" + std::to_string(attempt);
  return candidate + extension;
}

std::string CandidatePath(const RenameParts& parts, const std::string& stem, int32_t attempt) {
  return parts.folderPrefix + CandidateName(stem, parts.extension, attempt);
}

}  // namespace kirabo
