#include "RawFile.h"

#include <algorithm>
#include <array>

namespace kirabo {

size_t CRawFile::Read(void* buffer, size_t count) {
  int64_t left = std::max<int64_t>(0, GetLength() - GetPosition());
  return CFile::Read(buffer, static_cast<size_t>(std::min<uint64_t>(count, static_cast<uint64_t>(left))));
}

int64_t CRawFile::GetLength() const { return std::min(CFile::GetLength(), end_); }

uint16_t CRawFile::Read16() {
  std::array<unsigned char, 2> b{};
  Read(b.data(), b.size());
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t CRawFile::Read32() {
  std::array<unsigned char, 4> b{};
  Read(b.data(), b.size());
  return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
         (static_cast<uint32_t>(b[3]) << 24);
}

uint16_t CRawFile::Read16(ByteOrder order) {
  uint16_t value = Read16();
  return order == ByteOrder::Little ? value : static_cast<uint16_t>(value >> 8 | value << 8);
}

uint32_t CRawFile::Read32(ByteOrder order) {
  uint32_t value = Read32();
  if (order == ByteOrder::Little) return value;
  return value >> 24 | (value >> 8 & 0xFF00u) | (value << 8 & 0xFF0000u) | value << 24;
}

std::string CRawFile::ReadString() {
  std::array<char, kStringWindow> window{};  // bytes past the end stay NUL
  Read(window.data(), window.size());
  auto nul = std::find(window.begin(), window.end(), '\0');
  std::string text(window.begin(), nul);
  // Back up to just past the NUL, measured from where the read left off, so
  // that the next call reads the second string of a pair.
  SeekBy(static_cast<int64_t>(text.size()) - static_cast<int64_t>(kStringWindow - 1));
  return text;
}

void CRawFile::SeekTo(int64_t position) {
  if (!Seek(position)) Seek(GetLength());
}

void CRawFile::SeekBy(int64_t offset) {
  if (!SeekRelative(offset)) Seek(GetLength());
}

}  // namespace kirabo
