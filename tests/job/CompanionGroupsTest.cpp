#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "JobHarness.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/JournalFolder.h"
#include "engine/RenameWorker.h"
#include "engine/UndoWorker.h"

namespace kirabo::test {
namespace {

using Strings = std::vector<std::string>;

constexpr char kSettings[] = "CaptureOne/Settings153";

// Every raw file here was shot at 041005_092510.
TEST(CompanionGroups, EachFormMovesWithItsRawFileOrStays) {
  const struct {
    const char* what;
    Strings raws;
    Strings others;  // files; a trailing '/' makes a folder
    Strings expected;
    Strings expectedSettings;
  } cases[] = {
      {"every form keeps its own tail and letter case",
       {"IMG_1234.CRW"},
       {"IMG_1234.JPG", "img_1234.thm", "IMG_1234.WAV", "IMG_1234.xmp", "IMG_1234.CRW.xmp", "IMG_1234_01.CRW.xmp",
        "IMG_1234.CRW.pp3", "IMG_1234.crw.DOP", "IMG_1234.on1", "IMG_1234.txt", "CaptureOne/Settings153/IMG_1234.CRW.cos"},
       {"041005_092510.CRW", "041005_092510.CRW.pp3", "041005_092510.CRW.xmp", "041005_092510.JPG",
        "041005_092510.WAV", "041005_092510.crw.DOP", "041005_092510.on1", "041005_092510.thm", "041005_092510.xmp",
        "041005_092510_01.CRW.xmp", "CaptureOne", "IMG_1234.txt"},
       {"041005_092510.CRW.cos"}},
      {"a stem two raw files share: the twin stays, whole-name sidecars go",
       {"IMG_1.CRW", "IMG_1.crw2/IMG_1.CRW"},  // the second is in a sub-folder: no clash
       {"IMG_1.JPG"},
       {"041005_092510.CRW", "041005_092510.JPG", "IMG_1.crw2"},
       {}},
      {"a member's name taken moves the whole group to a suffix",
       {"IMG_1.CRW"},
       {"IMG_1.JPG", "041005_092510.jpg"},
       {"041005_092510.jpg", "041005_092510_1.CRW", "041005_092510_1.JPG"},
       {}},
      {"a folder is never a companion",
       {"IMG_1.CRW"},
       {"IMG_1.JPG/"},
       {"041005_092510.CRW", "IMG_1.JPG"},
       {}},
      {"a raw file that has its name keeps its companions as they are",
       {"041005_092510.CRW"},
       {"041005_092510.jpg", "041005_092510_01.CRW.xmp"},
       {"041005_092510.CRW", "041005_092510.jpg", "041005_092510_01.CRW.xmp"},
       {}},
      {"the suffixed group; a version sidecar takes the suffix before its own",
       {"IMG_1.CRW", "IMG_2.CRW"},
       {"IMG_1.JPG", "IMG_2.JPG", "IMG_2_01.CRW.xmp"},
       {"041005_092510.CRW", "041005_092510.JPG", "041005_092510_1.CRW", "041005_092510_1.JPG",
        "041005_092510_1_01.CRW.xmp"},
       {}},
  };
  for (const auto& c : cases) {
    TempFolder tree;
    for (const std::string& raw : c.raws) tree.Write(raw, CrwFile(kOctober2004));
    for (const std::string& other : c.others) {
      if (other.back() == '/') {
        tree.MakeFolder(other.substr(0, other.size() - 1));
      } else {
        tree.Write(other, "companion");
      }
    }
    RecordedJob run(tree.root(), DateAndTime);
    RenameWorkerProc(&run.job);
    EXPECT_EQ(tree.Names(), c.expected) << c.what;
    if (!c.expectedSettings.empty()) {
      EXPECT_EQ(tree.Names(kSettings), c.expectedSettings) << c.what;
    }
  }
}

TEST(CompanionGroups, SharedStemIsToldAndRawOnlyLeavesCompanions) {
  for (const bool withCompanions : {false, true}) {
    TempFolder tree;
    tree.Write("IMG_1.CRW", CrwFile(kOctober2004));
    tree.Write("IMG_1.CR2", Cr2File("2004:10:05 09:25:11"));
    tree.Write("IMG_1.JPG", "twin of which?");
    tree.Write("IMG_1.CR2.xmp", "edits");
    RecordedJob run(tree.root(), DateAndTime);
    run.job.withCompanions = withCompanions;
    RenameWorkerProc(&run.job);
    const std::string sidecar = withCompanions ? "041005_092511.CR2.xmp" : "IMG_1.CR2.xmp";
    EXPECT_EQ(tree.Names(), (Strings{"041005_092510.CRW", "041005_092511.CR2", sidecar, "IMG_1.JPG"}));
    const std::string first = run.events.FileEvents().front();
    EXPECT_EQ(first == "shared " + tree.Path("IMG_1.JPG"), withCompanions) << first;
  }
}

// A refusal of any member puts back those renamed before it; the raw file is
// reported with the member that failed.
TEST(CompanionGroups, RefusedMemberPutsTheGroupBack) {
  for (const char* refused : {"IMG_1.xmp", "IMG_1.CRW"}) {
    TempFolder tree;
    tree.Write("IMG_1.CRW", CrwFile(kOctober2004));
    tree.Write("IMG_1.JPG", "twin");
    tree.Write("IMG_1.xmp", "edits");
    ScriptedFileSystem fs;
    fs.onRename = [&](const std::string& from, const std::string&) -> std::optional<RenameResult> {
      if (from == tree.Path(refused)) return RenameResult{RenameOutcome::Failed, "Permission denied"};
      return std::nullopt;
    };
    RecordedJob run(tree.root(), DateAndTime, &fs);
    RenameWorkerProc(&run.job);
    EXPECT_EQ(tree.Names(), (Strings{"IMG_1.CRW", "IMG_1.JPG", "IMG_1.xmp"})) << refused;
    const std::string companion = refused == std::string("IMG_1.CRW") ? "" : " (" + tree.Path(refused) + ")";
    EXPECT_EQ(run.events.FileEvents(),
              (Strings{"1/1 failed " + tree.Path("IMG_1.CRW") + ": Permission denied" + companion,
                       "end completed 0 0 0 1"}))
        << refused;
  }
}

// A job that ends between two members of a group, as under kill -9: the
// companions are renamed, the raw file not, and the journal has no end.
struct CutShortGroup {
  TempFolder tree;
  std::string photos = tree.Path("photos");
  std::string journals = tree.Path("journals");

  CutShortGroup() {
    tree.Write("photos/IMG_1.CRW", CrwFile(kOctober2004));
    tree.Write("photos/IMG_1.JPG", "twin");
    tree.Write("photos/IMG_1.xmp", "edits");
    tree.MakeFolder("journals");
    ScriptedFileSystem fs;
    fs.onRename = [&](const std::string& from, const std::string&) -> std::optional<RenameResult> {
      if (from == tree.Path("photos/IMG_1.CRW")) throw std::bad_alloc();
      return std::nullopt;
    };
    Run(RenameWorkerProc, &fs);
  }

  void Run(uint32_t (*proc)(void*), JobFileSystem* fs = nullptr) {
    RecordedJob run(photos, DateAndTime, fs);
    run.job.journalFolder = journals;
    if (proc == UndoWorkerProc) run.job.undoJournal = LatestUndoable(journals, photos)->path;
    proc(&run.job);
  }
};

TEST(CompanionGroups, GroupCutShortIsMadeWholeByTheNextJobOrTheUndo) {
  CutShortGroup next;
  ASSERT_EQ(next.tree.Names("photos"), (Strings{"041005_092510.JPG", "041005_092510.xmp", "IMG_1.CRW"}));
  next.Run(RenameWorkerProc);
  EXPECT_EQ(next.tree.Names("photos"), (Strings{"041005_092510.CRW", "041005_092510.JPG", "041005_092510.xmp"}));
  // Undoing that job gives every file its first name.
  next.Run(UndoWorkerProc);
  EXPECT_EQ(next.tree.Names("photos"), (Strings{"IMG_1.CRW", "IMG_1.JPG", "IMG_1.xmp"}));

  CutShortGroup undone;
  undone.Run(UndoWorkerProc);
  EXPECT_EQ(undone.tree.Names("photos"), (Strings{"IMG_1.CRW", "IMG_1.JPG", "IMG_1.xmp"}));
}

}  // namespace
}  // namespace kirabo::test
