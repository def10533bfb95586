#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>

#include "JobHarness.h"
#include "TempFolder.h"
#include "engine/FolderScanner.h"

namespace kirabo::test {
namespace {

// Folders held in memory, listed in the order given, so that the scan's own
// order can be told apart from the platform's name order.
class ListedFileSystem : public JobFileSystem {
 public:
  std::function<void(const std::string& folder)> onList;

  // `entries`: names in listing order; a trailing "/" marks a folder.
  void Add(const std::string& folder, const std::vector<std::string>& entries, uint64_t inode = 0) {
    FolderListing& listing = folders_[folder];
    listing.identity = {1, inode != 0 ? inode : folders_.size()};
    listing.entries = {{".", folder + "/.", true, true}, {"..", folder + "/..", true, true}};
    for (const std::string& name : entries) {
      bool isFolder = name.back() == '/';
      std::string plain = isFolder ? name.substr(0, name.size() - 1) : name;
      listing.entries.push_back({plain, folder + "/" + plain, false, isFolder});
    }
  }
  bool ListFolder(const std::string& folder, FolderListing& listing) override {
    if (onList) onList(folder);
    auto found = folders_.find(folder);
    if (found == folders_.end()) return false;
    listing = found->second;
    return true;
  }
  // No links: a folder's path is its resolved path.
  bool ResolveFolder(const std::string& folder, std::string& resolved) override {
    resolved = folder;
    return folders_.contains(folder);
  }
  RenameResult Rename(const std::string&, const std::string&) override { return RenameOutcome::Failed; }
  bool Identify(const std::string&, FileIdentity&) override { return false; }

 private:
  std::map<std::string, FolderListing> folders_;
};

struct Scan {
  std::vector<std::string> list;
  RecordingObserver events;
  std::atomic<int32_t> state{Running};
  void Run(JobFileSystem& fileSystem, const std::string& folder) {
    CFolderScanner(fileSystem, CodePage::Utf8).CollectRawFiles(folder, list, &events, state);
  }
};

TEST(FolderScanner, KeepsRawFilesInListingOrderWithSubFoldersInPlace) {
  ListedFileSystem fs;
  fs.Add("/A", {"1.CRW", "B/", "3.CRW", "IMG_0001.THM", "IMG_0001.JPG", "CRW", "IMG_0001.CRW.bak", "img.crw",
                "Trip.CRW/", "x.Cr2", "y.cR3", "z.CR4"});
  fs.Add("/A/B", {"2.CRW"});
  fs.Add("/A/Trip.CRW", {"4.cR2", "notes"});
  Scan scan;
  scan.Run(fs, "/A");
  EXPECT_EQ(scan.list, (std::vector<std::string>{"/A/1.CRW", "/A/B/2.CRW", "/A/3.CRW", "/A/img.crw",
                                                 "/A/Trip.CRW/4.cR2", "/A/x.Cr2", "/A/y.cR3"}));
  EXPECT_EQ(scan.events.Events(), (std::vector<std::string>{"search /A", "search /A/B", "search /A/Trip.CRW"}));
}

TEST(FolderScanner, FolderThatCannotBeListedShowsItsTextAndGivesNothing) {
  ListedFileSystem fs;
  Scan scan;
  scan.Run(fs, "/missing");
  EXPECT_TRUE(scan.list.empty());
  EXPECT_EQ(scan.events.Events(), std::vector<std::string>{"search /missing"});
}

TEST(FolderScanner, FolderReachedTwiceIsWalkedOnce) {
  ListedFileSystem fs;
  fs.Add("/A", {"link/", "sub/"});
  fs.Add("/A/link", {"1.CRW", "up/"}, 50);
  fs.Add("/A/link/up", {"2.CRW", "link/"}, 60);
  fs.Add("/A/link/up/link", {"1.CRW"}, 50);  // the same folder as /A/link
  fs.Add("/A/sub", {"3.CRW"}, 50);
  Scan scan;
  scan.Run(fs, "/A");
  EXPECT_EQ(scan.list, (std::vector<std::string>{"/A/link/1.CRW", "/A/link/up/2.CRW"}));
}

TEST(FolderScanner, StopInDeepFolderEndsEveryLevelAndKeepsWhatWasFound) {
  ListedFileSystem fs;
  Scan scan;
  fs.Add("/A", {"1.CRW", "B/", "9.CRW"});
  fs.Add("/A/B", {"C/", "8.CRW"});
  fs.Add("/A/B/C", {"7.CRW"});
  fs.onList = [&](const std::string& folder) {
    if (folder == "/A/B/C") scan.state.store(StopRequested);
  };
  scan.Run(fs, "/A");
  EXPECT_EQ(scan.list, std::vector<std::string>{"/A/1.CRW"});
  EXPECT_EQ(scan.state.load(), StopRequested);
}

// On the real file system: the folder as given is shown first, and collected
// paths are absolute with one separator.
TEST(FolderScannerOnDisk, TrailingSeparatorAndRelativeFolder) {
  TempFolder tree;
  tree.Write("photos/IMG_0001.CRW", "");
  tree.Write("photos/2004/IMG_0002.CRW", "");

  Scan withSeparator;
  withSeparator.Run(RealFileSystem(), tree.Path("photos/"));
  std::vector<std::string> expected{tree.Path("photos/2004/IMG_0002.CRW"), tree.Path("photos/IMG_0001.CRW")};
  EXPECT_EQ(withSeparator.list, expected);
  std::vector<std::string> searched = withSeparator.events.Events();
  ASSERT_GE(searched.size(), 2u);
  EXPECT_EQ(searched[0], "search " + tree.Path("photos/"));
  EXPECT_EQ(searched[1], "search " + tree.Path("photos/2004"));

  Scan relative;
  {
    CurrentFolder inside(tree.root());
    relative.Run(RealFileSystem(), "photos");
  }
  EXPECT_EQ(relative.list, expected);
  searched = relative.events.Events();
  ASSERT_GE(searched.size(), 2u);
  EXPECT_EQ(searched[0], "search photos");
  EXPECT_EQ(searched[1], "search " + tree.Path("photos/2004"));
}

}  // namespace
}  // namespace kirabo::test
