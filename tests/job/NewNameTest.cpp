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
  EXPECT_EQ(NameStem(INT32_MAX, DateAndTime), "380119_031407");
}

TEST(NewName, NoStemWithoutTimeOrForUnknownFormat) {
  EXPECT_EQ(NameStem(-1, DateAndTime), std::nullopt);
  EXPECT_EQ(NameStem(0, -1), std::nullopt);
  EXPECT_EQ(NameStem(0, 2), std::nullopt);
}

TEST(NewName, CandidatesKeepFolderAndExtensionCase) {
  const std::string folder = std::string(1, kPathSeparator) + "my.photos" + kPathSeparator;
  RenameParts parts = SplitForRename(folder + "img_0001.Crw", CodePage::Utf8);
  EXPECT_EQ(CandidatePath(parts, "092510", 0), folder + "092510.Crw");
  EXPECT_EQ(CandidatePath(parts, "092510", 1), folder + "092510_1.Crw");
  EXPECT_EQ(CandidatePath(parts, "092510", 12), folder + "092510_12.Crw");
}

}  // namespace
}  // namespace kirabo::test
