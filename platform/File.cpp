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
  Opened opened;
  if (!OpenNative(path, opened, error_)) return false;
  Take(opened);
  return true;
}

bool CFile::OpenIn(const CFolder& folder, const std::string& name) {
  Close();
  error_ = 0;
  Opened opened;
  if (!OpenNativeIn(folder, name, opened, error_)) return false;
  Take(opened);
  return true;
}

void CFile::Take(const Opened& opened) {
  handle_ = opened.handle;
  length_ = opened.length;
  identity_ = opened.identity;
  identified_ = opened.identified;
}

bool CFile::Identify(FileIdentity& identity) const {
  if (handle_ == kNoHandle || !identified_) return false;
  identity = identity_;
  return true;
}

void CFile::Close() {
  if (handle_ != kNoHandle) CloseNative(handle_);
  handle_ = kNoHandle;
  length_ = 0;
  position_ = 0;
  identified_ = false;
  for (Block& block : blocks_) {
    block.start = -1;
    block.size = 0;
  }
}

bool CFile::FillBlock(Block& block, int64_t start) {
  block.start = -1;
  block.size = 0;
  // Asking no further than the length known at open saves the read that
  // would only report the end of the file.
  size_t wanted = static_cast<size_t>(std::min<int64_t>(kBlockSize, length_ - start));
  size_t filled = 0;
  while (filled < wanted) {
    systemReads_.fetch_add(1, std::memory_order_relaxed);
    int64_t got = ReadNative(handle_, block.bytes.data() + filled, wanted - filled,
                             start + static_cast<int64_t>(filled), error_);
    if (got <= 0) break;
    filled += static_cast<size_t>(got);
  }
  if (filled == 0) return false;
  block.start = start;
  block.size = filled;
  return true;
}

CFile::Block* CFile::BlockAtPosition() {
  auto holds = [this](const Block& block) {
    return block.start >= 0 && position_ >= block.start && position_ < block.start + static_cast<int64_t>(block.size);
  };
  for (size_t i = 0; i < blocks_.size(); ++i) {
    if (holds(blocks_[i])) {
      lastUsed_ = i;
      return &blocks_[i];
    }
  }
  lastUsed_ = (lastUsed_ + 1) % blocks_.size();
  Block& block = blocks_[lastUsed_];
  int64_t aligned = position_ - position_ % static_cast<int64_t>(kBlockSize);
  if (!FillBlock(block, aligned) || !holds(block)) return nullptr;  // not holding it: the file shrank
  return &block;
}

size_t CFile::Read(void* buffer, size_t count) {
  if (handle_ == kNoHandle) return 0;
  auto* out = static_cast<unsigned char*>(buffer);
  size_t done = 0;
  while (done < count && position_ < length_) {
    const Block* block = BlockAtPosition();
    if (block == nullptr) break;
    size_t offset = static_cast<size_t>(position_ - block->start);
    size_t take = std::min(count - done, block->size - offset);
    std::memcpy(out + done, block->bytes.data() + offset, take);
    done += take;
    position_ += static_cast<int64_t>(take);
  }
  return done;
}

void CFile::WillRead(int64_t position) {
  if (handle_ == kNoHandle || position < 0 || position >= length_) return;
  WillReadNative(handle_, position - position % static_cast<int64_t>(kBlockSize), kBlockSize);
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
