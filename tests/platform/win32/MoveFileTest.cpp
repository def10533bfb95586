#include "platform/MoveFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {
namespace {

using test::TempFolder;

TEST(MoveFile, TellsATakenNameFromOtherFailures) {
  TempFolder temp;
  temp.Write("source", "mine");
  temp.Write("file", "theirs");
  temp.MakeFolder("emptyFolder");
  temp.Write("fullFolder/inside", "");
  struct Case {
    const char* from;
    std::string to;
    MoveResult expected;
  };
  const Case cases[] = {
      {"source", "file", MoveResult::NameTaken},         // ERROR_ALREADY_EXISTS
      {"source", "emptyFolder", MoveResult::NameTaken},  // ERROR_ALREADY_EXISTS
      {"source", "fullFolder", MoveResult::NameTaken},
      {"missing", "new", MoveResult::Failed},            // ERROR_FILE_NOT_FOUND
      {"missing", "file", MoveResult::Failed},
      {"source", "noFolder/new", MoveResult::Failed},    // ERROR_PATH_NOT_FOUND
      {"source", std::string(300, 'n'), MoveResult::Failed},
      {"source", "bad:name?", MoveResult::Failed},       // ERROR_INVALID_NAME
  };
  CFolder folder;
  int error = 0;
  ASSERT_TRUE(folder.Open(temp.root(), error));
  for (const Case& c : cases) {
    EXPECT_EQ(MoveFileNoReplace(folder, c.from, c.to), c.expected) << c.from << " -> " << c.to;
  }
  EXPECT_EQ(temp.Read("source"), "mine");
  EXPECT_EQ(temp.Read("file"), "theirs");
  EXPECT_EQ(MoveFileNoReplace(folder, "source", "free"), MoveResult::Moved);
  EXPECT_EQ(temp.Read("free"), "mine");
  EXPECT_EQ(MoveFileNoReplace(folder, "free", "free"), MoveResult::Moved);
  EXPECT_EQ(temp.Read("free"), "mine");
}

TEST(MoveFile, AFileHeldOpenElsewhereFailsWithoutTakingANewName) {
  TempFolder temp;
  std::string path = temp.Write("IMG_0001.CRW", "raw");
  HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  CFolder folder;
  int error = 0;
  ASSERT_TRUE(folder.Open(temp.root(), error));
  EXPECT_EQ(MoveFileNoReplace(folder, "IMG_0001.CRW", "041005_092510.CRW", &error), MoveResult::Failed);
  EXPECT_EQ(error, ERROR_SHARING_VIOLATION);
  ::CloseHandle(held);
  EXPECT_EQ(MoveFileNoReplace(folder, "IMG_0001.CRW", "041005_092510.CRW"), MoveResult::Moved);
}

}  // namespace
}  // namespace kirabo
