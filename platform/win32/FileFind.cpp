#include "platform/FileFind.h"

#include "platform/Path.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

namespace {

// The absolute form of `pattern`: relative paths resolved against the
// current directory, "." and ".." steps removed, '/' turned into '\'.
bool GetFullPattern(const std::string& pattern, std::string& full) {
  DWORD needed = ::GetFullPathNameA(pattern.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return false;
  full.resize(needed);
  DWORD length = ::GetFullPathNameA(pattern.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return false;
  full.resize(length);
  return true;
}

struct FindCloser {
  HANDLE find;
  ~FindCloser() { ::FindClose(find); }
};

}  // namespace

bool CFileFind::ReadFolder(std::string_view folder, std::string_view wildcard) {
  std::string full;
  if (!GetFullPattern(std::string(folder) + std::string(wildcard), full) || full.size() + 1 > MAX_PATH) return false;
  CodePage codePage = ActiveCodePage();
  size_t separator = FindLastChar(full, kPathSeparator, codePage);
  if (separator == std::string::npos) return false;
  // "C:" alone would name the current folder of drive C, not its root.
  bool driveRoot = separator == 2 && full[1] == ':';
  root_ = full.substr(0, driveRoot ? separator + 1 : separator);

  // The folder's identity is that of where it leads: a junction or folder
  // link (a reparse point) is followed here, so a link back up the tree is
  // recognised as a folder already walked.
  HANDLE folderHandle = ::CreateFileA(root_.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folderHandle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  bool identified = ::GetFileInformationByHandle(folderHandle, &info);
  ::CloseHandle(folderHandle);
  if (!identified || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  folderDevice_ = info.dwVolumeSerialNumber;
  folderInode_ = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;

  WIN32_FIND_DATAA found{};
  HANDLE find = ::FindFirstFileExA(full.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindCloser closer{find};
  // A read error ends the listing as its end does; what was read is kept.
  // Junctions and folder links carry the directory attribute and are
  // walked like folders.
  do {
    AddEntry(found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, codePage);
  } while (::FindNextFileA(find, &found));
  return true;
}

}  // namespace kirabo
