#include <gtest/gtest.h>

#include <string>

#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/RawFile.h"
#include "platform/FileIdentity.h"
#include "platform/Folder.h"

namespace kirabo {
namespace {

using test::Le16;
using test::Le32;
using test::TempFolder;

TEST(File, OpensOnlyRegularFiles) {
  CFile file;
  EXPECT_FALSE(file.Open("/nonexistent/IMG_0001.CRW"));
  EXPECT_NE(file.Error(), 0);  // the system said why
  TempFolder temp;
  EXPECT_FALSE(file.Open(temp.root()));
  EXPECT_TRUE(file.Open(temp.Write("IMG_0001.CRW", "x")));
  EXPECT_EQ(file.GetLength(), 1);
  EXPECT_EQ(file.Error(), 0);
}

TEST(File, ReadsPastTheEndAndSeeks) {
  TempFolder temp;
  CFile file;
  ASSERT_TRUE(file.Open(temp.Write("IMG_0001.CRW", "abcdef")));
  char buffer[8] = {};
  EXPECT_EQ(file.Read(buffer, 4), 4u);
  EXPECT_EQ(file.Read(buffer, 4), 2u);  // short read at the end
  EXPECT_EQ(file.Read(buffer, 4), 0u);
  EXPECT_TRUE(file.Seek(100));  // past the end is allowed
  EXPECT_EQ(file.Read(buffer, 4), 0u);
  EXPECT_FALSE(file.Seek(-1));
  EXPECT_EQ(file.GetPosition(), 100);
  EXPECT_TRUE(file.Seek(1));
  EXPECT_TRUE(file.SeekRelative(2));
  EXPECT_FALSE(file.SeekRelative(-4));
  EXPECT_EQ(file.Read(buffer, 1), 1u);
  EXPECT_EQ(buffer[0], 'd');
}

TEST(File, SmallReadsShareOneSystemRead) {
  TempFolder temp;
  CFile file;
  ASSERT_TRUE(file.Open(temp.Write("IMG_0001.CRW", std::string(20000, 'x'))));
  uint64_t before = CFile::SystemReadCount();
  char c;
  for (int i = 0; i < 1000; ++i) file.Read(&c, 1);
  EXPECT_EQ(CFile::SystemReadCount() - before, 1u);
}

// A walk between a directory at one end of the file and its values at the
// other reads each block once; a third place takes the block used longer ago.
TEST(File, KeepsTheTwoBlocksLastReadFrom) {
  TempFolder temp;
  std::string bytes(30000, 'x');
  bytes[0] = 'a';
  bytes[12000] = 'b';
  bytes[25000] = 'c';
  CFile file;
  ASSERT_TRUE(file.Open(temp.Write("IMG_0001.CRW", bytes)));
  struct Step {
    int64_t at;
    char expected;
    uint64_t readsSoFar;
  };
  const Step steps[] = {{0, 'a', 1}, {12000, 'b', 2}, {0, 'a', 2}, {12000, 'b', 2},
                        {25000, 'c', 3}, {12000, 'b', 3}, {0, 'a', 4}};
  uint64_t before = CFile::SystemReadCount();
  for (const Step& step : steps) {
    char c = 0;
    ASSERT_TRUE(file.Seek(step.at));
    EXPECT_EQ(file.Read(&c, 1), 1u);
    EXPECT_EQ(c, step.expected) << step.at;
    EXPECT_EQ(CFile::SystemReadCount() - before, step.readsSoFar) << step.at;
  }
}

TEST(File, TellsTheIdentityItsNameHas) {
  TempFolder temp;
  std::string path = temp.Write("IMG_0001.CRW", "abc");
  CFolder folder;
  int error = 0;
  ASSERT_TRUE(folder.Open(temp.root(), error));
  FileIdentity atName;
  ASSERT_TRUE(IdentifyFileIn(folder, "IMG_0001.CRW", atName));
  CFile file;
  FileIdentity opened;
  EXPECT_FALSE(file.Identify(opened));  // nothing open
  ASSERT_TRUE(file.OpenIn(folder, "IMG_0001.CRW"));
  ASSERT_TRUE(file.Identify(opened));
  EXPECT_TRUE(opened.SameFileAndSize(atName));
  EXPECT_EQ(opened.modified, atName.modified);
  file.Close();
  EXPECT_FALSE(file.Identify(opened));
}

TEST(RawFile, ReadsLittleEndianWithMissingBytesAsZero) {
  TempFolder temp;
  CRawFile file;
  ASSERT_TRUE(file.Open(temp.Write("IMG_0001.CRW", Le16(0x1234) + Le32(0xA1B2C3D4) + "\x7F")));
  EXPECT_EQ(file.Read16(), 0x1234);
  EXPECT_EQ(file.Read32(), 0xA1B2C3D4u);
  EXPECT_EQ(file.Read32(), 0x7Fu);  // one byte left
  EXPECT_EQ(file.Read16(), 0u);
}

TEST(RawFile, ReadStringLeavesThePositionPastTheNul) {
  TempFolder temp;
  std::string bytes = std::string("Canon\0Canon EOS 10D\0tail", 25) + std::string(80, 'z');
  CRawFile file;
  ASSERT_TRUE(file.Open(temp.Write("IMG_0001.CRW", bytes)));
  EXPECT_EQ(file.ReadString(), "Canon");
  EXPECT_EQ(file.GetPosition(), 6);
  EXPECT_EQ(file.ReadString(), "Canon EOS 10D");
  EXPECT_EQ(file.GetPosition(), 20);
}

TEST(RawFile, ReadStringWithoutNulStaysInsideItsWindow) {
  TempFolder temp;
  CRawFile file;
  ASSERT_TRUE(file.Open(temp.Write("IMG_0001.CRW", std::string(200, 'A'))));
  EXPECT_EQ(file.ReadString(), std::string(64, 'A'));
}

TEST(RawFile, ReadStringAtTheEndOfAShortFile) {
  TempFolder temp;
  CRawFile file;
  ASSERT_TRUE(file.Open(temp.Write("IMG_0001.CRW", "ab")));
  EXPECT_EQ(file.ReadString(), "ab");
  // The backward move would give a negative position: the reader parks past
  // the end instead, so what follows reads nothing.
  EXPECT_EQ(file.Read16(), 0u);
}

TEST(RawFile, NegativeSeeksReadNothing) {
  TempFolder temp;
  CRawFile file;
  ASSERT_TRUE(file.Open(temp.Write("IMG_0001.CRW", "abcdef")));
  file.SeekTo(-5);
  EXPECT_EQ(file.Read32(), 0u);
  file.SeekTo(2);
  file.SeekBy(-3);
  EXPECT_EQ(file.Read16(), 0u);
}

}  // namespace
}  // namespace kirabo
