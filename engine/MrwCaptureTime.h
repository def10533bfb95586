#pragma once

#include <cstdint>
#include <optional>

#include "engine/CaptureTimeReader.h"
#include "engine/RawFile.h"

// Minolta's MRW: "\0MRM" and the length of the blocks that follow it (the
// image data come after them), each block a four-byte name, a length and its
// data, all big-endian. The "\0TTW" block holds a TIFF structure.
namespace kirabo {

constexpr char kMrwMagic[] = "\0MRM";  // 4 bytes
constexpr char kMrwTiffBlock[] = "\0TTW";
constexpr int64_t kMrwHeaderSize = 8;  // a block's name and length; also the file's own header
// A camera writes four or five blocks.
constexpr int kMaxMrwBlocks = 32;

// The capture time of the open MRW file, read from its TTW block. A block
// ends where the file or the block list does, whatever its length says.
std::optional<CaptureTime> ReadMrwCaptureTime(CRawFile& file);

}  // namespace kirabo
