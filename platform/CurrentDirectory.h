#pragma once

#include <string>

namespace kirabo {

// The process's current directory, in the code page of paths; false when it
// cannot be had.
bool CurrentDirectory(std::string& directory);

}  // namespace kirabo
