#pragma once

#include <string>

namespace kirabo {

// Whether `path` (absolute, or relative to the current directory) names a
// folder, or a symbolic link that leads to one. When it does not, `error`
// (if given) receives the errno of looking the path up, or 0 when the path
// names something other than a folder.
bool FolderExists(const std::string& path, int* error = nullptr);

// Whether `path` names anything at all: a folder, a file or anything else.
bool PathExists(const std::string& path);

}  // namespace kirabo
