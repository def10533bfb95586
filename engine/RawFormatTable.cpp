#include "engine/RawFormatTable.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/MrwCaptureTime.h"
#include "engine/RafCaptureTime.h"

namespace kirabo {

namespace {

template <size_t N>
bool At(const RawHead& head, size_t offset, const char (&text)[N]) {
  return offset + N - 1 <= head.size() && std::memcmp(head.data() + offset, text, N - 1) == 0;
}

bool IsCiff(const RawHead& head) { return (At(head, 0, "II") || At(head, 0, "MM")) && At(head, 6, "HEAPCCDR"); }

bool IsTiff(const RawHead& head) { return At(head, 0, "II*\0") || At(head, 0, "MM\0*"); }

// Canon marks its CR2 files with "CR", version 2.0, after the TIFF header.
bool IsCanonTiff(const RawHead& head) { return IsTiff(head) && At(head, 8, "CR\2\0"); }

bool IsCr3(const RawHead& head) { return At(head, 4, "ftypcrx "); }

// Olympus and Panasonic write TIFF structures with magics of their own.
bool IsTiffFamily(const RawHead& head) {
  return IsTiff(head) || At(head, 0, "IIRO") || At(head, 0, "IIRS") || At(head, 0, "MMOR") || At(head, 0, "IIU\0");
}

bool IsRaf(const RawHead& head) { return At(head, 0, kRafMagic); }

bool IsMrw(const RawHead& head) { return At(head, 0, kMrwMagic); }

constexpr std::string_view kCrw[] = {"CRW"};
constexpr std::string_view kCr2[] = {"CR2"};
constexpr std::string_view kCr3[] = {"CR3"};
constexpr std::string_view kNikon[] = {"NEF", "NRW"};
constexpr std::string_view kSony[] = {"ARW", "SR2", "SRF"};
constexpr std::string_view kDng[] = {"DNG"};
constexpr std::string_view kOlympus[] = {"ORF", "ORI"};
constexpr std::string_view kPanasonic[] = {"RW2", "RWL"};
constexpr std::string_view kPentax[] = {"PEF"};
constexpr std::string_view kHasselblad[] = {"3FR", "FFF"};
constexpr std::string_view kEpson[] = {"ERF"};
constexpr std::string_view kPhaseOne[] = {"IIQ"};
constexpr std::string_view kSamsung[] = {"SRW"};
constexpr std::string_view kLeaf[] = {"MOS"};
constexpr std::string_view kMamiya[] = {"MEF"};
constexpr std::string_view kKodak[] = {"KDC", "DCR"};
constexpr std::string_view kFujifilm[] = {"RAF"};
constexpr std::string_view kMinolta[] = {"MRW"};

constexpr RawFormat kFormats[] = {
    {"Canon (CIFF)", kCrw, IsCiff, RawReader::Canon, true},
    {"Canon (TIFF)", kCr2, IsCanonTiff, RawReader::Canon},
    {"Canon (ISO base media)", kCr3, IsCr3, RawReader::Canon},
    {"Nikon", kNikon, IsTiffFamily, RawReader::ExifTiff},
    {"Sony", kSony, IsTiffFamily, RawReader::ExifTiff},
    {"DNG (Adobe, Leica, Pentax, phones)", kDng, IsTiffFamily, RawReader::ExifTiff},
    {"Olympus, OM System", kOlympus, IsTiffFamily, RawReader::ExifTiff},
    {"Panasonic, Leica", kPanasonic, IsTiffFamily, RawReader::ExifTiff},
    {"Pentax", kPentax, IsTiffFamily, RawReader::ExifTiff},
    {"Hasselblad", kHasselblad, IsTiffFamily, RawReader::ExifTiff},
    {"Epson", kEpson, IsTiffFamily, RawReader::ExifTiff},
    {"Phase One, Leaf", kPhaseOne, IsTiffFamily, RawReader::ExifTiff},
    {"Samsung", kSamsung, IsTiffFamily, RawReader::ExifTiff},
    {"Leaf", kLeaf, IsTiffFamily, RawReader::ExifTiff},
    {"Mamiya", kMamiya, IsTiffFamily, RawReader::ExifTiff},
    {"Kodak", kKodak, IsTiffFamily, RawReader::ExifTiff},
    {"Fujifilm", kFujifilm, IsRaf, RawReader::Raf},
    {"Minolta", kMinolta, IsMrw, RawReader::Mrw},
};

}  // namespace

std::span<const RawFormat> RawFormats() { return kFormats; }

// The last "." of the whole path, not of the name: a name without a dot then
// leaves a separator in the tested text and never qualifies.
const RawFormat* RawFormatOfPath(std::string_view path, CodePage codePage) {
  size_t dot = FindLastChar(path, '.', codePage);
  if (dot == std::string_view::npos) return nullptr;
  std::string extension = UpperAscii(path.substr(dot + 1), codePage);
  for (const RawFormat& format : kFormats) {
    if (std::find(format.extensions.begin(), format.extensions.end(), extension) != format.extensions.end())
      return &format;
  }
  return nullptr;
}

const RawFormat* RawFormatOfContent(const RawHead& head) {
  for (const RawFormat& format : kFormats) {
    if (format.recognise(head)) return &format;
  }
  return nullptr;
}

}  // namespace kirabo
