#include "platform/PrivateProfile.h"

#include <algorithm>
#include <new>
#include <vector>

#include "platform/SingleLine.h"
#include "platform/win32/WidePath.h"
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

// Why the native writer must not touch the settings file, or 0. It would
// write through a link or junction to wherever it leads, and a folder or a
// file marked read-only is the user's decision. A missing file is created.
DWORD RefusalToWrite(const std::string& fullPath) {
  const std::wstring wide = ExtendedPath(fullPath);
  if (wide.empty()) return ERROR_INVALID_NAME;
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? 0 : error;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return ERROR_CANT_ACCESS_FILE;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return ERROR_ACCESS_DENIED;
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return ERROR_ACCESS_DENIED;
  return 0;
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
                               const std::string& path, int* systemError) {
  DWORD error = ERROR_NOT_ENOUGH_MEMORY;
  try {
    const std::string fullPath = FullPath(path);
    error = RefusalToWrite(fullPath);
    // The native writer would let a line break in a value (a folder name can
    // hold one) start a line of its own, that is a key or section of its own.
    if (error == 0 && !::WritePrivateProfileStringA(section.c_str(), key.c_str(), SingleLine(value).c_str(),
                                                    fullPath.c_str())) {
      error = ::GetLastError();
      if (error == 0) error = ERROR_WRITE_FAULT;
    }
  } catch (const std::bad_alloc&) {
    error = ERROR_NOT_ENOUGH_MEMORY;
  }
  if (error != 0 && systemError != nullptr) *systemError = static_cast<int>(error);
  return error == 0;
}

}  // namespace kirabo
