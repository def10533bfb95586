#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "JobHarness.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/FolderScanner.h"
#include "engine/JournalFolder.h"
#include "engine/RenameWorker.h"
#include "engine/UndoWorker.h"

namespace kirabo::test {
namespace {

using Strings = std::vector<std::string>;

Strings ScannedPaths(const std::string& folder, RecordingObserver& events) {
  ScanResult scan;
  std::atomic<int32_t> state{Running};
  CFolderScanner(RealFileSystem(), CodePage::Utf8).CollectRawFiles(folder, scan, &events, state);
  Strings paths;
  for (const ScannedFile& file : scan.files) paths.push_back(file.path);
  return paths;
}

// No link to a folder is followed: one out of the tree would lead the job out
// of it, and a folder inside the tree is walked where it stands.
TEST(FolderScannerOnDisk, LinksToFoldersAreNotFollowed) {
  TempFolder tree;
  tree.Write("outside/1.CRW", "");
  tree.Write("chosen/sub/2.CRW", "");
  std::filesystem::create_directory_symlink("../outside", tree.Path("chosen/away"));
  std::filesystem::create_directory_symlink("sub", tree.Path("chosen/again"));
  std::filesystem::create_directory_symlink(tree.root(), tree.Path("chosen/sub/up"));

  RecordingObserver events;
  EXPECT_EQ(ScannedPaths(tree.Path("chosen"), events), Strings{tree.Path("chosen/sub/2.CRW")});
  EXPECT_EQ(events.Events(), (Strings{"search " + tree.Path("chosen"), "search " + tree.Path("chosen/sub")}));
}

// The chosen folder itself may be reached through a link.
TEST(FolderScannerOnDisk, ChosenFolderMayBeALink) {
  TempFolder tree;
  tree.Write("real/1.CRW", "");
  std::filesystem::create_directory_symlink("real", tree.Path("link"));
  RecordingObserver events;
  EXPECT_EQ(ScannedPaths(tree.Path("link"), events), Strings{tree.Path("link/1.CRW")});
}

// A co-user replaces a sub-folder by a link to a folder outside the tree once
// the job has renamed its first file: nothing outside is renamed, and the
// files listed in the replaced folder are reported, not lost.
TEST(RenameWorkerOnDisk, FolderSwappedForALinkDuringTheJobLeadsNowhereElse) {
  TempFolder root;
  root.Write("tree/a.CRW", CrwFile(kOctober2004));
  root.Write("tree/shared/b.CRW", CrwFile(kOctober2004));
  root.Write("victim/b.CRW", CrwFile(kOctober2004));  // the name the scan listed
  ScriptedFileSystem fs;
  fs.onRename = [&](const std::string& from, const std::string&) -> std::optional<RenameResult> {
    if (from == root.Path("tree/a.CRW")) {
      std::filesystem::rename(root.Path("tree/shared"), root.Path("tree/shared.old"));
      std::filesystem::create_directory_symlink("../victim", root.Path("tree/shared"));
    }
    return std::nullopt;
  };
  RecordedJob run(root.Path("tree"), DateAndTime, &fs);
  RenameWorkerProc(&run.job);
  EXPECT_EQ(root.Names("victim"), Strings{"b.CRW"});
  EXPECT_EQ(root.Names("tree/shared.old"), Strings{"b.CRW"});
  Strings events = run.events.FileEvents();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_TRUE(events[1].starts_with("2/2 failed " + root.Path("tree/shared/b.CRW") + ": ")) << events[1];
}

// Each level is opened in its parent once: a deep tree costs time in
// proportion to its depth.
TEST(FolderScannerOnDisk, DeepTreeIsWalkedInLinearTime) {
  const int kLevels = 2000;
  TempFolder root;
  // Made and removed through relative steps: the whole path is far beyond
  // PATH_MAX, past what std::filesystem can remove.
  CurrentFolder at(root.root());
  for (int i = 0; i < kLevels; ++i) {
    std::filesystem::create_directory("d");
    std::filesystem::current_path("d");
  }
  std::ofstream("IMG_0001.CRW", std::ios::binary) << CrwFile(kOctober2004);
  for (int i = 0; i < kLevels; ++i) std::filesystem::current_path("..");
  RecordedJob run(root.root(), DateAndTime);
  // Processor time, which other work on a shared machine does not inflate.
  std::clock_t start = std::clock();
  RenameWorkerProc(&run.job);
  double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  EXPECT_LT(seconds, 1.0);
  Strings events = run.events.FileEvents();
  ASSERT_EQ(events.size(), 2u) << events[0].substr(0, 200);
  EXPECT_TRUE(events[0].starts_with("1/1 renamed ")) << events[0].substr(0, 40);
  EXPECT_TRUE(events[0].ends_with("/d/041005_092510.CRW"));
  std::cout << "[ figures  ] " << kLevels << " levels: " << seconds * 1000 << " ms of processor time\n";
  for (int i = 0; i < kLevels; ++i) std::filesystem::current_path("d");
  std::filesystem::remove("041005_092510.CRW");
  for (int i = 0; i < kLevels; ++i) {
    std::filesystem::current_path("..");
    std::filesystem::remove("d");
  }
}

// A link to a raw file is renamed itself, and its journal line tells the
// link, not the file it leads to: the undo finds it and takes it back.
TEST(RenameWorkerOnDisk, LinkToARawFileIsUndoneAsALink) {
  TempFolder root;
  root.Write("photos/a.CRW", CrwFile(kOctober2004));
  root.Write("elsewhere/x.CRW", CrwFile(kOctober2004 + 60));
  std::filesystem::create_symlink("../elsewhere/x.CRW", root.Path("photos/link.CRW"));
  root.MakeFolder("journals");
  RecordedJob run(root.Path("photos"), DateAndTime);
  run.job.journalFolder = root.Path("journals");
  RenameWorkerProc(&run.job);
  EXPECT_EQ(root.Names("photos"), (Strings{"041005_092510.CRW", "041005_092610.CRW"}));

  std::optional<KeptJournal> latest = LatestUndoable(root.Path("journals"), root.Path("photos"));
  ASSERT_TRUE(latest);
  RecordedJob undo(root.Path("photos"), DateAndTime);
  undo.job.journalFolder = root.Path("journals");
  undo.job.undoJournal = latest->path;
  UndoWorkerProc(&undo.job);
  EXPECT_EQ(root.Names("photos"), (Strings{"a.CRW", "link.CRW"}));
  EXPECT_TRUE(std::filesystem::is_symlink(root.Path("photos/link.CRW")));
  EXPECT_EQ(root.Names("elsewhere"), Strings{"x.CRW"});
}

}  // namespace
}  // namespace kirabo::test
