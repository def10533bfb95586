#pragma once

#include <string>

namespace kirabo {

// The absolute path of `path` with every symbolic link, "." and ".." step
// resolved on disk; false when that fails (missing, loop, permission).
bool ResolveRealPath(const std::string& path, std::string& resolved);

}  // namespace kirabo
