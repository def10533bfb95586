#include "platform/MoveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "platform/Multibyte.h"

namespace kirabo {

namespace {

// Compares without allocating, so that a move never fails for want of memory.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b, CodePage codePage) {
  if (a.size() != b.size()) return false;
  auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  for (size_t i = 0; i < a.size();) {
    size_t length = CharLength(a, i, codePage);
    if (length == 1 ? fold(a[i]) != fold(b[i]) : a.substr(i, length) != b.substr(i, length)) return false;
    i += length;
  }
  return true;
}

// True when `to` names the very file that `from` names, through the same path
// or through one that differs only in letter case. Another hard link of the
// file under a different name does not count: that name is taken.
bool IsSameFileInOtherCase(const std::string& from, const std::string& to) {
  struct stat source {};
  struct stat target {};
  if (::lstat(from.c_str(), &source) != 0 || ::lstat(to.c_str(), &target) != 0) return false;
  if (source.st_dev != target.st_dev || source.st_ino != target.st_ino) return false;
  return EqualIgnoringAsciiCase(from, to, ActiveCodePage());
}

MoveResult MoveOntoItself(const std::string& from, const std::string& to) {
  if (from == to) return MoveResult::Moved;
  // Only the letter case differs; a case-insensitive file system takes it on.
  return ::rename(from.c_str(), to.c_str()) == 0 ? MoveResult::Moved : MoveResult::Failed;
}

MoveResult ResultOfRefusal(int error, const std::string& from, const std::string& to) {
  if (error != EEXIST && error != ENOTEMPTY) return MoveResult::Failed;
  return IsSameFileInOtherCase(from, to) ? MoveOntoItself(from, to) : MoveResult::NameTaken;
}

}  // namespace

MoveResult MoveFileNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return MoveResult::Moved;
  int error = errno;
  // Some network and FUSE file systems do not know the flag.
  if (error == EINVAL || error == ENOSYS) return MoveFileByLink(from, to);
  return ResultOfRefusal(error, from, to);
}

MoveResult MoveFileByLink(const std::string& from, const std::string& to) {
  if (::link(from.c_str(), to.c_str()) != 0) {
    int error = errno;
    // No hard links on this file system (or not for this file, or too many).
    if (error == EPERM || error == ENOTSUP || error == EMLINK || error == EXDEV) return MoveFileAfterCheck(from, to);
    return ResultOfRefusal(error, from, to);
  }
  if (::unlink(from.c_str()) == 0) return MoveResult::Moved;
  ::unlink(to.c_str());  // the file keeps its one old name
  return MoveResult::Failed;
}

MoveResult MoveFileAfterCheck(const std::string& from, const std::string& to) {
  struct stat entry {};
  if (::lstat(from.c_str(), &entry) != 0) return MoveResult::Failed;
  if (::lstat(to.c_str(), &entry) == 0) return ResultOfRefusal(EEXIST, from, to);
  if (errno != ENOENT) return MoveResult::Failed;
  if (::rename(from.c_str(), to.c_str()) == 0) return MoveResult::Moved;
  return ResultOfRefusal(errno, from, to);
}

}  // namespace kirabo
