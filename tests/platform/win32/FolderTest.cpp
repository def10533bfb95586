#include "platform/Folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {
namespace {

using test::CurrentFolder;
using test::TempFolder;

TEST(Folder, SlashesBackslashesAndStepsGiveTheSameLexicalAbsolute) {
  TempFolder temp;
  temp.MakeFolder("x/y");
  CurrentFolder inside(temp.root());
  const std::string root = temp.Path("x");
  for (const std::string& folder : {root, root + "\\", root + "\\\\", root + "/", temp.root() + "/x//",
                                    root + "\\.\\y\\..", std::string("x"), std::string("./x/y/..")}) {
    std::string absolute;
    ASSERT_TRUE(MakeLexicalAbsolute(folder, absolute));
    EXPECT_EQ(absolute, root) << folder;
  }
  for (const char* drive : {"C:\\", "C:/", "C:\\..\\"}) {
    std::string absolute;
    ASSERT_TRUE(MakeLexicalAbsolute(drive, absolute));
    EXPECT_EQ(absolute, "C:\\") << drive;
  }
}

TEST(Folder, ListsInTheSameNameOrderAsOnLinux) {
  TempFolder temp;
  for (const char* name : {"b", "_x", "C", "AB", "a"}) temp.Write(name, "");
  temp.MakeFolder("dir");
  CFolder folder;
  int error = 0;
  ASSERT_TRUE(folder.Open(temp.root(), error));
  std::vector<FolderItem> items;
  ASSERT_TRUE(folder.List(items, error));
  std::vector<std::string> names;
  for (const FolderItem& item : items) names.push_back(item.name + (item.isFolder ? "\\" : ""));
  EXPECT_EQ(names, (std::vector<std::string>{"a", "AB", "b", "C", "dir\\", "_x"}));
}

// Paths past MAX_PATH and names that end in "." or " " (which Windows path
// functions would trim) are reached through the held folder.
TEST(Folder, ReachesLongPathsAndNamesEndingInDotOrBlank) {
  TempFolder temp;
  CFolder top;
  int error = 0;
  ASSERT_TRUE(top.Open(temp.root(), error));
  std::wstring deep = top.WidePath();
  for (int i = 0; i < 3; ++i) {
    deep += L"\\" + std::wstring(100, L'a' + i);
    ASSERT_TRUE(::CreateDirectoryW(deep.c_str(), nullptr));
  }
  ASSERT_TRUE(::CreateDirectoryW((top.WidePath() + L"\\odd.").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW((top.WidePath() + L"\\odd ").c_str(), nullptr));
  CFolder a, b, c, dot, blank;
  EXPECT_TRUE(a.OpenIn(top, std::string(100, 'a'), error));
  EXPECT_TRUE(b.OpenIn(a, std::string(100, 'b'), error));
  EXPECT_TRUE(c.OpenIn(b, std::string(100, 'c'), error));
  std::vector<FolderItem> items;
  EXPECT_TRUE(c.List(items, error));
  EXPECT_TRUE(dot.OpenIn(top, "odd.", error));
  EXPECT_TRUE(blank.OpenIn(top, "odd ", error));
  EXPECT_NE(dot.Inode(), blank.Inode());
}

// Nobody can rename a folder while it is held.
TEST(Folder, HeldFolderCannotBeRenamed) {
  TempFolder temp;
  temp.MakeFolder("tree/shared");
  CFolder tree, shared;
  int error = 0;
  ASSERT_TRUE(tree.Open(temp.Path("tree"), error));
  ASSERT_TRUE(shared.OpenIn(tree, "shared", error));
  EXPECT_FALSE(::MoveFileExA(temp.Path("tree\\shared").c_str(), temp.Path("tree\\shared.old").c_str(), 0));
  shared.Close();
  EXPECT_TRUE(::MoveFileExA(temp.Path("tree\\shared").c_str(), temp.Path("tree\\shared.old").c_str(), 0));
  EXPECT_FALSE(shared.OpenIn(tree, "shared", error));
  EXPECT_FALSE(shared.OpenIn(tree, "..", error));
}

}  // namespace
}  // namespace kirabo
