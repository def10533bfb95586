#include "platform/PrivateProfile.h"

#include <algorithm>
#include <new>
#include <vector>

#include "platform/SingleLine.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

namespace {

// The native functions look for a file named without a folder in the Windows
// folder; a relative path is therefore made absolute first.
std::string FullPath(const std::string& path) {
  const DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::vector<char> full(needed);
  const DWORD length = ::GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
  return length == 0 || length >= needed ? path : std::string(full.data(), length);
}

}  // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& path, size_t bufferSize) {
  if (bufferSize == 0) return {};
  try {
    std::vector<char> buffer(std::min<size_t>(bufferSize, MAXDWORD));
    DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                              static_cast<DWORD>(buffer.size()), FullPath(path).c_str());
    return std::string(buffer.data(), length);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

int32_t GetPrivateProfileInt(const std::string& section, const std::string& key, int32_t defaultValue,
                             const std::string& path) {
  UINT value = ::GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, FullPath(path).c_str());
  return static_cast<int32_t>(value);
}

bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& path) {
  try {
    // The native writer would let a line break in a value (a folder name can
    // hold one) start a line of its own, that is a key or section of its own.
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), SingleLine(value).c_str(),
                                        FullPath(path).c_str());
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace kirabo
