#include "platform/CurrentDirectory.h"

#include <climits>

#include <unistd.h>

namespace kirabo {

// A path that does not start at the root (a directory outside the process's
// root) is no use either.
bool CurrentDirectory(std::string& directory) {
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer) == nullptr || buffer[0] != '/') return false;
  directory = buffer;
  return true;
}

}  // namespace kirabo
