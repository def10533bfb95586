#include "platform/Folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace kirabo {
namespace {

using test::CurrentFolder;
using test::TempFolder;

std::vector<std::string> Names(const CFolder& folder) {
  std::vector<FolderItem> items;
  int error = 0;
  EXPECT_TRUE(folder.List(items, error)) << error;
  std::vector<std::string> names;
  for (const FolderItem& item : items) names.push_back(item.name + (item.isFolder ? "/" : item.isLink ? "@" : ""));
  return names;
}

TEST(Folder, ListsNamesIgnoringLetterCaseTiesByBytesAndLinksApartFromFolders) {
  TempFolder temp;
  for (const char* name : {"b", "a", "C", "A", "_x", "AB"}) temp.Write(name, "");
  temp.MakeFolder("folder");
  ASSERT_EQ(::symlink("folder", temp.Path("linkToFolder").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", temp.Path("dangling").c_str()), 0);
  CFolder folder;
  int error = 0;
  ASSERT_TRUE(folder.Open(temp.root(), error));
  // Upper-case comparison puts '_' after the letters, as NTFS lists names.
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"A", "a", "AB", "b", "C", "dangling@", "folder/",
                                                     "linkToFolder@", "_x"}));
}

// The chosen folder may be reached through a link; an entry below it only as
// a folder of its own.
TEST(Folder, OpenFollowsLinksOpenInRefusesThem) {
  TempFolder temp;
  temp.MakeFolder("real");
  temp.Write("file", "");
  ASSERT_EQ(::symlink("real", temp.Path("link").c_str()), 0);
  struct stat real {};
  ASSERT_EQ(::stat(temp.Path("real").c_str(), &real), 0);
  CFolder viaLink, top, sub;
  int error = 0;
  ASSERT_TRUE(viaLink.Open(temp.Path("link"), error));
  EXPECT_EQ(viaLink.Device(), real.st_dev);
  EXPECT_EQ(viaLink.Inode(), real.st_ino);
  ASSERT_TRUE(top.Open(temp.root(), error));
  EXPECT_TRUE(sub.OpenIn(top, "real", error));
  EXPECT_EQ(sub.Inode(), real.st_ino);
  struct Refusal {
    const char* name;
    int error;
  };
  for (const Refusal& refused : {Refusal{"link", ENOTDIR}, Refusal{"file", ENOTDIR}, Refusal{"missing", ENOENT}}) {
    EXPECT_FALSE(sub.OpenIn(top, refused.name, error)) << refused.name;
    EXPECT_EQ(error, refused.error) << refused.name;
    EXPECT_FALSE(sub.IsOpen());
  }
}

// A held folder stays the folder it was, wherever it is moved and whatever
// takes its name.
TEST(Folder, HeldFolderIsNotLedElsewhereBySwap) {
  TempFolder temp;
  temp.Write("tree/shared/mine", "");
  temp.Write("victim/theirs", "");
  CFolder tree, shared;
  int error = 0;
  ASSERT_TRUE(tree.Open(temp.Path("tree"), error));
  ASSERT_TRUE(shared.OpenIn(tree, "shared", error));
  std::filesystem::rename(temp.Path("tree/shared"), temp.Path("tree/shared.old"));
  std::filesystem::create_directory_symlink("../victim", temp.Path("tree/shared"));
  EXPECT_EQ(Names(shared), std::vector<std::string>{"mine"});
  CFolder again;
  EXPECT_FALSE(again.OpenIn(tree, "shared", error));
}

TEST(Folder, EveryFormOfAPathGivesTheSameLexicalAbsolute) {
  TempFolder temp;
  temp.MakeFolder("x/y");
  CurrentFolder inside(temp.root());
  const std::string root = temp.Path("x");
  std::string longDetour = root;
  for (int i = 0; i < 1500; ++i) longDetour += "/y/..";  // longer than PATH_MAX until resolved
  for (const std::string& folder : {root, root + "/", temp.root() + "//x//", root + "/./y/../y/..", std::string("x"),
                                    std::string("x/"), std::string("./x/./y/.."),
                                    "../" + std::filesystem::path(temp.root()).filename().string() + "/x",
                                    longDetour}) {
    std::string absolute;
    ASSERT_TRUE(MakeLexicalAbsolute(folder, absolute));
    EXPECT_EQ(absolute, root) << folder;
  }
  for (const char* top : {"/", "//", "/.."}) {
    std::string absolute;
    ASSERT_TRUE(MakeLexicalAbsolute(top, absolute));
    EXPECT_EQ(absolute, "/");
  }
}

}  // namespace
}  // namespace kirabo
