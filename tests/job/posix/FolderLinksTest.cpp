#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "JobHarness.h"
#include "TempFolder.h"
#include "engine/FolderScanner.h"

namespace kirabo::test {
namespace {

// Links inside the chosen tree are walked once; a link to a folder outside
// it is not followed at all, so none of its files can be renamed.
TEST(FolderScannerOnDisk, LinkOutOfTheTreeIsNotFollowed) {
  TempFolder tree;
  tree.Write("outside/1.CRW", "");
  tree.Write("chosen/sub/2.CRW", "");
  std::filesystem::create_directory_symlink("../outside", tree.Path("chosen/away"));
  std::filesystem::create_directory_symlink("sub", tree.Path("chosen/again"));
  std::filesystem::create_directory_symlink(tree.root(), tree.Path("chosen/sub/up"));

  std::vector<std::string> list;
  RecordingObserver events;
  std::atomic<int32_t> state{Running};
  CFolderScanner(RealFileSystem(), CodePage::Utf8).CollectRawFiles(tree.Path("chosen"), list, &events, state);
  EXPECT_EQ(list, std::vector<std::string>{tree.Path("chosen/again/2.CRW")});
  EXPECT_EQ(events.Events(), (std::vector<std::string>{"search " + tree.Path("chosen"),
                                                  "search " + tree.Path("chosen/again"),
                                                  "search " + tree.Path("chosen/sub")}));
}

}  // namespace
}  // namespace kirabo::test
