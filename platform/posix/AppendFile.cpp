#include "platform/AppendFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kirabo {

namespace {

int OpenWith(const std::string& path, int flags, intptr_t& handle) {
  int fd = ::open(path.c_str(), flags | O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return errno;
  // An advisory lock, which only our own writers ask for; the system drops
  // it when the process dies.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    int error = errno;
    ::close(fd);
    return error;
  }
  handle = fd;
  return 0;
}

}  // namespace

CAppendFile::~CAppendFile() { Close(); }

int CAppendFile::Create(const std::string& path) {
  Close();
  return OpenWith(path, O_CREAT | O_EXCL, handle_);
}

int CAppendFile::OpenExisting(const std::string& path) {
  Close();
  return OpenWith(path, 0, handle_);
}

int CAppendFile::Append(std::string_view bytes) {
  if (!IsOpen()) return EBADF;
  while (!bytes.empty()) {
    ssize_t written = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

int CAppendFile::Sync() {
  if (!IsOpen()) return EBADF;
  return ::fdatasync(static_cast<int>(handle_)) == 0 ? 0 : errno;
}

int64_t CAppendFile::Length() const {
  struct stat info {};
  if (!IsOpen() || ::fstat(static_cast<int>(handle_), &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

void CAppendFile::Close() {
  if (IsOpen()) ::close(static_cast<int>(handle_));
  handle_ = kNoHandle;
}

bool CAppendFile::IsNameTaken(int error) { return error == EEXIST; }

}  // namespace kirabo
