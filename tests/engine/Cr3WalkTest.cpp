#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/CaptureTimeReader.h"
#include "platform/File.h"

namespace kirabo {
namespace {

using namespace test;

constexpr char kOriginal[] = "2018:02:21 12:08:56";  // CMT2 DateTimeOriginal
constexpr char kDateTime[] = "2017:01:02 03:04:05";  // CMT1 DateTime
const int32_t kOriginalTime = UtcSeconds(2018, 2, 21, 12, 8, 56);
const int32_t kDateTimeTime = UtcSeconds(2017, 1, 2, 3, 4, 5);

std::string Canon(const std::string& children) { return UuidBox(kCanonUuid, children); }
std::string Cmt2Tiff() { return Cmt2Box(kOriginal).substr(8); }
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

struct Layout {
  const char* what;
  std::string bytes;
  int32_t expected;  // -1: no time
  uint64_t maxReads;
};

TEST(Cr3Walk, LayoutsGiveTheirTimeWithinFewReads) {
  std::string cr3 = Cr3File(kDateTime, kOriginal, 1000);
  uint64_t big = uint64_t{1} << 63;
  const std::vector<Layout> layouts = {
      {"camera layout; the image data after moov is never read", Cr3File(kDateTime, kOriginal, 1 << 20),
       kOriginalTime, 1},
      {"CMT2 only", Cr3File({}, kOriginal), kOriginalTime, 1},
      {"CMT1 only", Cr3File(kDateTime, {}), kDateTimeTime, 1},
      {"neither", Cr3File({}, {}), -1, 1},
      {"unusable DateTimeOriginal: DateTime", Cr3File(kDateTime, "0000:00:00 00:00:00"), kDateTimeTime, 1},
      {"CMT2 before CMT1", WithMovie(Canon(Cmt2Box(kOriginal) + Cmt1Box(kDateTime))), kOriginalTime, 1},
      {"Canon uuid after another uuid box", WithMovie(UuidBox(std::string(16, 'u'), "") + Canon(Cmt2Box(kOriginal))),
       kOriginalTime, 1},
      {"64-bit sizes at every level",
       Cr3FileType() + LargeBox("moov", LargeBox("uuid", kCanonUuid + LargeBox("CMT2", Cmt2Tiff()))), kOriginalTime,
       1},
      {"moov of size 0 runs to the end of the file", Cr3FileType() + BoxClaiming(0, "moov", Canon(Cmt2Box(kOriginal))),
       kOriginalTime, 1},
      {"moov far from the start", Cr3FileType() + Box("free", std::string(200000, '\0')) + Box("moov", Canon(Cmt2Box(kOriginal))),
       kOriginalTime, 3},
      {"file cut inside the image data", cr3.substr(0, cr3.size() - 500), kOriginalTime, 1},
      {"file cut inside moov", cr3.substr(0, cr3.find("CMT3")), -1, 1},
      {"CMT2 of size 0 overruns its uuid box", WithMovie(Canon(Cmt1Box(kDateTime) + BoxClaiming(0, "CMT2", Cmt2Tiff()))),
       kDateTimeTime, 1},
      {"CMT2 claims more than its uuid box",
       WithMovie(Canon(Cmt1Box(kDateTime) + BoxClaiming(8 + Cmt2Tiff().size() + 1, "CMT2", Cmt2Tiff()))),
       kDateTimeTime, 1},
      {"moov claims more than the file",
       Cr3FileType() + BoxClaiming(8 + Canon(Cmt2Box(kOriginal)).size() + 1, "moov", Canon(Cmt2Box(kOriginal))), -1,
       1},
      {"moov claims 2^63 bytes", Cr3FileType() + LargeBoxClaiming(big, "moov", Canon(Cmt2Box(kOriginal))), -1, 1},
      {"uuid claims 2^64-1 bytes", WithMovie(LargeBoxClaiming(~uint64_t{0}, "uuid", kCanonUuid + Cmt2Box(kOriginal))),
       -1, 1},
      {"sizes smaller than their header",
       Cr3FileType() + BoxClaiming(7, "moov", "") + LargeBoxClaiming(15, "moov", "") +
           BoxClaiming(31, "uuid", kCanonUuid + Cmt2Box(kOriginal)),
       -1, 1},
      {"uuid smaller than its user type", WithMovie(BoxClaiming(16, "uuid", kCanonUuid + Cmt2Box(kOriginal))), -1, 1},
      {"moov nested 10000 deep", Cr3FileType() + NestedInMovies(Canon(Cmt2Box(kOriginal)), 10000), -1, 1},
      {"Canon uuid outside moov", Cr3FileType() + Canon(Cmt2Box(kOriginal)) + Box("moov", ""), -1, 1},
      {"another uuid only", WithMovie(UuidBox(std::string(16, 'u'), Cmt2Box(kOriginal))), -1, 1},
      {"a thousand boxes before moov", Cr3FileType() + Repeat(Box("free", ""), 1000) + Box("moov", Canon(Cmt2Box(kOriginal))),
       -1, 1},
      {"ftyp of another brand", Cr3FileType("isom") + Box("moov", Canon(Cmt2Box(kOriginal))), -1, 1},
      {"CMT2 directory past its box: DateTime",
       WithMovie(Canon(Cmt1Box(kDateTime) +
                       Box("CMT2", TiffFile().FirstOffset(0xFFFFFFF0u).Directory({Ascii(0x9003, kOriginal)}).Build()))),
       kDateTimeTime, 1},
      {"date text past its CMT2 box, in the image data", DateTextPastItsBox(), -1, 1},
  };
  TempFolder temp;
  for (const Layout& layout : layouts) {
    std::string path = temp.Write("IMG_0001.CR3", layout.bytes);
    uint64_t before = CFile::SystemReadCount();
    CCaptureTimeReader reader;
    bool none = reader.Load(path);
    EXPECT_EQ(reader.GetCaptureTime(), layout.expected) << layout.what;
    EXPECT_EQ(none, layout.expected == -1) << layout.what;
    EXPECT_LE(CFile::SystemReadCount() - before, layout.maxReads) << layout.what;
  }
}

TEST(Cr3Walk, TheContainerIsToldByContentNotByName) {
  const struct {
    const char* name;
    std::string bytes;
    int32_t expected;
  } files[] = {
      {"IMG_0001.CR2", Cr3File(kDateTime, kOriginal), kOriginalTime},
      {"IMG_0002.CR3", Cr2File(kDateTime), kDateTimeTime},
      {"IMG_0003.cr3", CrwFile(kOctober2004), kOctober2004},
  };
  TempFolder temp;
  for (const auto& file : files) {
    CCaptureTimeReader reader;
    reader.Load(temp.Write(file.name, file.bytes));
    EXPECT_EQ(reader.GetCaptureTime(), file.expected) << file.name;
  }
}

}  // namespace
}  // namespace kirabo
