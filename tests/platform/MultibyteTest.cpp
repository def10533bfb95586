#include <gtest/gtest.h>

#include <string>

#include "platform/Multibyte.h"

namespace kirabo {
namespace {

// 表 in CP932 is 0x95 0x5C: its second byte is the ASCII backslash, which a
// byte-wise search would take for a separator.
const std::string kOmoteCp932 = "\x95\x5C";
// ソ (0x83 0x5C) has the same trail byte.
const std::string kSoCp932 = "\x83\x5C";

TEST(Multibyte, Cp932TrailBytesAreNotSeparators) {
  std::string folder = "C:\\" + kOmoteCp932;
  EXPECT_FALSE(LastCharIs(folder, '\\', CodePage::Cp932));
  EXPECT_TRUE(LastCharIs(folder, '\\', CodePage::SingleByte));  // what a byte-wise test would see
  EXPECT_TRUE(LastCharIs(folder + "\\", '\\', CodePage::Cp932));
  EXPECT_EQ(FindLastChar(folder, '\\', CodePage::Cp932), 2u);
  EXPECT_EQ(FindLastChar(folder + "\\" + kSoCp932, '\\', CodePage::Cp932), 5u);
  EXPECT_EQ(FindLastChar(kOmoteCp932 + kSoCp932, '\\', CodePage::Cp932), std::string::npos);
}

TEST(Multibyte, Cp932LeadByteTakesOnlyATrailByte) {
  struct Case {
    std::string text;  // a lead byte, then what follows it
    size_t length;     // of the character at 0
  };
  const Case cases[] = {
      {"\x83/", 1},                   // a separator
      {std::string("\x83\0", 2), 1},  // NUL
      {"\x83", 1},                    // the end of the text
      {"\x83\x3F", 1},                // just outside the trail ranges
      {"\x83\x7F", 1},
      {"\x83\xFD", 1},
      {"\x83\x5C", 2},  // '\\' after a lead byte is a trail byte
      {"\x83\x40", 2},
      {"\x83\x7E", 2},
      {"\x83\x80", 2},
      {"\xFC\xFC", 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharLength(c.text, 0, CodePage::Cp932), c.length) << testing::PrintToString(c.text);
  }
  // The separator after a folder name ending in a lead byte stays a separator.
  EXPECT_EQ(FindLastChar("/photos/album\x83/IMG_0001.CRW", '/', CodePage::Cp932), 14u);
  EXPECT_TRUE(LastCharIs("album\x83/", '/', CodePage::Cp932));
}

TEST(Multibyte, FindsTheLastDotOfTheWholeText) {
  EXPECT_EQ(FindLastChar("a.b/IMG.CRW", '.', CodePage::Utf8), 7u);
  EXPECT_EQ(FindLastChar("trip.d/CRW", '.', CodePage::Utf8), 4u);
  EXPECT_EQ(FindLastChar("none", '.', CodePage::Utf8), std::string::npos);
  EXPECT_EQ(FindLastChar("", '.', CodePage::Utf8), std::string::npos);
  EXPECT_EQ(FindLastChar(kOmoteCp932 + ".crw", '.', CodePage::Cp932), 2u);
}

TEST(Multibyte, UpperCasesAsciiLettersOnly) {
  EXPECT_EQ(UpperAscii("cr2", CodePage::Utf8), "CR2");
  EXPECT_EQ(UpperAscii("Crw", CodePage::SingleByte), "CRW");
  // The trail byte 0x61 ('a') of a CP932 character stays as it is.
  EXPECT_EQ(UpperAscii("\x83\x61x", CodePage::Cp932), "\x83\x61X");
  EXPECT_EQ(UpperAscii("\xC3\xA9t\xC3\xA9", CodePage::Utf8), "\xC3\xA9T\xC3\xA9");
}

TEST(Multibyte, Utf8SequencesAndBrokenBytes) {
  std::string text = "写真/";  // two 3-byte characters, then '/'
  EXPECT_TRUE(LastCharIs(text, '/', CodePage::Utf8));
  EXPECT_EQ(CharLength(text, 0, CodePage::Utf8), 3u);
  // A truncated sequence counts byte by byte and never swallows the '/'.
  std::string broken = "\xE5\x86/";
  EXPECT_TRUE(LastCharIs(broken, '/', CodePage::Utf8));
  EXPECT_EQ(CharLength(broken, 0, CodePage::Utf8), 1u);
  // A lead byte at the very end of a CP932 text stays inside the text.
  EXPECT_EQ(CharLength("a\x95", 1, CodePage::Cp932), 1u);
}

}  // namespace
}  // namespace kirabo
