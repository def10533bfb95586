#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "platform/Multibyte.h"

// The raw formats Kirabo renames: for each, the extensions it is collected
// by, how its content is told, and which reader walks it. A new format is one
// row here and one reader.
namespace kirabo {

enum class RawReader {
  Canon,     // CIFF heap, TIFF directory chain or CR3 boxes, told apart by content as always
  ExifTiff,  // a TIFF structure at offset 0, read through its Exif directory
  Raf,       // Fujifilm: the Exif of the JPEG preview
  Mrw,       // Minolta: the TIFF structure of the TTW block
};

// The first bytes of a file, enough to tell every format; bytes the file
// does not supply are 0.
constexpr size_t kRawHeadSize = 16;
using RawHead = std::array<unsigned char, kRawHeadSize>;

struct RawFormat {
  std::string_view makers;                       // as the README lists them
  std::span<const std::string_view> extensions;  // upper case, without the dot
  bool (*recognise)(const RawHead& head);
  RawReader reader;
  // Its walk starts from the file's last bytes as well as its first (a CIFF
  // heap's directory lies at its end), so both are asked for at once.
  bool readsFileEnd = false;
};

// Every row, Canon's first: content is told by the first row that
// recognises it, and a Canon file stays Canon's whatever else it looks like.
std::span<const RawFormat> RawFormats();

// The format whose extension `path` has (any letter case), or null.
const RawFormat* RawFormatOfPath(std::string_view path, CodePage codePage);

// The format whose content begins with `head`, or null.
const RawFormat* RawFormatOfContent(const RawHead& head);

}  // namespace kirabo
