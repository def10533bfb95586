#include "platform/RealPath.h"

#include <string_view>

#include "platform/win32/WidePath.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

bool ResolveRealPath(const std::string& path, std::string& resolved) {
  // Opening follows every junction and link; the handle then knows the path
  // it was reached by in the end.
  HANDLE handle = ::CreateFileW(ExtendedPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  // A result not below the buffer's size is the size needed (Windows counts
  // the NUL in it, wine does not).
  std::string finalPath(MAX_PATH, '\0');
  DWORD length = 0;
  for (int attempt = 0; attempt < 2; ++attempt) {
    length = ::GetFinalPathNameByHandleA(handle, finalPath.data(), static_cast<DWORD>(finalPath.size()),
                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length < finalPath.size()) break;
    finalPath.assign(length + 1, '\0');
  }
  ::CloseHandle(handle);
  if (length == 0 || length >= finalPath.size()) return false;
  finalPath.resize(length);
  // "\\?\C:\photos" is "C:\photos"; "\\?\UNC\server\share" is "\\server\share".
  constexpr std::string_view kLocal = "\\\\?\\", kNetwork = "\\\\?\\UNC\\";
  if (finalPath.starts_with(kNetwork)) {
    finalPath = "\\\\" + finalPath.substr(kNetwork.size());
  } else if (finalPath.starts_with(kLocal)) {
    finalPath.erase(0, kLocal.size());
  }
  resolved = finalPath;
  return true;
}

}  // namespace kirabo
