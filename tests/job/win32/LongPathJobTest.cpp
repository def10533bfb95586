// Folders whose paths pass MAX_PATH (260 characters) are walked and their
// files renamed. The tree is made and checked through the wide functions
// with the "\\?\" prefix, independently of the code under test.

#include <gtest/gtest.h>

#include "JobHarness.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/RenameWorker.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo::test {
namespace {

std::wstring Long(const std::string& path) { return L"\\\\?\\" + std::wstring(path.begin(), path.end()); }

void WriteLong(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, bytes.size());
}

bool ExistsLong(const std::string& path) { return GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(LongPaths, FoldersPastMaxPathAreWalkedAndTheirFilesRenamed) {
  TempFolder tree;
  // Seven levels of 49 characters: the deepest folder's path passes 300.
  std::string middle, deepest = tree.root();
  for (int level = 0; level < 7; ++level) {
    deepest += "\\" + std::string(48, 'a' + level) + "d";
    ASSERT_TRUE(CreateDirectoryW(Long(deepest).c_str(), nullptr)) << deepest;
    if (level == 3) middle = deepest;
  }
  ASSERT_GT(deepest.size(), 300u);
  WriteLong(middle + "\\IMG_0001.CRW", CrwFile(kOctober2004));
  WriteLong(deepest + "\\IMG_0002.CRW", CrwFile(kOctober2004 + 1));

  RecordedJob run(tree.root(), DateAndTime);
  RenameWorkerProc(&run.job);

  EXPECT_TRUE(ExistsLong(middle + "\\041005_092510.CRW"));
  EXPECT_TRUE(ExistsLong(deepest + "\\041005_092511.CRW"));
  EXPECT_FALSE(ExistsLong(deepest + "\\IMG_0002.CRW"));
  EXPECT_EQ(run.events.Events().back(), "end completed 2 0 0 0");
}

}  // namespace
}  // namespace kirabo::test
