#include "platform/SettingsFolder.h"

#include <optional>
#include <vector>

#include "platform/win32/WindowsApi.h"

#include <knownfolders.h>
#include <shlobj.h>

namespace kirabo {

namespace {

std::string ToActiveCodePage(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string converted(size_t(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, converted.data(), size, nullptr, nullptr);
  converted.pop_back();
  return converted;
}

// A folder's identity: volume and file index, the same whatever path names it.
struct FolderIdentity {
  DWORD volume;
  DWORD indexHigh;
  DWORD indexLow;
  bool operator==(const FolderIdentity&) const = default;
};

std::optional<FolderIdentity> IdentityOf(HANDLE folder) {
  if (folder == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = ::GetFileInformationByHandle(folder, &info);
  ::CloseHandle(folder);
  if (!known) return std::nullopt;
  return FolderIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::optional<FolderIdentity> IdentityOf(const std::wstring& path) {
  return IdentityOf(
      ::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The folder of the running program, however long its path.
std::wstring ProgramFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  DWORD length = 0;
  while ((length = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) == path.size() &&
         path.size() < 0x10000)
    path.resize(path.size() * 2);
  std::wstring folder(path.data(), length);
  const size_t separator = folder.find_last_of(L'\\');
  if (separator != std::wstring::npos) folder.erase(separator);
  return folder;
}

// A folder asked of one of the system's functions that take a buffer and
// return the length needed when it is too small.
template <typename Query>
std::wstring SystemFolder(Query query) {
  const UINT needed = query(nullptr, 0);
  if (needed == 0) return {};
  std::vector<wchar_t> path(needed);
  const UINT length = query(path.data(), needed);
  return length > 0 && length < needed ? std::wstring(path.data(), length) : std::wstring();
}

}  // namespace

bool UserSettingsFolder(const std::string& program, std::string& folder) {
  PWSTR appData = nullptr;
  if (FAILED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &appData))) return false;
  std::string path = ToActiveCodePage(appData);
  ::CoTaskMemFree(appData);
  if (path.empty()) return false;
  path += '\\';
  path += program;
  if (!::CreateDirectoryA(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  folder = path;
  return true;
}

bool IsDesktopStartFolder(const std::string& directory) {
  const std::optional<FolderIdentity> identity = IdentityOf(
      ::CreateFileA(directory.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!identity) return false;
  // The Start menu starts a program in its own folder unless its shortcut
  // names another; some launchers start it in the Windows or system folder.
  for (const std::wstring& folder :
       {ProgramFolder(), SystemFolder(::GetWindowsDirectoryW), SystemFolder(::GetSystemDirectoryW)}) {
    if (!folder.empty() && IdentityOf(folder) == identity) return true;
  }
  return false;
}

}  // namespace kirabo
