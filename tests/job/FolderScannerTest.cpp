#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <thread>

#include "JobHarness.h"
#include "TempFolder.h"
#include "engine/FolderScanner.h"
#include "platform/Folder.h"

namespace kirabo::test {
namespace {

// Folders held in memory, listed in the order given, so that the scan's own
// order can be told apart from the platform's name order.
class ListedFileSystem : public JobFileSystem {
 public:
  std::function<void(const std::string& folder)> onList;

  // `entries`: names in listing order; a trailing "/" marks a folder.
  void Add(const std::string& folder, const std::vector<std::string>& entries, uint64_t inode = 0) {
    Listed& listed = folders_[folder];
    listed.identity = {1, inode != 0 ? inode : folders_.size()};
    for (const std::string& name : entries) {
      bool isFolder = name.back() == '/';
      listed.items.push_back({isFolder ? name.substr(0, name.size() - 1) : name, isFolder});
    }
  }
  std::unique_ptr<JobFolder> OpenTree(const std::string& folder, std::string& reason) override {
    reason = "gone";
    return Open(folder);
  }
  bool ResolveFolder(const std::string&, std::string&) override { return false; }

 private:
  struct Listed {
    FolderIdentity identity;
    std::vector<FolderItem> items;
  };
  class Folder : public JobFolder {
   public:
    Folder(ListedFileSystem& owner, std::string path) : owner(owner), path(std::move(path)) {}
    FolderIdentity Identity() const override { return owner.folders_[path].identity; }
    bool List(std::vector<FolderItem>& items, std::string&) override {
      if (owner.onList) owner.onList(path);
      items = owner.folders_[path].items;
      return true;
    }
    std::unique_ptr<JobFolder> OpenFolder(const std::string& name, std::string& reason) override {
      reason = "gone";
      return owner.Open(path + "/" + name);
    }
    bool OpenFile(const std::string&, CFile&) override { return false; }
    bool Identify(const std::string&, FileIdentity&) override { return false; }
    RenameResult Rename(const std::string&, const std::string&, MoveReservation*) override {
      return RenameOutcome::Failed;
    }
    bool Remove(const std::string&, std::string&) override { return false; }
    RenameResult PredictRename(const std::string&) override { return RenameOutcome::Failed; }

   private:
    ListedFileSystem& owner;
    std::string path;
  };
  std::unique_ptr<JobFolder> Open(const std::string& path) {
    return folders_.contains(path) ? std::make_unique<Folder>(*this, path) : nullptr;
  }
  std::map<std::string, Listed> folders_;
};

// A path in the form the scan gives: absolute in the system's own way ("C:\\A"
// under wine).
std::string Abs(const std::string& path) {
  std::string absolute;
  MakeLexicalAbsolute(path, absolute);
  return absolute;
}

std::vector<std::string> Abs(const std::vector<std::string>& paths) {
  std::vector<std::string> absolute;
  for (const std::string& path : paths) absolute.push_back(Abs(path));
  return absolute;
}

struct Scan {
  ScanResult result;
  RecordingObserver events;
  std::atomic<int32_t> state{Running};
  void Run(JobFileSystem& fileSystem, const std::string& folder, int32_t threads = 1) {
    CFolderScanner(fileSystem, CodePage::Utf8, threads).CollectRawFiles(folder, result, &events, state);
  }
  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (const ScannedFile& file : result.files) paths.push_back(file.path);
    return paths;
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
  EXPECT_EQ(scan.Paths(), Abs({"/A/1.CRW", "/A/B/2.CRW", "/A/3.CRW", "/A/img.crw", "/A/Trip.CRW/4.cR2", "/A/x.Cr2",
                                "/A/y.cR3"}));
  EXPECT_EQ(scan.events.Events(),
            (std::vector<std::string>{"search /A", "search " + Abs("/A/B"), "search " + Abs("/A/Trip.CRW")}));
}

TEST(FolderScanner, FolderThatCannotBeOpenedIsReportedAndGivesNothing) {
  ListedFileSystem fs;
  Scan scan;
  scan.Run(fs, "/missing");
  EXPECT_TRUE(scan.Paths().empty());
  EXPECT_EQ(scan.events.Events(), (std::vector<std::string>{"search /missing", "unlisted /missing: gone"}));
  EXPECT_EQ(scan.result.unlistedFolders, 1u);
}

// A folder reached again (mounted again below itself) is walked once.
TEST(FolderScanner, FolderReachedTwiceIsWalkedOnce) {
  ListedFileSystem fs;
  fs.Add("/A", {"link/", "sub/"});
  fs.Add("/A/link", {"1.CRW", "up/"}, 50);
  fs.Add("/A/link/up", {"2.CRW", "link/"}, 60);
  fs.Add("/A/link/up/link", {"1.CRW"}, 50);  // the same folder as /A/link
  fs.Add("/A/sub", {"3.CRW"}, 50);
  Scan scan;
  scan.Run(fs, "/A");
  EXPECT_EQ(scan.Paths(), Abs(std::vector<std::string>{"/A/link/1.CRW", "/A/link/up/2.CRW"}));
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
  EXPECT_EQ(scan.Paths(), Abs(std::vector<std::string>{"/A/1.CRW"}));
  EXPECT_EQ(scan.state.load(), StopRequested);
}

// Sub-folders listed ahead on several threads change nothing the walk finds
// or reports, in a tree wider than the listings hold at once, with folders
// that cannot be opened and one reached twice; and siblings are listed at once.
TEST(FolderScanner, ListingAheadKeepsTheWalksOrder) {
  ListedFileSystem fs;
  std::vector<std::string> top{"0.CRW"};
  for (int i = 10; i < 50; ++i) top.push_back(std::to_string(i) + "/");
  top.push_back("missing/");
  top.push_back("9.CRW");
  fs.Add("/A", top);
  for (int i = 10; i < 50; ++i) {
    const std::string folder = "/A/" + std::to_string(i);
    fs.Add(folder, {"a.CRW", "deep/", i % 3 == 0 ? "gone/" : "b.CRW", "z.CRW"});
    fs.Add(folder + "/deep", {"c.CR2", "again/"});
    fs.Add(folder + "/deep/again", {"d.CR2"}, i % 2 == 0 ? 1000 : 0);  // one folder under many names
  }
  std::atomic<int> listing{0};
  std::atomic<int> most{0};
  fs.onList = [&](const std::string&) {
    int now = ++listing;
    for (int seen = most.load(); now > seen && !most.compare_exchange_weak(seen, now);) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    --listing;
  };
  Scan sequential;
  sequential.Run(fs, "/A");
  EXPECT_EQ(most.load(), 1);
  EXPECT_EQ(sequential.result.unlistedFolders, 14u);
  for (int32_t threads : {2, 16}) {
    Scan ahead;
    ahead.Run(fs, "/A", threads);
    EXPECT_EQ(ahead.Paths(), sequential.Paths()) << threads;
    EXPECT_EQ(ahead.events.Events(), sequential.events.Events()) << threads;
    ASSERT_EQ(ahead.result.folders.size(), sequential.result.folders.size()) << threads;
    for (size_t i = 0; i < ahead.result.folders.size(); ++i) {
      EXPECT_EQ(ahead.result.folders[i].path, sequential.result.folders[i].path);
      EXPECT_EQ(ahead.result.folders[i].parent, sequential.result.folders[i].parent);
    }
  }
  EXPECT_GT(most.load(), 1);
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
  EXPECT_EQ(withSeparator.Paths(), expected);
  std::vector<std::string> searched = withSeparator.events.Events();
  ASSERT_GE(searched.size(), 2u);
  EXPECT_EQ(searched[0], "search " + tree.Path("photos/"));
  EXPECT_EQ(searched[1], "search " + tree.Path("photos/2004"));

  Scan relative;
  {
    CurrentFolder inside(tree.root());
    relative.Run(RealFileSystem(), "photos");
  }
  EXPECT_EQ(relative.Paths(), expected);
  searched = relative.events.Events();
  ASSERT_GE(searched.size(), 2u);
  EXPECT_EQ(searched[0], "search photos");
  EXPECT_EQ(searched[1], "search " + tree.Path("photos/2004"));
}

}  // namespace
}  // namespace kirabo::test
