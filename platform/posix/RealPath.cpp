#include "platform/RealPath.h"

#include <stdlib.h>

#include <memory>

namespace kirabo {

bool ResolveRealPath(const std::string& path, std::string& resolved) {
  std::unique_ptr<char, decltype(&::free)> real(::realpath(path.c_str(), nullptr), &::free);
  if (!real) return false;
  resolved = real.get();
  return true;
}

}  // namespace kirabo
