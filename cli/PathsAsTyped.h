#pragma once

#include <string>

#include "platform/Multibyte.h"

namespace kirabo::cli {

// The job lists absolute paths; the console prints them beginning with
// FOLDER exactly as the user typed it, as find does ("./a.CRW" for ".").
class PathsAsTyped {
 public:
  PathsAsTyped(const std::string& typed, CodePage codePage);
  // `path` with the listed root replaced by the typed folder; any other
  // path unchanged.
  std::string operator()(const std::string& path) const;

 private:
  std::string listedPrefix;  // the absolute root and its separator
  std::string typedPrefix;   // the typed folder and a separator
};

}  // namespace kirabo::cli
