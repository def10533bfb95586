#include "platform/StateFolder.h"

// clang-format off
#include "platform/win32/WindowsApi.h"
#include <initguid.h>
#include <knownfolders.h>
#include <shlobj.h>
// clang-format on

namespace kirabo {

namespace {

// The user's local application data folder in the program's code page.
int LocalAppData(std::string& path) {
  PWSTR wide = nullptr;
  HRESULT result = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &wide);
  if (FAILED(result)) {
    ::CoTaskMemFree(wide);
    return static_cast<int>(HRESULT_CODE(result));
  }
  int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string converted(bytes > 0 ? static_cast<size_t>(bytes) : 0, '\0');
  if (bytes > 0) ::WideCharToMultiByte(CP_ACP, 0, wide, -1, converted.data(), bytes, nullptr, nullptr);
  ::CoTaskMemFree(wide);
  if (bytes <= 1) return ERROR_PATH_NOT_FOUND;
  converted.resize(static_cast<size_t>(bytes) - 1);
  path = converted;
  return 0;
}

int MakeFolder(const std::string& path) {
  if (::CreateDirectoryA(path.c_str(), nullptr)) return 0;
  DWORD error = ::GetLastError();
  if (error != ERROR_ALREADY_EXISTS) return static_cast<int>(error);
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
             ? 0
             : ERROR_DIRECTORY;
}

}  // namespace

int JobJournalFolder(std::string& folder) {
  std::string path;
  if (int error = LocalAppData(path)) return error;
  for (const char* step : {"\\Kirabo", "\\jobs"}) {
    path += step;
    if (int error = MakeFolder(path)) return error;
  }
  folder = path;
  return 0;
}

}  // namespace kirabo
