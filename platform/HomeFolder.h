#pragma once

#include <string>

namespace kirabo {

// `folder` as a shell reads it: on systems with a home folder, a leading
// "~" alone or followed by a separator stands for the user's home folder.
// Anything else, and everything on Windows, is returned unchanged.
std::string WithHomeFolder(const std::string& folder);

}  // namespace kirabo
