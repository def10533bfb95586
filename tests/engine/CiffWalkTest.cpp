#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "RawFileBuilder.h"
#include "engine/CaptureTimeReader.h"

namespace kirabo {
namespace {

using test::CaptureTimeData;
using test::CiffFile;
using test::CiffHeap;
using test::Le32;
using test::ReadCaptureTime;
using test::UtcSeconds;
using test::kOctober2004;

const int64_t kMay2010 = UtcSeconds(2010, 5, 1, 12, 0, 0);

// The layout of real camera files: root -> 0x300A -> 0x180E, and the
// make/model pair two levels down.
CiffHeap CameraLikeRoot(int64_t seconds) {
  CiffHeap makeModel;
  makeModel.Record(0x080A, std::string("Canon\0Canon EOS D30\0", 20));
  CiffHeap imageProps;
  imageProps.Heap(0x2807, makeModel).Record(0x180E, CaptureTimeData(seconds));
  CiffHeap root;
  root.Record(0x2005, "raw image data").Heap(0x300A, imageProps);
  return root;
}

TEST(CiffWalk, FindsTheCaptureTimeInANestedHeap) {
  EXPECT_EQ(ReadCaptureTime(CiffFile(CameraLikeRoot(kOctober2004))), kOctober2004);
}

TEST(CiffWalk, ValuesAreLittleEndianWhateverTheByteOrderMark) {
  EXPECT_EQ(ReadCaptureTime(CiffFile(CameraLikeRoot(kOctober2004), "MM")), kOctober2004);
  EXPECT_EQ(ReadCaptureTime(CiffFile(CameraLikeRoot(kOctober2004), "XX")), -1);
}

TEST(CiffWalk, RecordsAfterTheMakeAndModelAreStillWalked) {
  CiffHeap root;
  root.Record(0x080A, std::string("Canon\0PowerShot S40\0", 21)).Record(0x180E, CaptureTimeData(kOctober2004));
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), kOctober2004);
}

TEST(CiffWalk, InRecordDataStandAfterTheTag) {
  CiffHeap root;
  root.InRecord(0x180E, Le32(static_cast<uint32_t>(kOctober2004)) + Le32(0));
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), kOctober2004);
}

TEST(CiffWalk, ATimeInAnInnerHeapEndsOnlyThatHeapsWalk) {
  CiffHeap inner;
  inner.Record(0x180E, CaptureTimeData(kOctober2004)).Record(0x180E, CaptureTimeData(1));
  CiffHeap root;
  root.Heap(0x300A, inner).Record(0x180E, CaptureTimeData(kMay2010));
  // The inner heap's second record is never read; the root's later record
  // overwrites the inner one.
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), kMay2010);

  CiffHeap onlyInner;
  onlyInner.Heap(0x300A, inner).Record(0x0001, "other");
  EXPECT_EQ(ReadCaptureTime(CiffFile(onlyInner)), kOctober2004);
}

TEST(CiffWalk, OnlyKinds28And30AreHeaps) {
  CiffHeap inner;
  inner.Record(0x180E, CaptureTimeData(kOctober2004));
  CiffHeap root;
  root.Heap(0x2804, inner);
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), kOctober2004);
  CiffHeap notAHeap;
  notAHeap.Heap(0x3100, inner);
  EXPECT_EQ(ReadCaptureTime(CiffFile(notAHeap)), -1);
}

TEST(CiffWalk, AStoredTimeIsUnsigned) {
  CiffHeap root;
  root.Record(0x180E, Le32(0x80000000u));
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), int64_t{0x80000000});
}

TEST(CiffWalk, ATimeRecordPastTheEndKeepsMinusOne) {
  CiffHeap root;
  root.RawRecord(0x180E, 4, 0x7FFFFF00);
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), -1);
}

TEST(CiffWalk, ATimeCutByTheEndReplacesOnlyTheBytesThere) {
  // The record's data start two bytes before the end of the file: the
  // directory offset's last two bytes, 0x0000, replace the low half of -1.
  CiffHeap root;
  std::string heap = root.RawRecord(0x180E, 4, 0).Build();
  root = CiffHeap();
  root.RawRecord(0x180E, 4, static_cast<uint32_t>(heap.size() - 2));
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), static_cast<int32_t>(0xFFFF0000u));
}

TEST(CiffWalk, ShortAndEmptyFilesHaveNoTime) {
  std::string whole = CiffFile(CameraLikeRoot(kOctober2004));
  EXPECT_EQ(ReadCaptureTime(""), -1);
  EXPECT_EQ(ReadCaptureTime("II"), -1);
  EXPECT_EQ(ReadCaptureTime(whole.substr(0, 13)), -1);
  for (size_t cut = 14; cut < whole.size(); cut += 7) EXPECT_EQ(ReadCaptureTime(whole.substr(0, cut)), -1) << cut;
}

TEST(CiffWalk, HeaderLengthPastTheEndIsSafe) {
  std::string file = CiffFile(CameraLikeRoot(kOctober2004));
  file.replace(2, 4, Le32(0xFFFFFFF0u));  // header length
  EXPECT_EQ(ReadCaptureTime(file), -1);
}

TEST(CiffWalk, AHeapThatContainsItselfIsNotWalkedAgain) {
  // A nested record whose range is its own heap's: refused, so the walk
  // ends instead of recursing without end.
  std::string probe = CiffHeap().RawRecord(0x300A, 0, 0).Build();
  CiffHeap root;
  root.RawRecord(0x300A, static_cast<uint32_t>(probe.size()), 0).Record(0x180E, CaptureTimeData(kOctober2004));
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), kOctober2004);
}

TEST(CiffWalk, DeepNestingIsCut) {
  CiffHeap heap;
  heap.Record(0x180E, CaptureTimeData(kOctober2004));
  for (int depth = 0; depth < 200; ++depth) {
    CiffHeap outer;
    outer.Heap(0x300A, heap);
    heap = outer;
  }
  EXPECT_EQ(ReadCaptureTime(CiffFile(heap)), -1);
}

TEST(CiffWalk, HostileCountsAndFanOutEndQuickly) {
  // Every record of a long directory points back at the directory's heap,
  // and the count claims more records than the file holds.
  CiffHeap inner;
  for (int i = 0; i < 300; ++i) inner.RawRecord(0x300A, 0x600, 0);
  inner.Count(0xFFFF);
  CiffHeap root;
  for (int i = 0; i < 300; ++i) root.Heap(0x300A, inner);
  auto begin = std::chrono::steady_clock::now();
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), -1);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
}

TEST(CiffWalk, OverflowingOffsetsReadNothingAndTheWalkGoesOn) {
  CiffHeap root;
  root.RawRecord(0x080A, 20, 0xFFFFFFFFu)
      .RawRecord(0x300A, 0xFFFFFFFFu, 0xFFFFFFF0u)
      .Record(0x180E, CaptureTimeData(kOctober2004));
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), kOctober2004);
  root.DirectoryOffset(0xFFFFFFF0u);
  EXPECT_EQ(ReadCaptureTime(CiffFile(root)), -1);
}

}  // namespace
}  // namespace kirabo
