#include "engine/MrwCaptureTime.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/ExifCaptureTime.h"

namespace kirabo {

std::optional<CaptureTime> ReadMrwCaptureTime(CRawFile& file) {
  file.SeekTo(kMrwHeaderSize - 4);
  int64_t end = std::min(kMrwHeaderSize + file.Read32(ByteOrder::Big), file.GetLength());
  int64_t block = kMrwHeaderSize;
  for (int i = 0; i < kMaxMrwBlocks && end - block >= kMrwHeaderSize; ++i) {
    std::array<char, 4> name{};
    file.SeekTo(block);
    file.Read(name.data(), name.size());
    int64_t data = block + kMrwHeaderSize;
    int64_t next = data + file.Read32(ByteOrder::Big);
    if (std::memcmp(name.data(), kMrwTiffBlock, name.size()) == 0) {
      file.EndAt(std::min(next, end));
      std::optional<CaptureTime> time = ReadExifCaptureTime(file, data);
      file.EndAtFileEnd();
      return time;
    }
    block = next;
  }
  return std::nullopt;
}

}  // namespace kirabo
