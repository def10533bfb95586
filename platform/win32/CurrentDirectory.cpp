#include "platform/CurrentDirectory.h"

#include <vector>

#include "platform/win32/WindowsApi.h"

namespace kirabo {

bool CurrentDirectory(std::string& directory) {
  // The first call tells the size the path needs, NUL included.
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) return false;
  std::vector<char> buffer(needed);
  const DWORD length = GetCurrentDirectoryA(needed, buffer.data());
  if (length == 0 || length >= needed) return false;
  directory.assign(buffer.data(), length);
  return true;
}

}  // namespace kirabo
