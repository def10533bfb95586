#include "engine/Cr3Boxes.h"

#include <array>
#include <cstring>

namespace kirabo {

bool IsCr3File(CRawFile& file) {
  std::array<char, kMajorBrandOffset + sizeof kCr3Brand - 1> head{};  // bytes the file lacks stay NUL
  int64_t position = file.GetPosition();
  file.SeekTo(0);
  file.Read(head.data(), head.size());
  file.SeekTo(position);
  return std::memcmp(head.data() + kFileTypeOffset, kFileType, sizeof kFileType - 1) == 0 &&
         std::memcmp(head.data() + kMajorBrandOffset, kCr3Brand, sizeof kCr3Brand - 1) == 0;
}

Cr3TiffBlocks FindCr3TiffBlocks(CRawFile& file) {
  Cr3TiffBlocks found;
  int budget = kMaxCr3Boxes;
  CIsoBoxWalk top(file, 0, file.GetLength(), budget);
  std::optional<IsoBox> movie = FindBox(top, kMovieBox);
  if (!movie) return found;

  CIsoBoxWalk inMovie(file, movie->data, movie->end, budget);
  std::optional<IsoBox> canon = FindUuidBox(inMovie, kCanonMetadataUuid);
  if (!canon) return found;

  CIsoBoxWalk inCanon(file, canon->data, canon->end, budget);
  while (!found.image || !found.exif) {
    std::optional<IsoBox> box = inCanon.Next();
    if (!box) break;
    TiffBlock block{box->data, box->end};
    if (box->type == kImageDirectoryBox && !found.image) found.image = block;
    if (box->type == kExifDirectoryBox && !found.exif) found.exif = block;
  }
  return found;
}

}  // namespace kirabo
