#include "platform/FileFind.h"

#include "platform/Path.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

namespace {

struct FindCloser {
  HANDLE find;
  ~FindCloser() { ::FindClose(find); }
};

}  // namespace

// GetFullPathNameW resolves the folder against the current directory (of its
// drive), removes "." and ".." steps and turns '/' into '\', at any length.
bool MakeLexicalAbsolute(std::string_view folder, std::string& absolute) {
  const std::wstring relative = WidenPath(folder.empty() ? std::string_view(".") : folder);
  if (relative.empty()) return false;
  DWORD needed = ::GetFullPathNameW(relative.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return false;
  std::wstring full(needed, L'\0');
  DWORD length = ::GetFullPathNameW(relative.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return false;
  full.resize(length);
  absolute = NarrowPath(full);
  CodePage codePage = ActiveCodePage();
  // "C:" alone would name the current folder of drive C, not its root.
  while (LastCharIs(absolute, kPathSeparator, codePage) && !(absolute.size() == 3 && absolute[1] == ':'))
    absolute.pop_back();
  return !absolute.empty();
}

bool CFileFind::ReadFolder(std::string_view folder, std::string_view wildcard) {
  if (!MakeLexicalAbsolute(folder, root_)) return false;
  CodePage codePage = ActiveCodePage();
  std::string pattern = root_;
  if (!LastCharIs(pattern, kPathSeparator, codePage)) pattern += kPathSeparator;
  pattern += wildcard;
  if (pattern.size() + 1 > kLongestPath) return false;
  // The wide functions, with the long-path prefix where needed, reach
  // folders whose paths are longer than MAX_PATH.
  const std::wstring folderPath = ExtendedPath(root_);
  std::wstring widePattern = folderPath;
  if (!widePattern.ends_with(L'\\')) widePattern += L'\\';
  widePattern += WidenPath(wildcard);

  // The folder's identity is that of where it leads: a junction or folder
  // link (a reparse point) is followed here, so a link back up the tree is
  // recognised as a folder already walked.
  HANDLE folderHandle = ::CreateFileW(folderPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folderHandle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  bool identified = ::GetFileInformationByHandle(folderHandle, &info);
  ::CloseHandle(folderHandle);
  if (!identified || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  folderDevice_ = info.dwVolumeSerialNumber;
  folderInode_ = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;

  WIN32_FIND_DATAW found{};
  HANDLE find = ::FindFirstFileExW(widePattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindCloser closer{find};
  // A read error ends the listing as its end does; what was read is kept.
  // Junctions and folder links carry the directory attribute and are
  // walked like folders.
  do {
    AddEntry(NarrowPath(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, codePage);
  } while (::FindNextFileW(find, &found));
  return true;
}

}  // namespace kirabo
