#include "platform/posix/MoveFileCalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "platform/Multibyte.h"

namespace kirabo {

int MoveFileCalls::RenameNoReplace(const std::string& from, const std::string& to) {
  return ::renameat2(folder_, from.c_str(), folder_, to.c_str(), RENAME_NOREPLACE);
}

int MoveFileCalls::Link(const std::string& from, const std::string& to) {
  return ::linkat(folder_, from.c_str(), folder_, to.c_str(), 0);
}

int MoveFileCalls::Rename(const std::string& from, const std::string& to) {
  return ::renameat(folder_, from.c_str(), folder_, to.c_str());
}

int MoveFileCalls::Unlink(const std::string& path) { return ::unlinkat(folder_, path.c_str(), 0); }

int MoveFileCalls::CreateExclusive(const std::string& path) {
  return ::openat(folder_, path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
}

bool MoveFileCalls::Stat(const std::string& path, struct stat& entry) const {
  return ::fstatat(folder_, path.c_str(), &entry, AT_SYMLINK_NOFOLLOW) == 0;
}

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

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// True when `to` names the very file that `from` names, through the same path
// or through one that differs only in letter case. Another hard link of the
// file under a different name does not count: that name is taken.
bool IsSameFileInOtherCase(const std::string& from, const std::string& to, const MoveFileCalls& calls) {
  struct stat source {};
  struct stat target {};
  if (!calls.Stat(from, source) || !calls.Stat(to, target)) return false;
  return SameFile(source, target) && EqualIgnoringAsciiCase(from, to, ActiveCodePage());
}

// One move, tried in the order the file system allows.
class NoReplaceMove {
 public:
  NoReplaceMove(const std::string& from, const std::string& to, int* systemError, MoveFileCalls& calls,
                MoveReservation* reservation)
      : from_(from), to_(to), systemError_(systemError), calls_(calls), reservation_(reservation) {}

  MoveResult ByFlag() {
    if (calls_.RenameNoReplace(from_, to_) == 0) return MoveResult::Moved;
    int error = errno;
    // Some network and FUSE file systems do not know the flag.
    if (error == EINVAL || error == ENOSYS) return ByLink();
    return Refusal(error);
  }

 private:
  MoveResult ByLink() {
    if (calls_.Link(from_, to_) != 0) {
      int error = errno;
      // No hard links on this file system (or not for this file, or too many).
      if (error == EPERM || error == ENOTSUP || error == EMLINK || error == EXDEV) return ByReservation();
      return Refusal(error);
    }
    if (calls_.Unlink(from_) == 0) return MoveResult::Moved;
    int error = errno;
    calls_.Unlink(to_);  // the file keeps its one old name
    return Failure(error);
  }

  MoveResult ByReservation() {
    struct stat source {};
    if (!calls_.Stat(from_, source)) return Failure(errno);
    int reservation = calls_.CreateExclusive(to_);
    if (reservation < 0) return Refusal(errno);
    MoveResult result = OntoReservation(reservation);
    ::close(reservation);
    return result;
  }

  MoveResult OntoReservation(int reservation) {
    if (!HoldsReservation(reservation)) return MoveResult::NameTaken;
    if (!Announce(reservation)) {
      if (HoldsReservation(reservation)) calls_.Unlink(to_);
      return Failure(ECANCELED);
    }
    if (calls_.Rename(from_, to_) == 0) return MoveResult::Moved;
    int error = errno;
    if (HoldsReservation(reservation)) calls_.Unlink(to_);
    return Failure(error);
  }

  // Tells the caller which file the reservation is; false when it refuses.
  bool Announce(int reservation) const {
    if (reservation_ == nullptr) return true;
    struct stat created {};
    if (::fstat(reservation, &created) != 0) return false;
    FileIdentity identity;
    identity.device = static_cast<uint64_t>(created.st_dev);
    identity.index = static_cast<uint64_t>(created.st_ino);
    identity.size = static_cast<uint64_t>(created.st_size);
    identity.modified = static_cast<int64_t>(created.st_mtim.tv_sec) * 1000000000 + created.st_mtim.tv_nsec;
    return reservation_->Reserved(identity);
  }

  // True while `to` is still the empty file this move created. Another
  // program may have written into it or put its own entry in its place; then
  // the name and what it holds are that program's.
  bool HoldsReservation(int reservation) const {
    struct stat created {};
    struct stat entry {};
    return ::fstat(reservation, &created) == 0 && calls_.Stat(to_, entry) && SameFile(created, entry) &&
           created.st_size == 0;
  }

  MoveResult Failure(int error) const {
    if (systemError_ != nullptr) *systemError_ = error;
    return MoveResult::Failed;
  }

  MoveResult Refusal(int error) const {
    if (error != EEXIST && error != ENOTEMPTY) return Failure(error);
    return IsSameFileInOtherCase(from_, to_, calls_) ? OntoItself() : MoveResult::NameTaken;
  }

  MoveResult OntoItself() const {
    if (from_ == to_) return MoveResult::Moved;
    // Only the letter case differs; a case-insensitive file system takes it on.
    return calls_.Rename(from_, to_) == 0 ? MoveResult::Moved : Failure(errno);
  }

  const std::string& from_;
  const std::string& to_;
  int* systemError_;
  MoveFileCalls& calls_;
  MoveReservation* reservation_;
};

}  // namespace

MoveResult MoveFileNoReplace(const CFolder& folder, const std::string& from, const std::string& to,
                             int* systemError, MoveReservation* reservation) {
  MoveFileCalls systemCalls(static_cast<int>(folder.Handle()));
  return MoveFileNoReplace(from, to, systemError, systemCalls, reservation);
}

MoveResult MoveFileNoReplace(const std::string& from, const std::string& to, int* systemError, MoveFileCalls& calls,
                             MoveReservation* reservation) {
  return NoReplaceMove(from, to, systemError, calls, reservation).ByFlag();
}

int RemoveFileIn(const CFolder& folder, const std::string& name) {
  return ::unlinkat(static_cast<int>(folder.Handle()), name.c_str(), 0) == 0 ? 0 : errno;
}

int PredictMoveError(const CFolder& folder, const std::string& from) {
  int fd = static_cast<int>(folder.Handle());
  if (::faccessat(fd, ".", W_OK | X_OK, AT_EACCESS) != 0) return errno;
  struct stat here {};
  struct stat file {};
  if (::fstat(fd, &here) != 0 || ::fstatat(fd, from.c_str(), &file, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  // In a sticky folder (such as /tmp) only the owner of the file or of the
  // folder may move the file; root may move any.
  uid_t user = ::geteuid();
  if ((here.st_mode & S_ISVTX) != 0 && user != 0 && file.st_uid != user && here.st_uid != user) return EPERM;
  return 0;
}

}  // namespace kirabo
