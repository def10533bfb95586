#include "platform/FileFind.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "TempFolder.h"

namespace kirabo {
namespace {

using test::CurrentFolder;
using test::TempFolder;

struct Found {
  std::string name;
  std::string path;
  bool isDots;
  bool isDirectory;
};

std::vector<Found> ListAll(CFileFind& finder) {
  std::vector<Found> found;
  bool more = true;
  while (more) {
    more = finder.FindNextFile();
    found.push_back({std::string(finder.GetFileName()), finder.GetFilePath(), finder.IsDots(), finder.IsDirectory()});
  }
  return found;
}

std::vector<std::string> NamesIn(const std::string& pattern) {
  CFileFind finder;
  std::vector<std::string> names;
  if (!finder.FindFile(pattern)) return names;
  for (const Found& entry : ListAll(finder)) names.push_back(entry.name);
  return names;
}

TEST(FileFind, ListsDotsFirstThenNamesIgnoringLetterCaseTiesByBytes) {
  TempFolder temp;
  for (const char* name : {"b", "a", "C", "A", "_x", "AB"}) temp.Write(name, "");
  // Upper-case comparison puts '_' after the letters, as NTFS lists names.
  EXPECT_EQ(NamesIn(temp.root() + "/*.*"), (std::vector<std::string>{".", "..", "A", "a", "AB", "b", "C", "_x"}));
}

TEST(FileFind, FetchesEachEntryOnceAndStaysOnTheLast) {
  TempFolder temp;
  temp.Write("only", "");
  CFileFind finder;
  ASSERT_TRUE(finder.FindFile(temp.root() + "/*"));
  EXPECT_EQ(finder.GetFileName(), "");  // nothing fetched yet
  EXPECT_TRUE(finder.FindNextFile());
  EXPECT_TRUE(finder.IsDots());
  EXPECT_TRUE(finder.FindNextFile());
  EXPECT_FALSE(finder.FindNextFile());
  EXPECT_EQ(finder.GetFileName(), "only");
  EXPECT_FALSE(finder.FindNextFile());
  EXPECT_EQ(finder.GetFileName(), "only");
  finder.Close();
  EXPECT_EQ(finder.GetFilePath(), "");
  EXPECT_FALSE(finder.FindNextFile());
}

TEST(FileFind, TellsFoldersAndLinksToFoldersFromFiles) {
  TempFolder temp;
  temp.MakeFolder("folder");
  temp.Write("file", "");
  ASSERT_EQ(::symlink("folder", temp.Path("linkToFolder").c_str()), 0);
  ASSERT_EQ(::symlink("file", temp.Path("linkToFile").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", temp.Path("dangling").c_str()), 0);
  CFileFind finder;
  ASSERT_TRUE(finder.FindFile(temp.root() + "/*.*"));
  std::vector<std::string> folders, others;
  for (const Found& entry : ListAll(finder)) {
    if (!entry.isDots) (entry.isDirectory ? folders : others).push_back(entry.name);
  }
  EXPECT_EQ(folders, (std::vector<std::string>{"folder", "linkToFolder"}));
  EXPECT_EQ(others, (std::vector<std::string>{"dangling", "file", "linkToFile"}));
}

TEST(FileFind, EveryFormOfAFolderGivesTheSameRootAndOneSeparator) {
  TempFolder temp;
  temp.MakeFolder("x/y");
  CurrentFolder inside(temp.root());
  const std::string root = temp.Path("x");
  std::string longDetour = root;
  for (int i = 0; i < 1500; ++i) longDetour += "/y/..";  // longer than PATH_MAX until resolved
  for (const std::string& folder : {root, root + "/", temp.root() + "//x//", root + "/./y/../y/..", std::string("x"),
                                    std::string("x/"), std::string("./x/./y/.."), "../" + std::filesystem::path(temp.root()).filename().string() + "/x",
                                    longDetour}) {
    SCOPED_TRACE(folder);
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(folder + "/*.*"));
    EXPECT_EQ(finder.GetRoot(), root);
    std::vector<Found> found = ListAll(finder);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[2].path, root + "/y");
  }
}

TEST(FileFind, RootFolderPathsHaveOneSeparator) {
  for (const char* pattern : {"/*.*", "//*.*", "/../*.*"}) {
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(pattern));
    EXPECT_EQ(finder.GetRoot(), "/");
    for (const Found& entry : ListAll(finder)) EXPECT_EQ(entry.path, "/" + entry.name);
  }
}

TEST(FileFind, IdentifiesTheListedFolderThroughLinks) {
  TempFolder temp;
  temp.MakeFolder("real");
  ASSERT_EQ(::symlink("real", temp.Path("link").c_str()), 0);
  struct stat real {};
  ASSERT_EQ(::stat(temp.Path("real").c_str(), &real), 0);
  for (const char* name : {"real", "link"}) {
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(temp.Path(name) + "/*.*"));
    EXPECT_EQ(finder.GetFolderDevice(), real.st_dev);
    EXPECT_EQ(finder.GetFolderInode(), real.st_ino);
  }
}

TEST(FileFind, RefusesWhatCannotBeListed) {
  TempFolder temp;
  temp.Write("file", "");
  temp.MakeFolder("folder");
  CFileFind finder;
  EXPECT_FALSE(finder.FindFile(temp.Path("missing") + "/*.*"));
  EXPECT_FALSE(finder.FindFile(temp.Path("file") + "/*.*"));
  EXPECT_FALSE(finder.FindFile(temp.Path("folder") + "/*.CRW"));  // only match-all wildcards
  EXPECT_FALSE(finder.FindFile("/" + std::string(5000, 'a') + "/*.*"));
  EXPECT_FALSE(finder.FindNextFile());
}

}  // namespace
}  // namespace kirabo
