#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/File.h"
#include "platform/FileIdentity.h"
#include "platform/Folder.h"
#include "platform/posix/StatIdentity.h"

namespace kirabo {

namespace {

// O_NONBLOCK keeps open() from waiting on a FIFO that merely has a raw file's
// name; such entries are refused right after.
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

bool TakeRegularFile(int fd, intptr_t& handle, int64_t& length, int& error) {
  if (fd < 0) {
    error = errno;
    return false;
  }
  struct stat st {};
  const bool statFailed = ::fstat(fd, &st) != 0;
  if (statFailed || !S_ISREG(st.st_mode)) {
    error = statFailed ? errno : 0;
    ::close(fd);
    return false;
  }
  handle = fd;
  length = st.st_size;
  return true;
}

}  // namespace

bool CFile::OpenNative(const std::string& path, NativeHandle& handle, int64_t& length, int& error) {
  return TakeRegularFile(::open(path.c_str(), kOpenFlags), handle, length, error);
}

bool CFile::OpenNativeIn(const CFolder& folder, const std::string& name, NativeHandle& handle, int64_t& length,
                         int& error) {
  return TakeRegularFile(::openat(static_cast<int>(folder.Handle()), name.c_str(), kOpenFlags), handle, length,
                         error);
}

bool CFile::Identify(FileIdentity& identity) const {
  struct stat info {};
  if (handle_ == kNoHandle || ::fstat(static_cast<int>(handle_), &info) != 0) return false;
  identity = IdentityOf(info);
  return true;
}

void CFile::CloseNative(NativeHandle handle) { ::close(static_cast<int>(handle)); }

int64_t CFile::ReadNative(NativeHandle handle, void* buffer, size_t count, int64_t offset, int& error) {
  for (;;) {
    ssize_t got = ::pread(static_cast<int>(handle), buffer, count, static_cast<off_t>(offset));
    if (got >= 0) return got;
    if (errno != EINTR) {
      error = errno;
      return -1;
    }
  }
}

}  // namespace kirabo
