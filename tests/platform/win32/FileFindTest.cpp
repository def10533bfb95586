#include "platform/FileFind.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"

namespace kirabo {
namespace {

using test::CurrentFolder;
using test::TempFolder;

std::vector<std::string> PathsIn(CFileFind& finder) {
  std::vector<std::string> paths;
  bool more = true;
  while (more) {
    more = finder.FindNextFile();
    paths.push_back(finder.GetFilePath());
  }
  return paths;
}

TEST(FileFind, SlashesBackslashesAndStepsGiveTheSameRoot) {
  TempFolder temp;
  temp.MakeFolder("x/y");
  CurrentFolder inside(temp.root());
  const std::string root = temp.Path("x");
  for (const std::string& pattern : {root + "\\*.*", root + "\\\\*.*", root + "/*", temp.root() + "/x//*.*",
                                     root + "\\.\\y\\..\\*.*", std::string("x\\*.*"), std::string("./x/y/../*.*")}) {
    SCOPED_TRACE(pattern);
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(pattern));
    EXPECT_EQ(finder.GetRoot(), root);
    EXPECT_EQ(PathsIn(finder), (std::vector<std::string>{root + "\\.", root + "\\..", root + "\\y"}));
  }
}

TEST(FileFind, DriveRootKeepsOneSeparator) {
  for (const char* pattern : {"C:\\*.*", "C:/*.*", "C:\\..\\*.*"}) {
    SCOPED_TRACE(pattern);
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(pattern));
    EXPECT_EQ(finder.GetRoot(), "C:\\");
    for (const std::string& path : PathsIn(finder)) EXPECT_EQ(path.rfind('\\'), 2u) << path;
  }
}

TEST(FileFind, ListsInTheSameNameOrderAsOnLinux) {
  TempFolder temp;
  for (const char* name : {"b", "_x", "C", "AB", "a"}) temp.Write(name, "");
  CFileFind finder;
  ASSERT_TRUE(finder.FindFile(temp.root() + "\\*.*"));
  std::vector<std::string> names;
  for (const std::string& path : PathsIn(finder)) names.push_back(path.substr(temp.root().size() + 1));
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "a", "AB", "b", "C", "_x"}));
}

TEST(FileFind, RefusesWhatCannotBeListed) {
  TempFolder temp;
  temp.Write("file", "");
  temp.MakeFolder("folder");
  CFileFind finder;
  EXPECT_FALSE(finder.FindFile(temp.Path("missing") + "\\*.*"));
  EXPECT_FALSE(finder.FindFile(temp.Path("file") + "\\*.*"));
  EXPECT_FALSE(finder.FindFile(temp.Path("folder") + "\\*.CRW"));
  // The pattern must fit in the system's longest path once made absolute.
  std::string tooLong = temp.Path("folder");
  for (int level = 0; level < 170; ++level) tooLong += "\\" + std::string(200, 'a');
  EXPECT_FALSE(finder.FindFile(tooLong + "\\*.*"));
  EXPECT_TRUE(finder.FindFile(temp.Path("folder") + "\\" + std::string(260, 'a') + "\\..\\*.*"));
}

}  // namespace
}  // namespace kirabo
