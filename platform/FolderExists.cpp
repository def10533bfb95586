#include "platform/FolderExists.h"

#include <sys/stat.h>

#include <cerrno>

namespace kirabo {

bool FolderExists(const std::string& path, int* error) {
  struct stat info {};
  const bool found = ::stat(path.c_str(), &info) == 0;
  if (error != nullptr) *error = found ? 0 : errno;
  return found && S_ISDIR(info.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace kirabo
