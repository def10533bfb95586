#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "platform/MoveFile.h"

namespace kirabo {

// The system calls the rename makes, one virtual function each, so that tests
// can make a file system refuse a call or change between two calls. Names
// are taken relative to `folder` (absolute paths ignore it). Each returns
// what the system call returns, with errno set on failure.
class MoveFileCalls {
 public:
  explicit MoveFileCalls(int folder = AT_FDCWD) : folder_(folder) {}
  virtual ~MoveFileCalls() = default;
  virtual int RenameNoReplace(const std::string& from, const std::string& to);
  virtual int Link(const std::string& from, const std::string& to);
  virtual int Rename(const std::string& from, const std::string& to);
  virtual int Unlink(const std::string& path);
  // Creates an empty file only where no entry is; its descriptor, or -1.
  virtual int CreateExclusive(const std::string& path);
  // The entry itself, a link not followed; false with errno set.
  bool Stat(const std::string& path, struct stat& entry) const;

 private:
  int folder_;
};

MoveResult MoveFileNoReplace(const std::string& from, const std::string& to, int* systemError, MoveFileCalls& calls,
                             MoveReservation* reservation = nullptr);

}  // namespace kirabo
