#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "JobHarness.h"
#include "TempFolder.h"
#include "engine/FolderScanner.h"

namespace kirabo::test {
namespace {

TEST(FolderScannerOnDisk, LinkBackUpTheTreeIsWalkedOnce) {
  TempFolder tree;
  tree.Write("photos/IMG_0001.CRW", "");
  tree.Write("photos/2004/IMG_0002.CRW", "");
  std::filesystem::create_directory_symlink("..", tree.Path("photos/2004/loop"));
  std::vector<std::string> list;
  RecordingTarget label;
  std::atomic<int32_t> state{Running};
  CFolderScanner(RealFileSystem(), CodePage::Utf8).CollectRawFiles(tree.Path("photos"), list, &label, state);
  EXPECT_EQ(list, (std::vector<std::string>{tree.Path("photos/2004/IMG_0002.CRW"), tree.Path("photos/IMG_0001.CRW")}));
}

}  // namespace
}  // namespace kirabo::test
