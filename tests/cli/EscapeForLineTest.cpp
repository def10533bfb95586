#include <gtest/gtest.h>

#include <string>

#include "cli/ConsoleObserver.h"
#include "platform/Path.h"

namespace kirabo::cli {
namespace {

// Every byte a terminal would act on comes out as \xHH, and a backslash is
// doubled, so a printed path reads back to exactly one name.
TEST(EscapeForLine, ControlAndReorderingCharactersAreEscapedUnambiguously) {
  if (kPathSeparator == '\\') GTEST_SKIP() << "Windows prints its separator as it is";
  struct Case {
    CodePage codePage;
    std::string name;
    std::string printed;
  };
  const Case cases[] = {
      {CodePage::Utf8, "a\tb\nc\\d", "a\\tb\\nc\\\\d"},
      {CodePage::Utf8, "\x1b[2Kx\x7f", "\\x1B[2Kx\\x7F"},
      {CodePage::Utf8, "\xc2\x9b" "2K", "\\xC2\\x9B2K"},                 // U+009B, the C1 CSI
      {CodePage::Utf8, "\xc2\xa0\xc3\xa9", "\xc2\xa0\xc3\xa9"},          // U+00A0 and é stay
      {CodePage::Utf8, "\x9b" "2K\x80", "\\x9B2K\\x80"},                 // stray continuation bytes
      {CodePage::Utf8, "\xe2\x80\xae" "gpj.CRW", "\\xE2\\x80\\xAEgpj.CRW"},  // U+202E
      {CodePage::Utf8, "\xe2\x81\xa6x\xe2\x81\xa9", "\\xE2\\x81\\xA6x\\xE2\\x81\\xA9"},  // U+2066, U+2069
      {CodePage::Utf8, "\xe2\x80\xa9\xe8\xa1\xa8", "\xe2\x80\xa9\xe8\xa1\xa8"},  // U+2029 and 表 stay
      {CodePage::SingleByte, "\x9b" "2K\xe9\xa0", "\\x9B2K\xe9\xa0"},    // Latin-1: C1 escaped, é stays
      {CodePage::Cp932, "\x95\x5c\xb1\x80", "\x95\x5c\xb1\\x80"},        // 表, half-width ｱ, then no character
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeForLine(c.name, c.codePage), c.printed) << c.printed;
}

}  // namespace
}  // namespace kirabo::cli
