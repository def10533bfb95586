#pragma once

#include <filesystem>
#include <string>

namespace kirabo::test {

// Between the program's paths (bytes in the active code page) and
// std::filesystem paths, whose narrow form on Windows is not that code page.
std::filesystem::path NativePath(const std::string& path);
std::string ProgramPath(const std::filesystem::path& path);

}  // namespace kirabo::test
