#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Multibyte.h"

namespace kirabo {

// Resolves `folder` against the current directory and removes "." and ".."
// steps and repeated separators by text alone, as a path typed by the user is
// meant: "a/link/.." is "a" even when "link" leads elsewhere. On Windows every
// '/' becomes '\\' and a drive root keeps its separator ("C:\\"). False when
// the current directory cannot be obtained.
bool MakeLexicalAbsolute(std::string_view folder, std::string& absolute);

struct FolderItem {
  std::string name;
  bool isFolder = false;  // a folder of its own; a link to a folder is not one
  bool isLink = false;    // a symbolic link (or on Windows a reparse point), whatever it leads to
};

// One folder held open. Listing it, opening what it holds and renaming inside
// it go through the open handle, never through its path again, so a folder
// renamed or replaced by a link meanwhile cannot lead anywhere else. On
// Windows the handle also keeps the folder from being renamed or deleted
// while it is open. Failures give the system's error code (errno, or
// GetLastError on Windows).
class CFolder {
 public:
  CFolder() = default;
  virtual ~CFolder();
  CFolder(const CFolder&) = delete;
  CFolder& operator=(const CFolder&) = delete;

  // Opens `path`, following the links on it: the user chose the folder
  // through them.
  bool Open(const std::string& path, int& error);
  // Opens the entry `name` of `parent` when it is a folder itself: a link,
  // a file or a name that is gone is refused.
  bool OpenIn(const CFolder& parent, const std::string& name, int& error);
  void Close();
  bool IsOpen() const { return handle_ != kNoHandle; }

  // The entries, "." and ".." left out, in name order (ASCII letters compared
  // case-insensitively, ties by bytes), so that a job over the same tree
  // always meets the files in the same order and on every system.
  bool List(std::vector<FolderItem>& items, int& error) const;

  // Identify the folder however it was reached: device and inode, or on
  // Windows volume serial number and file index.
  uint64_t Device() const { return device_; }
  uint64_t Inode() const { return inode_; }

  // A file descriptor or a Windows handle; -1 is invalid for both.
  using NativeHandle = intptr_t;
  static constexpr NativeHandle kNoHandle = -1;
  NativeHandle Handle() const { return handle_; }
#ifdef _WIN32
  // "\\\\?\\" and the folder's full path, in UTF-16: what Windows calls
  // reach the folder's entries through, past MAX_PATH and with names that
  // end in "." or " ", while the handle keeps every folder on it in place.
  const std::wstring& WidePath() const { return widePath_; }
#endif

 private:
  bool Identify(int& error);

  NativeHandle handle_ = kNoHandle;
  uint64_t device_ = 0;
  uint64_t inode_ = 0;
#ifdef _WIN32
  std::wstring widePath_;
#endif
};

// Puts `items` in CFolder's name order.
void SortFolderItems(std::vector<FolderItem>& items, CodePage codePage);

}  // namespace kirabo
