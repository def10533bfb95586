#include <gtest/gtest.h>

#include "RawFileBuilder.h"
#include "engine/NewName.h"
#include "engine/RenameJob.h"
#include "platform/Path.h"

namespace kirabo::test {
namespace {

TEST(NewName, StemsAcrossCenturyAndEpochBoundaries) {
  EXPECT_EQ(NameStem(0, DateAndTime), "700101_000000");
  EXPECT_EQ(NameStem(UtcSeconds(1999, 12, 31, 23, 59, 59), DateAndTime), "991231_235959");
  EXPECT_EQ(NameStem(UtcSeconds(2000, 1, 1, 0, 0, 0), DateAndTime), "000101_000000");
  EXPECT_EQ(NameStem(UtcSeconds(2004, 10, 5, 9, 25, 10), DateAndTime), "041005_092510");
  EXPECT_EQ(NameStem(UtcSeconds(2004, 10, 5, 9, 25, 10), TimeOnly), "092510");
}

TEST(NewName, FilesNameTheirTimesUpTo2099Or2106) {
  struct Case {
    const char* what;
    std::string file;
    std::optional<std::string> stem;
  };
  const Case cases[] = {
      {"CRW, last signed 32-bit second", CrwFile(0x7FFFFFFF), "380119_031407"},
      {"CRW, top bit set", CrwFile(0x80000000), "380119_031408"},
      {"CRW, end of 2099", CrwFile(UtcSeconds(2099, 12, 31, 23, 59, 59)), "991231_235959"},
      {"CRW, last unsigned 32-bit second", CrwFile(0xFFFFFFFF), "060207_062815"},
      {"CR2, 2038", Cr2File("2038:01:19 03:14:08"), "380119_031408"},
      {"CR2, 2040", Cr2File("2040:02:29 12:00:00"), "400229_120000"},
      {"CR2, end of 2099", Cr2File("2099:12:31 23:59:59"), "991231_235959"},
      {"CR2, 2100", Cr2File("2100:01:01 00:00:00"), std::nullopt},
      {"CR2, 2106", Cr2File("2106:02:07 06:28:15"), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(NameStem(ReadCaptureTime(c.file), DateAndTime), c.stem) << c.what;
}

TEST(NewName, NoStemWithoutTimeOrForUnknownFormat) {
  EXPECT_EQ(NameStem(-1, DateAndTime), std::nullopt);
  EXPECT_EQ(NameStem(0, -1), std::nullopt);
  EXPECT_EQ(NameStem(0, 2), std::nullopt);
}

TEST(NewName, CandidatesKeepFolderAndExtensionCase) {
  const std::string folder = std::string(1, kPathSeparator) + "my.photos" + kPathSeparator;
  RenameParts parts = SplitForRename(folder + "img_0001.Crw", CodePage::Utf8);
  EXPECT_EQ(parts.folderPrefix + CandidateName("092510", parts.extension, 0), folder + "092510.Crw");
  EXPECT_EQ(parts.folderPrefix + CandidateName("092510", parts.extension, 1), folder + "092510_1.Crw");
  EXPECT_EQ(parts.folderPrefix + CandidateName("092510", parts.extension, 12), folder + "092510_12.Crw");
}

}  // namespace
}  // namespace kirabo::test
