#include "File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace kirabo {

std::atomic<uint64_t> CFile::systemReads_{0};

CFile::~CFile() { Close(); }

bool CFile::Open(const std::string& path) {
  Close();
  // O_NONBLOCK keeps open() from waiting on a FIFO that merely has a raw
  // file's name; such entries are refused right after.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  length_ = st.st_size;
  position_ = 0;
  blockStart_ = -1;
  blockSize_ = 0;
  return true;
}

void CFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  length_ = 0;
  position_ = 0;
  blockStart_ = -1;
  blockSize_ = 0;
}

bool CFile::FillBlock(int64_t blockStart) {
  blockStart_ = -1;
  blockSize_ = 0;
  // Asking no further than the length known at open saves the read that
  // would only report the end of the file.
  size_t wanted = static_cast<size_t>(std::min<int64_t>(kBlockSize, length_ - blockStart));
  size_t filled = 0;
  while (filled < wanted) {
    systemReads_.fetch_add(1, std::memory_order_relaxed);
    ssize_t got = ::pread(fd_, block_.data() + filled, wanted - filled,
                          static_cast<off_t>(blockStart + static_cast<int64_t>(filled)));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    filled += static_cast<size_t>(got);
  }
  if (filled == 0) return false;
  blockStart_ = blockStart;
  blockSize_ = filled;
  return true;
}

size_t CFile::Read(void* buffer, size_t count) {
  if (fd_ < 0) return 0;
  auto* out = static_cast<unsigned char*>(buffer);
  size_t done = 0;
  while (done < count && position_ < length_) {
    bool inBlock = blockStart_ >= 0 && position_ >= blockStart_ &&
                   position_ < blockStart_ + static_cast<int64_t>(blockSize_);
    if (!inBlock) {
      int64_t aligned = position_ - position_ % static_cast<int64_t>(kBlockSize);
      if (!FillBlock(aligned)) break;
      if (position_ >= blockStart_ + static_cast<int64_t>(blockSize_)) break;  // file shrank
    }
    size_t offset = static_cast<size_t>(position_ - blockStart_);
    size_t take = std::min(count - done, blockSize_ - offset);
    std::memcpy(out + done, block_.data() + offset, take);
    done += take;
    position_ += static_cast<int64_t>(take);
  }
  return done;
}

bool CFile::Seek(int64_t position) {
  if (fd_ < 0 || position < 0) return false;
  position_ = position;
  return true;
}

bool CFile::SeekRelative(int64_t offset) {
  if (fd_ < 0) return false;
  if (offset > 0 && position_ > INT64_MAX - offset) return false;
  return Seek(position_ + offset);  // a negative result fails there
}

}  // namespace kirabo
