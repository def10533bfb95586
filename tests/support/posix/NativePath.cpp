#include "NativePath.h"

namespace kirabo::test {

std::filesystem::path NativePath(const std::string& path) { return path; }
std::string ProgramPath(const std::filesystem::path& path) { return path.string(); }

}  // namespace kirabo::test
