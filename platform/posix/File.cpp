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

bool TakeRegularFile(int fd, CFile::Opened& opened, int& error) {
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
  opened.handle = fd;
  opened.length = st.st_size;
  opened.identity = IdentityOf(st);
  opened.identified = true;
  return true;
}

}  // namespace

bool CFile::OpenNative(const std::string& path, Opened& opened, int& error) {
  return TakeRegularFile(::open(path.c_str(), kOpenFlags), opened, error);
}

bool CFile::OpenNativeIn(const CFolder& folder, const std::string& name, Opened& opened, int& error) {
  return TakeRegularFile(::openat(static_cast<int>(folder.Handle()), name.c_str(), kOpenFlags), opened, error);
}

void CFile::CloseNative(NativeHandle handle) { ::close(static_cast<int>(handle)); }

// Advice only: whatever the system answers, the reads still come.
void CFile::WillReadNative(NativeHandle handle, int64_t offset, size_t count) {
  ::posix_fadvise(static_cast<int>(handle), static_cast<off_t>(offset), static_cast<off_t>(count),
                  POSIX_FADV_WILLNEED);
}

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
