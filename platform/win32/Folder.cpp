#include "platform/Folder.h"

#include "platform/Path.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

namespace {

struct FindCloser {
  HANDLE find;
  ~FindCloser() { ::FindClose(find); }
};

// Without delete sharing nobody can rename, move or delete the folder while
// it is held, so every path through it still leads to it.
HANDLE OpenFolderHandle(const std::wstring& path, DWORD flags) {
  return ::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

bool IsNameOfItsOwn(std::string_view name) { return !name.empty() && name != "." && name != ".."; }

}  // namespace

// GetFullPathNameW resolves the folder against the current directory (of its
// drive), removes "." and ".." steps and turns '/' into '\'.
bool MakeLexicalAbsolute(std::string_view folder, std::string& absolute) {
  std::wstring relative = folder.empty() ? std::wstring(L".") : WidenPath(folder);
  if (relative.empty()) return false;
  DWORD needed = ::GetFullPathNameW(relative.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return false;
  std::wstring full(needed, L'\0');
  DWORD length = ::GetFullPathNameW(relative.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return false;
  full.resize(length);
  // "C:" alone would name the current folder of drive C, not its root.
  while (full.size() > 1 && full.back() == L'\\' && !(full.size() == 3 && full[1] == L':')) full.pop_back();
  absolute = NarrowPath(full);
  return !absolute.empty();
}

bool CFolder::Open(const std::string& path, int& error) {
  Close();
  std::string absolute;
  if (!MakeLexicalAbsolute(path, absolute)) {
    error = static_cast<int>(ERROR_INVALID_NAME);
    return false;
  }
  std::wstring full = WidenPath(absolute);
  // "\\\\?\\" leaves the path as it is: no MAX_PATH limit, no trailing dots
  // or blanks removed from names.
  widePath_ = full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
  // The chosen folder may be reached through links: the user chose it so.
  handle_ = reinterpret_cast<intptr_t>(OpenFolderHandle(widePath_, 0));
  if (handle_ == reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE)) {
    error = static_cast<int>(::GetLastError());
    handle_ = kNoHandle;
    return false;
  }
  return Identify(error);
}

bool CFolder::OpenIn(const CFolder& parent, const std::string& name, int& error) {
  Close();
  if (!IsNameOfItsOwn(name)) {
    error = static_cast<int>(ERROR_INVALID_NAME);
    return false;
  }
  widePath_ = EntryPath(parent, name);
  // The entry itself, not where a junction or link there would lead.
  handle_ = reinterpret_cast<intptr_t>(OpenFolderHandle(widePath_, FILE_FLAG_OPEN_REPARSE_POINT));
  if (handle_ == reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE)) {
    error = static_cast<int>(::GetLastError());
    handle_ = kNoHandle;
    return false;
  }
  if (!Identify(error)) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  ::GetFileInformationByHandle(reinterpret_cast<HANDLE>(handle_), &info);
  if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    error = static_cast<int>(ERROR_CANT_RESOLVE_FILENAME);
    Close();
    return false;
  }
  return true;
}

bool CFolder::Identify(int& error) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(reinterpret_cast<HANDLE>(handle_), &info)) {
    error = static_cast<int>(::GetLastError());
    Close();
    return false;
  }
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = static_cast<int>(ERROR_DIRECTORY);
    Close();
    return false;
  }
  device_ = info.dwVolumeSerialNumber;
  inode_ = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  return true;
}

void CFolder::Close() {
  if (handle_ != kNoHandle) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kNoHandle;
  device_ = 0;
  inode_ = 0;
  widePath_.clear();
}

bool CFolder::List(std::vector<FolderItem>& items, int& error) const {
  items.clear();
  WIN32_FIND_DATAW found{};
  HANDLE find = ::FindFirstFileExW(EntryPath(*this, "*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    error = static_cast<int>(::GetLastError());
    return false;
  }
  FindCloser closer{find};
  do {
    std::string name = NarrowPath(found.cFileName);
    if (name == "." || name == "..") continue;
    // A junction or folder link carries the directory attribute as well.
    bool isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !isLink;
    items.push_back({std::move(name), isFolder, isLink});
  } while (::FindNextFileW(find, &found));
  DWORD last = ::GetLastError();
  if (last != ERROR_NO_MORE_FILES) {
    error = static_cast<int>(last);
    items.clear();
    return false;
  }
  SortFolderItems(items, ActiveCodePage());
  return true;
}

}  // namespace kirabo
