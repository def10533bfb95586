#include <gtest/gtest.h>

#include <system_error>

#include "TempFolder.h"
#include "engine/JobFileSystem.h"

namespace kirabo {
namespace {

using test::TempFolder;

TEST(RealFileSystem, OpensListsAndIdentifiesFoldersHeldOpen) {
  TempFolder temp;
  temp.MakeFolder("photos/2004");
  temp.Write("photos/IMG_0001.CRW", "raw");
  std::string reason;
  std::unique_ptr<JobFolder> photos = RealFileSystem().OpenTree(temp.Path("photos/"), reason);
  ASSERT_TRUE(photos) << reason;
  std::unique_ptr<JobFolder> same = RealFileSystem().OpenTree(temp.Path("photos/2004/.."), reason);
  std::unique_ptr<JobFolder> sub = photos->OpenFolder("2004", reason);
  ASSERT_TRUE(same && sub);
  EXPECT_EQ(photos->Identity(), same->Identity());
  EXPECT_NE(photos->Identity(), sub->Identity());
  std::vector<FolderItem> items;
  ASSERT_TRUE(photos->List(items, reason));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].name, "2004");
  EXPECT_TRUE(items[0].isFolder);
  EXPECT_EQ(items[1].name, "IMG_0001.CRW");
  EXPECT_FALSE(items[1].isFolder);
  CFile file;
  EXPECT_TRUE(photos->OpenFile("IMG_0001.CRW", file));
  EXPECT_EQ(file.GetLength(), 3);

  EXPECT_FALSE(RealFileSystem().OpenTree(temp.Path("missing"), reason));
  EXPECT_FALSE(photos->OpenFolder("IMG_0001.CRW", reason));
  EXPECT_FALSE(photos->OpenFolder("missing", reason));
  // ENOENT, or ERROR_FILE_NOT_FOUND on Windows; both are 2.
  EXPECT_EQ(reason, std::system_category().message(2));
}

TEST(RealFileSystem, RenameReportsEachOutcome) {
  TempFolder temp;
  temp.Write("a.CRW", "");
  temp.Write("taken.CRW", "");
  std::string reason;
  std::unique_ptr<JobFolder> folder = RealFileSystem().OpenTree(temp.root(), reason);
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->Rename("a.CRW", "taken.CRW", nullptr).outcome, RenameOutcome::NameTaken);
  EXPECT_EQ(folder->PredictRename("a.CRW").outcome, RenameOutcome::Renamed);
  EXPECT_EQ(folder->Rename("a.CRW", "b.CRW", nullptr).outcome, RenameOutcome::Renamed);
  RenameResult gone = folder->Rename("a.CRW", "c.CRW", nullptr);
  EXPECT_EQ(gone.outcome, RenameOutcome::Failed);
  EXPECT_EQ(gone.reason, std::system_category().message(2));
  EXPECT_EQ(folder->PredictRename("a.CRW").reason, gone.reason);
  EXPECT_EQ(temp.Names(), (std::vector<std::string>{"b.CRW", "taken.CRW"}));
}

}  // namespace
}  // namespace kirabo
