#include <gtest/gtest.h>

#include <system_error>

#include "TempFolder.h"
#include "engine/JobFileSystem.h"

namespace kirabo {
namespace {

using test::TempFolder;

TEST(RealFileSystem, ListsAFolderGivenWithATrailingSeparator) {
  TempFolder temp;
  temp.MakeFolder("photos/2004");
  temp.Write("photos/IMG_0001.CRW", "");
  FolderListing listing;
  ASSERT_TRUE(RealFileSystem().ListFolder(temp.Path("photos/"), listing));
  FolderListing sameFolder, subFolder;
  ASSERT_TRUE(RealFileSystem().ListFolder(temp.Path("photos/2004/.."), sameFolder));
  ASSERT_TRUE(RealFileSystem().ListFolder(temp.Path("photos/2004"), subFolder));
  EXPECT_EQ(listing.identity, sameFolder.identity);
  EXPECT_NE(listing.identity, subFolder.identity);
  ASSERT_EQ(listing.entries.size(), 4u);
  EXPECT_TRUE(listing.entries[0].isDots);
  EXPECT_EQ(listing.entries[2].path, temp.Path("photos/2004"));
  EXPECT_TRUE(listing.entries[2].isDirectory);
  EXPECT_EQ(listing.entries[3].name, "IMG_0001.CRW");
  EXPECT_EQ(listing.entries[3].path, temp.Path("photos/IMG_0001.CRW"));
  EXPECT_FALSE(listing.entries[3].isDirectory);
  EXPECT_FALSE(RealFileSystem().ListFolder(temp.Path("missing"), listing));
}

TEST(RealFileSystem, RenameReportsEachOutcome) {
  TempFolder temp;
  temp.Write("a.CRW", "");
  temp.Write("taken.CRW", "");
  EXPECT_EQ(RealFileSystem().Rename(temp.Path("a.CRW"), temp.Path("taken.CRW")).outcome, RenameOutcome::NameTaken);
  EXPECT_EQ(RealFileSystem().Rename(temp.Path("a.CRW"), temp.Path("b.CRW")).outcome, RenameOutcome::Renamed);
  RenameResult gone = RealFileSystem().Rename(temp.Path("a.CRW"), temp.Path("c.CRW"));
  EXPECT_EQ(gone.outcome, RenameOutcome::Failed);
  // In the system's words: ENOENT, or ERROR_FILE_NOT_FOUND on Windows; both are 2.
  EXPECT_EQ(gone.reason, std::system_category().message(2));
}

}  // namespace
}  // namespace kirabo
