#include "engine/IsoBoxWalk.h"

#include <algorithm>
#include <cstddef>

namespace kirabo {

namespace {

// The longest header: 64-bit size, then a user type.
constexpr int64_t kLongestHeader = kLargeBoxHeaderSize + kUserTypeSize;

uint64_t BigEndian(const unsigned char* bytes, size_t count) {
  uint64_t value = 0;
  for (size_t i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

}  // namespace

CIsoBoxWalk::CIsoBoxWalk(CRawFile& file, int64_t start, int64_t end, int& budget)
    : file_(file), next_(std::max<int64_t>(0, start)), end_(std::min(end, file.GetLength())), budget_(budget) {}

std::optional<IsoBox> CIsoBoxWalk::Next() {
  if (budget_ <= 0 || end_ - next_ < kBoxHeaderSize) return std::nullopt;
  --budget_;
  // All sizes are compared as unsigned 64-bit numbers against the room left,
  // so no claimed size can overflow a sum.
  auto room = static_cast<uint64_t>(end_ - next_);
  std::array<unsigned char, kLongestHeader> header{};  // bytes past `end_` stay 0
  file_.SeekTo(next_);
  file_.Read(header.data(), static_cast<size_t>(std::min<uint64_t>(room, header.size())));

  IsoBox box;
  uint64_t size = BigEndian(header.data(), 4);
  box.type = static_cast<uint32_t>(BigEndian(header.data() + 4, 4));
  auto headerSize = static_cast<uint64_t>(kBoxHeaderSize);
  if (size == kLargeSizeMark) {
    size = BigEndian(header.data() + kBoxHeaderSize, 8);
    headerSize = kLargeBoxHeaderSize;
  } else if (size == kToEndOfFileMark) {
    size = static_cast<uint64_t>(file_.GetLength() - next_);
  }
  if (box.type == kUuidBox) {
    std::copy_n(header.begin() + static_cast<ptrdiff_t>(headerSize), kUserTypeSize, box.userType.begin());
    headerSize += kUserTypeSize;
  }
  if (size < headerSize || size > room) {
    next_ = end_;
    return std::nullopt;
  }
  box.data = next_ + static_cast<int64_t>(headerSize);
  box.end = next_ + static_cast<int64_t>(size);
  next_ = box.end;
  return box;
}

std::optional<IsoBox> FindBox(CIsoBoxWalk& walk, uint32_t type) {
  while (std::optional<IsoBox> box = walk.Next()) {
    if (box->type == type) return box;
  }
  return std::nullopt;
}

std::optional<IsoBox> FindUuidBox(CIsoBoxWalk& walk, const UserType& userType) {
  while (std::optional<IsoBox> box = FindBox(walk, kUuidBox)) {
    if (box->userType == userType) return box;
  }
  return std::nullopt;
}

}  // namespace kirabo
