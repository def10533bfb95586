#include "File.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kirabo {

std::atomic<uint64_t> CFile::systemReads_{0};

CFile::~CFile() { Close(); }

bool CFile::Open(const std::string& path) {
  Close();
  error_ = 0;
  if (!OpenNative(path, handle_, length_, error_)) {
    handle_ = kNoHandle;
    length_ = 0;
    return false;
  }
  return true;
}

bool CFile::OpenIn(const CFolder& folder, const std::string& name) {
  Close();
  error_ = 0;
  if (!OpenNativeIn(folder, name, handle_, length_, error_)) {
    handle_ = kNoHandle;
    length_ = 0;
    return false;
  }
  return true;
}

void CFile::Close() {
  if (handle_ != kNoHandle) CloseNative(handle_);
  handle_ = kNoHandle;
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
    int64_t got = ReadNative(handle_, block_.data() + filled, wanted - filled,
                             blockStart + static_cast<int64_t>(filled), error_);
    if (got <= 0) break;
    filled += static_cast<size_t>(got);
  }
  if (filled == 0) return false;
  blockStart_ = blockStart;
  blockSize_ = filled;
  return true;
}

size_t CFile::Read(void* buffer, size_t count) {
  if (handle_ == kNoHandle) return 0;
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
  if (handle_ == kNoHandle || position < 0) return false;
  position_ = position;
  return true;
}

bool CFile::SeekRelative(int64_t offset) {
  if (handle_ == kNoHandle) return false;
  if (offset > 0 && position_ > INT64_MAX - offset) return false;
  return Seek(position_ + offset);  // a negative result fails there
}

}  // namespace kirabo
