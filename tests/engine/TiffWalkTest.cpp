#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/CaptureTimeReader.h"
#include "platform/File.h"

namespace kirabo {
namespace {

using test::Ascii;
using test::Le16;
using test::Le32;
using test::ReadCaptureTime;
using test::TiffEntry;
using test::TiffFile;
using test::UtcSeconds;
using test::kOctober2004;

constexpr uint16_t kMake = 0x010F;
constexpr uint16_t kModel = 0x0110;
constexpr uint16_t kDateTime = 0x0132;
const int64_t kMay2010 = UtcSeconds(2010, 5, 1, 12, 0, 0);

TEST(TiffWalk, ReadsTheDateTimeOfTheFirstDirectory) {
  TiffFile tiff;
  tiff.Directory({Ascii(kMake, "Canon"), Ascii(kModel, "Canon EOS 20D"), Ascii(kDateTime, "2004:10:05 09:25:10")});
  EXPECT_EQ(ReadCaptureTime(tiff.Build()), kOctober2004);
}

TEST(TiffWalk, MotorolaFilesAreStillReadLittleEndian) {
  TiffFile tiff("MM");
  tiff.Directory({Ascii(kDateTime, "2004:10:05 09:25:10")});
  EXPECT_EQ(ReadCaptureTime(tiff.Build()), kOctober2004);
}

TEST(TiffWalk, MakeCanonEndsTheChain) {
  TiffFile tiff;
  tiff.Directory({Ascii(kMake, "Canon")}).Directory({Ascii(kDateTime, "2004:10:05 09:25:10")});
  EXPECT_EQ(ReadCaptureTime(tiff.Build()), -1);
}

TEST(TiffWalk, OtherMakesDoNotEndTheChain) {
  for (const char* make : {"CANON", "Canon ", ""}) {
    TiffFile tiff;
    tiff.Directory({Ascii(kMake, make)}).Directory({Ascii(kDateTime, "2004:10:05 09:25:10")});
    EXPECT_EQ(ReadCaptureTime(tiff.Build()), kOctober2004) << '"' << make << '"';
  }
  TiffFile noMake;
  noMake.Directory({Ascii(kModel, "x")}).Directory({Ascii(kDateTime, "2004:10:05 09:25:10")});
  EXPECT_EQ(ReadCaptureTime(noMake.Build()), kOctober2004);
}

TEST(TiffWalk, ValuesOfFourBytesOrLessStandInTheEntry) {
  // Make of count 4 read from the entry: "Cano", then the next entry's tag
  // 0x006E supplies "n\0". Taken as an offset instead, "Cano" would lead
  // past the end and the chain would go on to the second directory.
  TiffFile tiff;
  tiff.Directory({{kMake, 2, 4, "Cano", {}}, {0x006E, 3, 1, "", {}}})
      .Directory({Ascii(kDateTime, "2004:10:05 09:25:10")});
  EXPECT_EQ(ReadCaptureTime(tiff.Build()), -1);
}

TEST(TiffWalk, BytesPerValueFollowTheFieldType) {
  // Type 13 and above count one byte per value: six bytes lie elsewhere.
  // Type 3 (two bytes) with count 3 lies elsewhere too.
  for (uint16_t type : {uint16_t{7}, uint16_t{13}, uint16_t{200}}) {
    TiffFile tiff;
    tiff.Directory({{kMake, type, 6, std::string("Canon\0", 6), {}}})
        .Directory({Ascii(kDateTime, "2004:10:05 09:25:10")});
    EXPECT_EQ(ReadCaptureTime(tiff.Build()), -1) << type;
  }
  TiffFile shorts;
  shorts.Directory({{kMake, 3, 3, std::string("Canon\0", 6), {}}})
      .Directory({Ascii(kDateTime, "2004:10:05 09:25:10")});
  EXPECT_EQ(ReadCaptureTime(shorts.Build()), -1);
}

TEST(TiffWalk, NothingAfterTheDateTimeEntryIsRead) {
  TiffFile tiff;
  tiff.Directory({Ascii(kDateTime, "2004:10:05 09:25:10"), Ascii(kDateTime, "2010:05:01 12:00:00")});
  EXPECT_EQ(ReadCaptureTime(tiff.Build()), kOctober2004);
}

TEST(TiffWalk, AnUnusableDateTimeLeavesTheWalkGoingOn) {
  TiffFile tiff;
  tiff.Directory({Ascii(kDateTime, "0000:00:00 00:00:00"), Ascii(kDateTime, "2010:05:01 12:00:00")});
  EXPECT_EQ(ReadCaptureTime(tiff.Build()), kMay2010);
}

TEST(TiffWalk, TheNextOffsetAfterAnEarlyReturnComesFromTheFollowingEntry) {
  // The make is not "Canon", so the chain goes on from where the directory
  // walk returned: the tag and type of the entry after the DateTime, read as
  // one 32-bit offset. Here they point at a third directory, whose first
  // entry replaces the time.
  TiffFile probe;
  probe.Directory({Ascii(kMake, "Nikon"), Ascii(kDateTime, "2004:10:05 09:25:10"), {0, 0, 0, "", {}}})
      .Directory({})
      .Directory({Ascii(kDateTime, "2010:05:01 12:00:00"), Ascii(kDateTime, "2004:10:05 09:25:10")});
  uint32_t third = probe.DirectoryOffsetOf(2);
  TiffFile tiff;
  tiff.Directory({Ascii(kMake, "Nikon"), Ascii(kDateTime, "2004:10:05 09:25:10"),
                  {static_cast<uint16_t>(third & 0xFFFF), static_cast<uint16_t>(third >> 16), 0, "", {}}})
      .Directory({})
      .Directory({Ascii(kDateTime, "2010:05:01 12:00:00"), Ascii(kDateTime, "2004:10:05 09:25:10")});
  EXPECT_EQ(ReadCaptureTime(tiff.Build()), kMay2010);
  // A zero there ends the chain with the first directory's time.
  EXPECT_EQ(ReadCaptureTime(probe.Build()), kOctober2004);
}

TEST(TiffWalk, ALoopingChainEnds) {
  TiffFile selfLoop;
  selfLoop.Directory({Ascii(kMake, "Nikon")}, 8);
  EXPECT_EQ(ReadCaptureTime(selfLoop.Build()), -1);

  TiffFile twoStep;
  twoStep.Directory({Ascii(kModel, "a")}).Directory({Ascii(kModel, "b")}, 8);
  EXPECT_EQ(ReadCaptureTime(twoStep.Build()), -1);
}

TEST(TiffWalk, ALongChainIsCut) {
  TiffFile tiff;
  for (int i = 0; i < 1000; ++i) tiff.Directory({Ascii(kModel, "x")});
  tiff.Directory({Ascii(kDateTime, "2004:10:05 09:25:10")});
  EXPECT_EQ(ReadCaptureTime(tiff.Build()), -1);
}

TEST(TiffWalk, HostileOffsetsAndCountsAreSafe) {
  TiffFile pastTheEnd;
  pastTheEnd.FirstOffset(0xFFFFFFF0u).Directory({});
  EXPECT_EQ(ReadCaptureTime(pastTheEnd.Build()), -1);

  // The count claims far more entries than the file holds.
  std::string file = "II" + Le16(42) + Le32(8) + Le16(0xFFFF) + Le16(kDateTime) + Le16(2) + Le32(20) + Le32(0x30);
  EXPECT_EQ(ReadCaptureTime(file), -1);

  // A value offset past the end reads an empty text; the walk goes on.
  TiffFile badEntry;
  badEntry.Directory({{kMake, 2, 6, "", 0x7FFFFFF0u}, Ascii(kDateTime, "2004:10:05 09:25:10")});
  EXPECT_EQ(ReadCaptureTime(badEntry.Build()), kOctober2004);
}

TEST(TiffWalk, TruncatedFilesAreSafe) {
  TiffFile tiff;
  tiff.Directory({Ascii(kMake, "Canon"), Ascii(kDateTime, "2004:10:05 09:25:10")});
  std::string whole = tiff.Build();
  // The date-time text is the last 20 bytes; any cut before it leaves no time.
  for (size_t cut = 0; cut < whole.size() - 20; ++cut) EXPECT_EQ(ReadCaptureTime(whole.substr(0, cut)), -1) << cut;
  // A text cut inside its seconds still reads as a valid date-time.
  EXPECT_EQ(ReadCaptureTime(whole.substr(0, whole.size() - 2)), kOctober2004 - 9);
}

TEST(TiffWalk, EveryFileIsReadInAFewMilliseconds) {
  // Unbounded, this shape walks 256 x 65,535 entries, each reading a far
  // block and coming back: tens of seconds for one 790 KB file.
  test::TempFolder temp;
  std::string path = temp.Write("IMG_0001.CR2", test::SharedTableTiff(256, 65535));
  CCaptureTimeReader reader;
  uint64_t readsBefore = CFile::SystemReadCount();
  auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(reader.Load(path));
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(CFile::SystemReadCount() - readsBefore, 4000u);
  // The read count is the exact check. The time only has to tell a few
  // milliseconds (Release) from the unbounded walk's tens of seconds, so it
  // leaves room for sanitizers and for wine on a busy machine.
  EXPECT_LT(elapsed, std::chrono::seconds(5)) << std::chrono::duration<double, std::milli>(elapsed).count();
}

TEST(TiffWalk, TheWorkBoundLeavesRoomForAFullDirectory) {
  std::vector<TiffEntry> entries(65534, TiffEntry{0x0001, 3, 1, "", {}});
  entries.push_back(Ascii(kDateTime, "2004:10:05 09:25:10"));
  TiffFile tiff;
  tiff.Directory(entries);
  EXPECT_EQ(ReadCaptureTime(tiff.Build()), kOctober2004);
}

}  // namespace
}  // namespace kirabo
