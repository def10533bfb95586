#include "platform/RealPath.h"

#include <string_view>
#include <vector>

#include "platform/win32/WidePath.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

namespace {

struct Identity {
  DWORD volume, high, low;
  bool operator==(const Identity&) const = default;
};

bool IdentityOf(HANDLE handle, Identity& identity) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return false;
  identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return true;
}

// wine's GetFinalPathNameByHandleW stops at MAX_PATH. There, the handle's
// path on its volume is put after the drive (or share) that `extended`
// starts with, and taken only when it opens the very same folder.
std::wstring PathOnSameVolume(HANDLE handle, const std::wstring& extended) {
  std::vector<BYTE> buffer(sizeof(FILE_NAME_INFO) + kLongestPath * sizeof(wchar_t));
  auto* name = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
  if (!::GetFileInformationByHandleEx(handle, FileNameInfo, name, DWORD(buffer.size()))) return {};
  const std::wstring onVolume(name->FileName, name->FileNameLength / sizeof(wchar_t));
  // "\\?\C:\..." or "C:\...": the drive; a network path is left to the system.
  const size_t drive = extended.starts_with(L"\\\\?\\") ? 4 : 0;
  if (extended.size() < drive + 2 || extended[drive + 1] != L':') return {};
  std::wstring candidate = L"\\\\?\\" + extended.substr(drive, 2) + onVolume;
  HANDLE again = ::CreateFileW(candidate.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (again == INVALID_HANDLE_VALUE) return {};
  Identity first{}, second{};
  const bool same = IdentityOf(handle, first) && IdentityOf(again, second) && first == second;
  ::CloseHandle(again);
  return same ? candidate : std::wstring();
}

}  // namespace

bool ResolveRealPath(const std::string& path, std::string& resolved) {
  // Opening follows every junction and link; the handle then knows the path
  // it was reached by in the end.
  const std::wstring extended = ExtendedPath(path);
  HANDLE handle = ::CreateFileW(extended.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  // Asked with no buffer, the function tells the size it needs (Windows
  // counts the NUL in it, wine does not); the wide function takes any length.
  constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  const DWORD needed = ::GetFinalPathNameByHandleW(handle, nullptr, 0, kFlags);
  std::wstring finalPath(size_t(needed) + 1, L'\0');
  const DWORD length =
      needed == 0 ? 0 : ::GetFinalPathNameByHandleW(handle, finalPath.data(), DWORD(finalPath.size()), kFlags);
  if (length > 0 && length < finalPath.size())
    finalPath.resize(length);
  else
    finalPath = PathOnSameVolume(handle, extended);
  ::CloseHandle(handle);
  if (finalPath.empty()) return false;
  std::string narrow = NarrowPath(finalPath);
  // "\\?\C:\photos" is "C:\photos"; "\\?\UNC\server\share" is "\\server\share".
  constexpr std::string_view kLocal = "\\\\?\\", kNetwork = "\\\\?\\UNC\\";
  if (narrow.starts_with(kNetwork)) {
    narrow = "\\\\" + narrow.substr(kNetwork.size());
  } else if (narrow.starts_with(kLocal)) {
    narrow.erase(0, kLocal.size());
  }
  resolved = narrow;
  return true;
}

}  // namespace kirabo
