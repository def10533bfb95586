#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "engine/RawFile.h"

// The box structure of ISO base media files (.CR3 among them): each box is a
// big-endian 32-bit size and a four-character type, the size counting the
// whole box. A size of 1 puts a 64-bit size after the type; a size of 0 means
// the box runs to the end of the file. A "uuid" box adds a 16-byte user type.
namespace kirabo {

constexpr int64_t kBoxHeaderSize = 8;        // size u32, type
constexpr int64_t kLargeBoxHeaderSize = 16;  // size u32 = 1, type, size u64
constexpr int64_t kUserTypeSize = 16;        // after the header of a uuid box
constexpr uint32_t kLargeSizeMark = 1;
constexpr uint32_t kToEndOfFileMark = 0;

using UserType = std::array<unsigned char, kUserTypeSize>;

// A box type from its four characters, the first in the high byte.
constexpr uint32_t BoxType(const char (&name)[5]) {
  return static_cast<uint32_t>(static_cast<unsigned char>(name[0])) << 24 |
         static_cast<uint32_t>(static_cast<unsigned char>(name[1])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(name[2])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(name[3]));
}

constexpr uint32_t kUuidBox = BoxType("uuid");

// One box, as positions in the file.
struct IsoBox {
  uint32_t type = 0;
  int64_t data = 0;  // first byte after the header (and after the user type of a uuid box)
  int64_t end = 0;   // one past the box's last byte
  UserType userType{};
};

// Hands out, one by one, the boxes lying end to end from `start` up to `end`
// (the file's length, or the end of an enclosing box). A box that is smaller
// than its own header or runs past `end` ends the walk: no later box can be
// found reliably. Each header read spends one unit of `budget`, which all the
// walks over one file share, so a file of countless tiny boxes ends quickly.
class CIsoBoxWalk {
 public:
  CIsoBoxWalk(CRawFile& file, int64_t start, int64_t end, int& budget);
  std::optional<IsoBox> Next();

 private:
  CRawFile& file_;
  int64_t next_;
  int64_t end_;
  int& budget_;
};

// The first box of `type` among those the walk hands out.
std::optional<IsoBox> FindBox(CIsoBoxWalk& walk, uint32_t type);
// The first uuid box of user type `userType` among those the walk hands out.
std::optional<IsoBox> FindUuidBox(CIsoBoxWalk& walk, const UserType& userType);

}  // namespace kirabo
