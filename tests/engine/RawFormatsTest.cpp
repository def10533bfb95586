// Other makers' raw files, and files whose extension and content disagree.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ExpectLoad.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/CaptureTimeReader.h"
#include "engine/RawFormatList.h"
#include "engine/RawFormatTable.h"

namespace kirabo {
namespace {

using namespace test;

constexpr uint16_t kMake = 0x010F;
constexpr uint16_t kDateTime = 0x0132;
constexpr char kOriginal[] = "2004:06:09 16:02:35";
constexpr char kDigitized[] = "2004:06:09 16:02:36";
constexpr char kChanged[] = "2005:08:25 13:09:05";  // IFD0 DateTime: when a program last wrote the file
const int64_t kOriginalTime = UtcSeconds(2004, 6, 9, 16, 2, 35);
const int64_t kDigitizedTime = UtcSeconds(2004, 6, 9, 16, 2, 36);
const int64_t kChangedTime = UtcSeconds(2005, 8, 25, 13, 9, 5);

TiffFile Little() { return TiffFile("II"); }
TiffFile Big() { return TiffFile("MM").BigEndian().Magic(std::string("\0*", 2)); }

// A camera's layout: IFD0 with Make and DateTime, the Exif directory with both dates.
std::string Camera(TiffFile tiff, const char* make) {
  return ExifTiff(std::move(tiff), {Ascii(kMake, make), Ascii(kDateTime, kChanged)},
                  {Ascii(kDateTimeOriginalTag, kOriginal), Ascii(kDateTimeDigitizedTag, kDigitized)});
}

std::string WithImageData(std::string file, size_t bytes) { return file + std::string(bytes, '\xEE'); }

// An Exif directory of `count` entries, each a DateTimeOriginal whose text lies far away.
std::string ManyDateEntries(uint16_t count) {
  std::vector<TiffEntry> exif(count, TiffEntry{kDateTimeOriginalTag, 2, 20, "", 0x7FFFFF00u});
  return ExifTiff(Little(), {}, exif);
}

struct Layout {
  const char* what;
  const char* name;
  std::string bytes;
  int64_t expected;  // -1: no time
  uint64_t maxReads;
};

TEST(RawFormats, LayoutsGiveTheirTimeWithinFewReads) {
  const std::string nef = Camera(Little(), "NIKON CORPORATION");
  const std::string jpeg = JpegWithExif(Camera(Big(), "FUJIFILM"));
  const std::string mrwTiff = Camera(Big(), "KONICA MINOLTA");
  const std::string mrw = MrwFile(mrwTiff);
  const std::string cr2 = ExifTiff(Little().CanonMark(), {Ascii(kMake, "Canon"), Ascii(kDateTime, kChanged)},
                                   {Ascii(kDateTimeOriginalTag, kOriginal)});
  const std::vector<Layout> layouts = {
      // what, name, bytes, expected time, most read calls
      {"NEF, II", "DSC_0001.NEF", nef, kOriginalTime, 1},
      {"DNG, MM", "IMG_0001.dng", Camera(Big(), "Leica"), kOriginalTime, 1},
      {"ARW, 1 MB of image data", "DSC00001.ARW", WithImageData(Camera(Little(), "SONY"), 1 << 20), kOriginalTime, 1},
      {"ORF, IIRO", "P0000001.ORF", Camera(Little().Magic("RO"), "OLYMPUS"), kOriginalTime, 1},
      {"ORF, MMOR", "P0000001.orf", Camera(TiffFile("MM").BigEndian().Magic("OR"), "OLYMPUS"), kOriginalTime, 1},
      {"ORI, IIRS", "P0000001.ORI", Camera(Little().Magic("RS"), "OLYMPUS"), kOriginalTime, 1},
      {"RW2, IIU", "P1000001.RW2", Camera(Little().Magic(std::string("U\0", 2)), "Panasonic"), kOriginalTime, 1},
      {"PEF, MM", "IMGP0001.PEF", Camera(Big(), "PENTAX"), kOriginalTime, 1},
      {"SRW", "SAM_0001.SRW", Camera(Little(), "SAMSUNG"), kOriginalTime, 1},
      {"3FR, MM", "B0000001.3FR", Camera(Big(), "Hasselblad"), kOriginalTime, 1},
      {"ERF", "EPSN0001.ERF", Camera(Little(), "SEIKO EPSON CORP."), kOriginalTime, 1},
      {"IIQ, no IFD0 DateTime", "CF000001.IIQ",
       ExifTiff(Little(), {Ascii(kMake, "Phase One")}, {Ascii(kDateTimeOriginalTag, kOriginal)}), kOriginalTime, 1},
      {"DateTimeOriginal missing", "DSC_0001.NEF",
       ExifTiff(Big(), {Ascii(kDateTime, kChanged)}, {Ascii(kDateTimeDigitizedTag, kDigitized)}), kDigitizedTime, 1},
      {"DateTimeOriginal unusable", "DSC_0001.NEF",
       ExifTiff(Little(), {},
                {Ascii(kDateTimeOriginalTag, "0000:00:00 00:00:00"), Ascii(kDateTimeDigitizedTag, kDigitized)}),
       kDigitizedTime, 1},
      {"neither date, only IFD0 DateTime", "DSC_0001.NEF",
       ExifTiff(Little(), {Ascii(kDateTime, kChanged)}, {Ascii(0xA420, "unique id")}), -1, 1},
      {"no Exif directory", "DSC_0001.NEF", Little().Directory({Ascii(kDateTime, kChanged)}).Build(), -1, 1},
      {"Exif pointer back to IFD0", "DSC_0001.NEF", ExifTiff(Little(), {Ascii(kDateTime, kChanged)}, {}, 8), -1, 1},
      {"Exif pointer past the file", "DSC_0001.NEF",
       ExifTiff(Big(), {}, {Ascii(kDateTimeOriginalTag, kOriginal)}, 0xFFFFFFF0u), -1, 1},
      {"IFD0 past the file", "DSC_0001.NEF", Little().FirstOffset(0x7FFFFFFF).Build(), -1, 1},
      {"date text past the file", "DSC_0001.NEF",
       ExifTiff(Little(), {}, {{kDateTimeOriginalTag, 2, 20, "", 0xFFFFFFF0u}}), -1, 1},
      {"a thousand far dates", "DSC_0001.NEF", ManyDateEntries(1000), -1, 2},
      {"65535 entries in IFD0", "DSC_0001.NEF",
       Little().Directory(std::vector<TiffEntry>(65535, TiffEntry{0x0100, 3, 1, "", {}})).Build(), -1, 8},
      {"file cut in the header", "DSC_0001.NEF", nef.substr(0, 6), -1, 1},
      {"empty file", "DSC_0001.NEF", "", -1, 1},
      {"RAF", "DSCF0001.RAF", RafFile(jpeg), kOriginalTime, 1},
      {"RAF, APP0 before the Exif", "DSCF0001.raf",
       RafFile(JpegWithExif(Camera(Big(), "FUJIFILM"), JpegSegment(0xFFE0, std::string("JFIF\0\1\1", 7)))),
       kOriginalTime, 1},
      {"RAF, preview offset past the file", "DSCF0001.RAF", RafFile(jpeg, 0xFFFFFF00u), -1, 1},
      {"RAF, preview offset into the header", "DSCF0001.RAF", RafFile(jpeg, 16), -1, 1},
      {"RAF, preview length cuts the Exif", "DSCF0001.RAF", RafFile(jpeg, {}, 40), -1, 1},
      {"RAF, preview length 4 GB", "DSCF0001.RAF", RafFile(jpeg, {}, 0xFFFFFFFFu), kOriginalTime, 1},
      {"RAF, segment of length 0", "DSCF0001.RAF", RafFile(std::string("\xFF\xD8\xFF\xE0\0\0", 6) + jpeg), -1, 1},
      {"RAF, a thousand segments first", "DSCF0001.RAF",
       RafFile("\xFF\xD8" + [] {
         std::string s;
         for (int i = 0; i < 1000; ++i) s += JpegSegment(0xFFE0, "");
         return s;
       }() + jpeg.substr(2)),
       -1, 1},
      {"MRW", "PICT0001.MRW", mrw, kOriginalTime, 1},
      {"MRW, TTW block overruns the file", "PICT0001.MRW",
       MrwFile(mrwTiff, 0xFFFFFFF0u).substr(0, 8 + 16 + 8 + mrwTiff.size()), kOriginalTime, 1},
      {"MRW, TTW block shorter than its TIFF", "PICT0001.MRW", MrwFile(mrwTiff, 40), -1, 1},
      {"MRW, file cut inside TTW", "PICT0001.MRW", mrw.substr(0, 8 + 16 + 8 + 40), -1, 1},
      {"MRW without TTW", "PICT0001.MRW", MrwFile("").replace(24, 4, std::string("\0PAD", 4)), -1, 1},
      // Content decides for other makers' names: Canon's files keep Canon's reading.
      {"CR2 named NEF: IFD0 DateTime as always", "IMG_0001.NEF", cr2, kChangedTime, 1},
      {"CRW named DNG", "IMG_0001.DNG", CrwFile(kOctober2004), kOctober2004, 1},
      {"CR3 named ARW", "IMG_0001.ARW", Cr3File("2004:10:05 09:25:10", "2004:10:05 09:25:10"), kOctober2004, 1},
      {"RAF named NEF", "DSCF0001.NEF", RafFile(jpeg), kOriginalTime, 1},
      {"MRW without a raw extension", "PICT0001", mrw, kOriginalTime, 1},
      {"TIFF of another maker named CR2: IFD0 DateTime as always", "IMG_0001.CR2", nef, kChangedTime, 1},
      {"NEF named CRW: Canon's reading finds no Canon time", "IMG_0001.CRW",
       ExifTiff(Little(), {}, {Ascii(kDateTimeOriginalTag, kOriginal)}), -1, 1},
      {"RAF named CR3", "IMG_0001.CR3", RafFile(jpeg), -1, 1},
  };
  TempFolder temp;
  for (const Layout& layout : layouts) {
    ExpectLoad(temp.Write(layout.name, layout.bytes), layout.expected, layout.maxReads, layout.what);
  }
}

TEST(RawFormats, EveryMakersExtensionInAnyCase) {
  for (const char* extension : {"CRW", "CR2", "CR3", "NEF", "NRW", "ARW", "SR2", "SRF", "DNG", "ORF", "ORI", "RW2",
                                "RWL", "PEF", "3FR", "FFF", "ERF", "IIQ", "SRW", "MOS", "MEF", "KDC", "DCR", "RAF",
                                "MRW"}) {
    std::string upper = std::string("/photos/IMG.") + extension;
    std::string mixed = upper;
    for (size_t i = upper.size() - 2; i < upper.size(); ++i) mixed[i] = static_cast<char>(std::tolower(mixed[i]));
    EXPECT_NE(RawFormatOfPath(upper, CodePage::Utf8), nullptr) << upper;
    EXPECT_NE(RawFormatOfPath(mixed, CodePage::Utf8), nullptr) << mixed;
  }
  for (const char* path : {"/photos/IMG.JPG", "/photos/NEF", "/photos.NEF/IMG", "/photos/IMG.NEF.xmp", "/a/IMG.NEFF"})
    EXPECT_EQ(RawFormatOfPath(path, CodePage::Utf8), nullptr) << path;
}

// The README's table of formats is kept from the engine's.
TEST(RawFormats, ReadmeListsEveryFormat) {
  std::ifstream in(KIRABO_README);
  std::string readme(std::istreambuf_iterator<char>(in), {});
  ASSERT_FALSE(readme.empty());
  for (const RawFormat& format : RawFormats()) {
    size_t row = readme.find("\n| " + std::string(format.makers) + " |");
    ASSERT_NE(row, std::string::npos) << format.makers;
    std::string line = readme.substr(row + 1, readme.find('\n', row + 1) - row - 1);
    for (std::string_view extension : format.extensions)
      EXPECT_NE(line.find("`." + std::string(extension) + "`"), std::string::npos) << line;
  }
}

// The package's description, made at configure time from the table's
// source, names each of the table's makers and extensions.
TEST(RawFormats, PackageDescriptionNamesEveryMakerAndExtension) {
  std::ifstream in(KIRABO_CPACK_CONFIG);
  std::string config(std::istreambuf_iterator<char>(in), {});
  const size_t start = config.find("set(CPACK_PACKAGE_DESCRIPTION \"");
  ASSERT_NE(start, std::string::npos);
  const std::string description = config.substr(start, config.find('\n', start) - start);
  for (const RawFormat& format : RawFormats()) {
    const std::string_view makers = format.makers.substr(0, format.makers.find(" ("));
    for (size_t from = 0; from <= makers.size();) {
      const size_t comma = std::min(makers.find(", ", from), makers.size());
      EXPECT_NE(description.find(makers.substr(from, comma - from)), std::string::npos) << format.makers;
      from = comma + 2;
    }
    for (std::string_view extension : format.extensions)
      EXPECT_TRUE(description.find("." + std::string(extension) + ",") != std::string::npos ||
                  description.find("." + std::string(extension) + ")") != std::string::npos)
          << extension;
  }
}

// The helps' list names every extension of the table once, in lines that
// keep to their width and indent.
TEST(RawFormatLines, EveryExtensionOnceWithinTheWidth) {
  const std::string lines = RawFormatLines("  ", 40);
  for (const RawFormat& format : RawFormats()) {
    for (std::string_view extension : format.extensions) {
      const std::string word = " ." + std::string(extension);
      const size_t at = lines.find(word);
      ASSERT_NE(at, std::string::npos) << word;
      EXPECT_NE(std::string_view(",\n ").find(lines[at + word.size()]), std::string_view::npos) << word;
      EXPECT_EQ(lines.find(word, at + 1), std::string::npos) << word;
    }
  }
  EXPECT_TRUE(lines.starts_with("  Canon .CRW .CR2 .CR3, Nikon .NEF .NRW,\n")) << lines;
  for (size_t start = 0, end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1) {
    EXPECT_LE(end - start, 40u);
    EXPECT_EQ(lines.compare(start, 2, "  "), 0);
  }
}

}  // namespace
}  // namespace kirabo
