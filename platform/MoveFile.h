#pragma once

#include <string>

namespace kirabo {

enum class MoveResult {
  Moved,      // done; also for a file moved to its own path
  NameTaken,  // another entry holds the new path (EEXIST, ENOTEMPTY); nothing changed
  Failed,     // any other reason: source gone, read-only, permission, name too long, I/O
};

// Renames `from` to `to` without ever replacing an entry that holds `to`.
// Moving a file to its own path, or to one that differs only in letter case
// and names the same file (case-insensitive file systems), succeeds and
// changes nothing but the case. On `Failed`, stores the system's error code
// (errno) in `systemError` when given; otherwise leaves it alone.
//
// File systems that refuse the no-replace flag get a hard link then an
// unlink; where hard links are impossible too, `to` is first reserved by
// creating an empty file there exclusively, and the file is renamed onto
// that reservation, which is removed again if the rename fails. Only a kill
// between those two steps can leave the empty reservation behind; later runs
// find it an ordinary file holding the name, never one to replace.
MoveResult MoveFileNoReplace(const std::string& from, const std::string& to, int* systemError = nullptr);

// The system calls the rename makes, one virtual function each, so that tests
// can make a file system refuse a call or change between two calls. Each
// returns what the system call returns, with errno set on failure.
class MoveFileCalls {
 public:
  virtual ~MoveFileCalls() = default;
  virtual int RenameNoReplace(const std::string& from, const std::string& to);
  virtual int Link(const std::string& from, const std::string& to);
  virtual int Rename(const std::string& from, const std::string& to);
  virtual int Unlink(const std::string& path);
  // Creates an empty file only where no entry is; its descriptor, or -1.
  virtual int CreateExclusive(const std::string& path);
};

MoveResult MoveFileNoReplace(const std::string& from, const std::string& to, int* systemError, MoveFileCalls& calls);

}  // namespace kirabo
