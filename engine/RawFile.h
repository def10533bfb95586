#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "platform/File.h"

namespace kirabo {

enum class ByteOrder { Little, Big };

// The binary reader of the raw walks. Integers are little-endian, whatever
// byte-order mark the file carries, unless a read is given another order;
// bytes the file does not supply read as 0.
// A position that would be negative parks the reader past the end, so that
// the reads there yield nothing and the walk goes on safely.
class CRawFile : public CFile {
 public:
  static constexpr size_t kStringWindow = 64;

  uint16_t Read16();
  uint32_t Read32();
  uint16_t Read16(ByteOrder order);
  uint32_t Read32(ByteOrder order);
  // A NUL-terminated string read through a 64-byte window, leaving the
  // position just past the NUL. Without a NUL in the window, the whole
  // window (64 bytes) is the string.
  std::string ReadString();
  void SeekTo(int64_t position);
  void SeekBy(int64_t offset);

  // Until EndAtFileEnd, the file looks as if it ended at `end` (when that
  // comes before its real end): reads stop there and GetLength reports it.
  // A structure nested in one part of a file is walked this way, so that no
  // offset inside it can lead to the rest of the file.
  void EndAt(int64_t end) { end_ = end; }
  void EndAtFileEnd() { end_ = std::numeric_limits<int64_t>::max(); }
  size_t Read(void* buffer, size_t count);
  int64_t GetLength() const;

 private:
  int64_t end_ = std::numeric_limits<int64_t>::max();
};

}  // namespace kirabo
