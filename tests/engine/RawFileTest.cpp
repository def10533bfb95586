#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "RawFileBuilder.h"
#include "engine/RawFile.h"

namespace kirabo {
namespace {

using test::Le16;
using test::Le32;
using test::TempFile;

TEST(File, OpensOnlyRegularFiles) {
  CFile file;
  EXPECT_FALSE(file.Open("/nonexistent/IMG_0001.CRW"));
  TempFile temp("x");
  std::string folder = temp.path().substr(0, temp.path().rfind('/'));
  EXPECT_FALSE(file.Open(folder));
  // A FIFO with a raw file's name must be refused without blocking.
  std::string fifo = folder + "/FIFO.CRW";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(file.Open(fifo));
  EXPECT_TRUE(file.Open(temp.path()));
  EXPECT_EQ(file.GetLength(), 1);
}

TEST(File, ReadsPastTheEndAndSeeks) {
  TempFile temp("abcdef");
  CFile file;
  ASSERT_TRUE(file.Open(temp.path()));
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
  TempFile temp(std::string(20000, 'x'));
  CFile file;
  ASSERT_TRUE(file.Open(temp.path()));
  uint64_t before = CFile::SystemReadCount();
  char c;
  for (int i = 0; i < 1000; ++i) file.Read(&c, 1);
  EXPECT_EQ(CFile::SystemReadCount() - before, 1u);
}

TEST(RawFile, ReadsLittleEndianWithMissingBytesAsZero) {
  TempFile temp(Le16(0x1234) + Le32(0xA1B2C3D4) + "\x7F");
  CRawFile file;
  ASSERT_TRUE(file.Open(temp.path()));
  EXPECT_EQ(file.Read16(), 0x1234);
  EXPECT_EQ(file.Read32(), 0xA1B2C3D4u);
  EXPECT_EQ(file.Read32(), 0x7Fu);  // one byte left
  EXPECT_EQ(file.Read16(), 0u);
}

TEST(RawFile, ReadStringLeavesThePositionPastTheNul) {
  TempFile temp(std::string("Canon\0Canon EOS 10D\0tail", 25) + std::string(80, 'z'));
  CRawFile file;
  ASSERT_TRUE(file.Open(temp.path()));
  EXPECT_EQ(file.ReadString(), "Canon");
  EXPECT_EQ(file.GetPosition(), 6);
  EXPECT_EQ(file.ReadString(), "Canon EOS 10D");
  EXPECT_EQ(file.GetPosition(), 20);
}

TEST(RawFile, ReadStringWithoutNulStaysInsideItsWindow) {
  TempFile temp(std::string(200, 'A'));
  CRawFile file;
  ASSERT_TRUE(file.Open(temp.path()));
  EXPECT_EQ(file.ReadString(), std::string(64, 'A'));
}

TEST(RawFile, ReadStringAtTheEndOfAShortFile) {
  TempFile temp("ab");
  CRawFile file;
  ASSERT_TRUE(file.Open(temp.path()));
  EXPECT_EQ(file.ReadString(), "ab");
  // The backward move would give a negative position: the reader parks past
  // the end instead, so what follows reads nothing.
  EXPECT_EQ(file.Read16(), 0u);
}

TEST(RawFile, NegativeSeeksReadNothing) {
  TempFile temp("abcdef");
  CRawFile file;
  ASSERT_TRUE(file.Open(temp.path()));
  file.SeekTo(-5);
  EXPECT_EQ(file.Read32(), 0u);
  file.SeekTo(2);
  file.SeekBy(-3);
  EXPECT_EQ(file.Read16(), 0u);
}

}  // namespace
}  // namespace kirabo
