#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ExpectLoad.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/CaptureTimeReader.h"

namespace kirabo {
namespace {

using namespace test;

constexpr char kOriginal[] = "2018:02:21 12:08:56";  // CMT2 DateTimeOriginal
constexpr char kDateTime[] = "2017:01:02 03:04:05";  // CMT1 DateTime
const int32_t kOriginalTime = UtcSeconds(2018, 2, 21, 12, 8, 56);
const int32_t kDateTimeTime = UtcSeconds(2017, 1, 2, 3, 4, 5);

std::string Canon(const std::string& children) { return UuidBox(kCanonUuid, children); }
std::string WithMovie(const std::string& movie) { return Cr3FileType() + Box("moov", movie) + Box("mdat", "image"); }
std::string Repeat(const std::string& part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

// `inner` inside `depth` moov boxes, each holding the next.
std::string NestedInMovies(const std::string& inner, int depth) {
  std::string headers;
  for (int level = depth; level > 0; --level) headers += Be32(static_cast<uint32_t>(inner.size() + 8 * level)) + "moov";
  return headers + inner;
}

// moov holding a uuid box holding a CMT2 whose date text lies in the mdat
// after it: the value offset counts from the CMT2 data, but leads past its box.
std::string DateTextPastItsBox() {
  std::string text = std::string(kOriginal) + '\0';
  auto layout = [&](uint32_t offset) {
    std::string tiff = TiffFile().Directory({{0x9003, 2, 20, "", offset}}).Build();
    return Cr3FileType() + Box("moov", Canon(Cmt1Box("none") + Box("CMT2", tiff))) + Box("mdat", text);
  };
  size_t cmt2Data = layout(0).find("CMT2") + 4;
  size_t textAt = layout(0).size() - text.size();
  return layout(static_cast<uint32_t>(textAt - cmt2Data));
}

// A CMT2 whose one directory holds 65,535 DateTimeOriginal entries, each
// pointing at the same unusable text beyond them all: every value read is a
// block away from the directory.
std::string FarDateTextsInEveryEntry() {
  constexpr uint32_t kEntries = 65535;
  const uint32_t text = 8 + 2 + 12 * kEntries + 4;
  std::string tiff = "II" + Le16(42) + Le32(8) + Le16(static_cast<uint16_t>(kEntries));
  tiff += Repeat(Le16(0x9003) + Le16(2) + Le32(20) + Le32(text), kEntries);
  tiff += Le32(0) + std::string("0000:00:00 00:00:00\0", 20);
  return WithMovie(Canon(Cmt1Box(kDateTime) + Box("CMT2", tiff)));
}

struct Layout {
  const char* what;
  std::string bytes;
  int32_t expected;  // -1: no time
  uint64_t maxReads;
};

TEST(Cr3Walk, LayoutsGiveTheirTimeWithinFewReads) {
  const std::string cmt1 = Cmt1Box(kDateTime);
  const std::string cmt2 = Cmt2Box(kOriginal);
  const std::string exif = cmt2.substr(8);  // CMT2's TIFF structure
  const std::string canon = Canon(cmt2);
  const std::string other = UuidBox(std::string(16, 'u'), "");
  const std::string cr3 = Cr3File(kDateTime, kOriginal, 1000);
  const std::string ftyp = Cr3FileType();
  const std::vector<Layout> layouts = {
      // what, bytes, expected time, most read calls
      {"camera layout, 1 MB of image data", Cr3File(kDateTime, kOriginal, 1 << 20), kOriginalTime, 1},
      {"CMT2 only", Cr3File({}, kOriginal), kOriginalTime, 1},
      {"CMT1 only", Cr3File(kDateTime, {}), kDateTimeTime, 1},
      {"neither", Cr3File({}, {}), -1, 1},
      {"unusable DateTimeOriginal", Cr3File(kDateTime, "0000:00:00 00:00:00"), kDateTimeTime, 1},
      {"CMT2 before CMT1", WithMovie(Canon(cmt2 + cmt1)), kOriginalTime, 1},
      {"Canon uuid after another uuid", WithMovie(other + canon), kOriginalTime, 1},
      {"64-bit sizes", ftyp + LargeBox("moov", LargeBox("uuid", kCanonUuid + LargeBox("CMT2", exif))), kOriginalTime,
       1},
      {"moov of size 0", ftyp + BoxClaiming(0, "moov", canon), kOriginalTime, 1},
      {"moov far from the start", ftyp + Box("free", std::string(200000, '\0')) + Box("moov", canon), kOriginalTime, 2},
      {"file cut inside the image data", cr3.substr(0, cr3.size() - 500), kOriginalTime, 1},
      {"file cut inside moov", cr3.substr(0, cr3.find("CMT3")), -1, 1},
      {"CMT2 of size 0 overruns its parent", WithMovie(Canon(cmt1 + BoxClaiming(0, "CMT2", exif))), kDateTimeTime, 1},
      {"CMT2 one byte over its parent", WithMovie(Canon(cmt1 + BoxClaiming(8 + exif.size() + 1, "CMT2", exif))),
       kDateTimeTime, 1},
      {"moov one byte over the file", ftyp + BoxClaiming(8 + canon.size() + 1, "moov", canon), -1, 1},
      {"moov claims 2^63 bytes", ftyp + LargeBoxClaiming(uint64_t{1} << 63, "moov", canon), -1, 1},
      {"uuid claims 2^64-1 bytes", WithMovie(LargeBoxClaiming(~uint64_t{0}, "uuid", kCanonUuid + cmt2)), -1, 1},
      {"sizes below the header's",
       ftyp + BoxClaiming(7, "moov", "") + LargeBoxClaiming(15, "moov", "") +
           BoxClaiming(31, "uuid", kCanonUuid + cmt2),
       -1, 1},
      {"uuid without room for its user type", WithMovie(BoxClaiming(16, "uuid", kCanonUuid + cmt2)), -1, 1},
      {"moov nested 10000 deep", ftyp + NestedInMovies(canon, 10000), -1, 1},
      {"Canon uuid outside moov", ftyp + canon + Box("moov", ""), -1, 1},
      {"another uuid only", WithMovie(UuidBox(std::string(16, 'u'), cmt2)), -1, 1},
      {"a thousand boxes before moov", ftyp + Repeat(Box("free", ""), 1000) + Box("moov", canon), -1, 1},
      {"ftyp of another brand", Cr3FileType("isom") + Box("moov", canon), -1, 1},
      {"CMT2 directory past its box",
       WithMovie(Canon(cmt1 +
                       Box("CMT2", TiffFile().FirstOffset(0xFFFFFFF0u).Directory({Ascii(0x9003, kOriginal)}).Build()))),
       kDateTimeTime, 1},
      {"date text past its CMT2 box, in the image data", DateTextPastItsBox(), -1, 1},
      // The entries themselves (96 blocks) and two blocks for each of the
      // 1,024 values read; CMT1 gets none left.
      {"65,535 far DateTimeOriginal texts", FarDateTextsInEveryEntry(), -1, 2200},
  };
  TempFolder temp;
  for (const Layout& layout : layouts) {
    ExpectLoad(temp.Write("IMG_0001.CR3", layout.bytes), layout.expected, layout.maxReads, layout.what);
  }
}

}  // namespace
}  // namespace kirabo
