#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Multibyte.h"

namespace kirabo {

// Resolves `folder` against the current directory and removes "." and ".."
// steps and repeated separators by text alone, as a path typed by the user is
// meant: "a/link/.." is "a" even when "link" leads elsewhere. This is the
// root that CFileFind lists and puts before every entry's name. False when
// the current directory cannot be obtained.
bool MakeLexicalAbsolute(std::string_view folder, std::string& absolute);

// Lists the entries of one folder, "." and ".." included, in name order (ASCII
// letters compared case-insensitively, ties by bytes), so that a job over the
// same tree always meets the files in the same order.
//
// Use: FindFile(folder + kPathSeparator + "*.*"), then FindNextFile() before reading each
// entry, including the first one. The whole folder is read by FindFile, so a
// listing never sees the renames made while it is walked.
class CFileFind {
 public:
  CFileFind() = default;
  virtual ~CFileFind() = default;
  CFileFind(const CFileFind&) = delete;
  CFileFind& operator=(const CFileFind&) = delete;

  // `pattern` is a folder, a separator and "*.*" (or "*"), both of which match
  // every entry. The folder may be relative and may hold "." and ".." steps
  // and repeated separators. False when the folder cannot be listed (missing,
  // not a folder, unreadable, empty), when its absolute pattern does not fit
  // the system's path limit (PATH_MAX; 32,767 on Windows), when the name
  // part is another wildcard, or when memory runs out.
  bool FindFile(const std::string& pattern);

  // Moves to the next entry; true when a further entry follows it. When the
  // last entry has been reached already, stays on it and returns false.
  bool FindNextFile();

  bool IsDots() const;
  // True for folders and for symbolic links that lead to a folder.
  bool IsDirectory() const;
  // Empty before the first FindNextFile and after Close.
  std::string_view GetFileName() const;
  // The root, exactly one separator, the name.
  const std::string& GetFilePath() const;
  // The lexical absolute form of the listed folder: "." and ".." steps and
  // repeated separators removed, symbolic links left as they are. On Windows
  // every '/' has become '\\', and a drive root keeps its separator ("C:\\").
  const std::string& GetRoot() const { return root_; }

  // Identify the listed folder however it was reached, so that a walk can
  // visit each folder once even through links: device and inode, or on
  // Windows volume serial number and file index.
  uint64_t GetFolderDevice() const { return folderDevice_; }
  uint64_t GetFolderInode() const { return folderInode_; }

  void Close();

 private:
  struct Entry {
    std::string path;  // root, separator, name
    size_t nameStart = 0;
    bool isDots = false;
    bool isDirectory = false;
    std::string sortKey;  // emptied once the entries are in order
  };

  // Each system's own listing; it fills root_, the identity and entries_.
  bool ReadFolder(std::string_view folder, std::string_view wildcard);
  // For ReadFolder: the entry under `name`, with root_ as its folder.
  void AddEntry(std::string_view name, bool isDirectory, CodePage codePage);
  // Puts the entries in name order; false when there is none.
  bool SortEntries();
  const Entry* Current() const;

  std::string root_;
  uint64_t folderDevice_ = 0;
  uint64_t folderInode_ = 0;
  std::vector<Entry> entries_;
  size_t fetched_ = 0;  // entries handed out so far; the current one is fetched_ - 1
};

}  // namespace kirabo
