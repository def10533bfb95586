#pragma once

#include <string>

namespace kirabo {

// Whether `path` (absolute, or relative to the current directory) names a
// folder, or a symbolic link that leads to one.
bool FolderExists(const std::string& path);

// Whether `path` names anything at all: a folder, a file or anything else.
bool PathExists(const std::string& path);

}  // namespace kirabo
