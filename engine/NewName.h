#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/CaptureTimeReader.h"
#include "platform/Multibyte.h"

namespace kirabo {

// The stem of a new name in `format`'s pattern, from `time` broken down with
// UTC rules. Nothing for a negative time or for a format the table lacks, so
// that such a job renames no file.
std::optional<std::string> NameStem(CaptureTime time, int32_t format);

// A listed path cut into what every candidate name keeps: the folder with
// its trailing separator, and the extension from the last "." with the
// letter case found on disk.
struct RenameParts {
  std::string folderPrefix;  // "/photos/" of "/photos/IMG_0001.CRW"
  std::string extension;     // ".CRW"
};
RenameParts SplitForRename(const std::string& path, CodePage codePage);

// Attempt 0 is stem + extension; attempt j > 0 puts "_j" before the
// extension.
std::string CandidateName(const std::string& stem, const std::string& extension, int32_t attempt);

}  // namespace kirabo
