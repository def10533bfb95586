#include "engine/NewName.h"

#include "engine/NameFormats.h"
#include "platform/Path.h"
#include "platform/UtcTime.h"

namespace kirabo {

std::optional<std::string> NameStem(CaptureTime time, int32_t format) {
  const NameFormatRow* row = FindNameFormat(format);
  if (time < 0 || row == nullptr) return std::nullopt;
  return StemFromPattern(row->pattern, BreakDownUtc(time));
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
  // Appended piece by piece: GCC 12 warns (-Wrestrict, wrongly) of
  // "_" + std::to_string(...) once inlined.
  std::string candidate = stem;
  if (attempt > 0) {
    candidate += '_';
    candidate += std::to_string(attempt);
  }
  return candidate + extension;
}

}  // namespace kirabo
