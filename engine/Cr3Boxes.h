#pragma once

#include <cstdint>
#include <optional>

#include "engine/IsoBoxWalk.h"
#include "engine/RawFile.h"

// Where a Canon CR3 keeps its capture time: an ISO base media file whose
// top-level "moov" box holds a uuid box of Canon's own, which in turn holds
// "CMT1" (a little-endian TIFF structure whose IFD0 has Make, Model and
// DateTime) and "CMT2" (a TIFF structure whose first directory is the Exif
// directory, with DateTimeOriginal).
namespace kirabo {

// The file's first box: size u32, "ftyp", major brand.
constexpr int64_t kFileTypeOffset = 4;
constexpr char kFileType[] = "ftyp";
constexpr int64_t kMajorBrandOffset = 8;
constexpr char kCr3Brand[] = "crx ";
constexpr uint32_t kMovieBox = BoxType("moov");
constexpr UserType kCanonMetadataUuid = {0x85, 0xC0, 0xB6, 0x87, 0x82, 0x0F, 0x11, 0xE0,
                                         0x81, 0x11, 0xF4, 0xCE, 0x46, 0x2B, 0x6A, 0x48};
constexpr uint32_t kImageDirectoryBox = BoxType("CMT1");
constexpr uint32_t kExifDirectoryBox = BoxType("CMT2");

// A camera writes about a dozen boxes before CMT2; the budget leaves wide
// room for that while keeping a hostile file to a few dozen header reads.
constexpr int kMaxCr3Boxes = 64;

// The data of a CMT box: the TIFF structure, whose offsets count from `start`.
struct TiffBlock {
  int64_t start = 0;
  int64_t end = 0;
};

struct Cr3TiffBlocks {
  std::optional<TiffBlock> image;  // CMT1
  std::optional<TiffBlock> exif;   // CMT2
};

// True when the file begins with an ftyp box of major brand "crx ". Leaves
// the position where it was.
bool IsCr3File(CRawFile& file);

// The first CMT1 and CMT2 boxes of the Canon uuid box in the first top-level
// moov box. Only those three levels are walked, so no nesting leads deeper;
// only box headers are read, none past the Canon uuid box.
Cr3TiffBlocks FindCr3TiffBlocks(CRawFile& file);

}  // namespace kirabo
