#include "platform/CurrentDirectory.h"

#include <climits>

#include <unistd.h>

namespace kirabo {

bool CurrentDirectory(std::string& directory) {
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer) == nullptr) return false;
  directory = buffer;
  return true;
}

}  // namespace kirabo
