#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "JobHarness.h"
#include "NativePath.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/Journal.h"
#include "engine/JournalFolder.h"
#include "engine/RenameWorker.h"
#include "engine/UndoWorker.h"
#include "platform/AppendFile.h"
#include "platform/Path.h"

namespace kirabo::test {
namespace {

using Strings = std::vector<std::string>;
const std::string kOld = "IMG_0001.CRW";
const std::string kNew = "041005_092510.CRW";
const std::string kNewSecond = "041005_092510_1.CRW";

// A folder as a job killed inside the fallback rename of kOld to kNew left
// it, with that job's journal; then the next job on the folder above.
struct Leftover {
  TempFolder tree;
  std::string journals = tree.Path("journals");
  std::string journal = journals + kPathSeparator + "20261209T173811.000000Z.journal";
  std::string header;
  std::string lines;  // the header's and those after it

  explicit Leftover(const std::string& folder) {
    tree.MakeFolder("journals");
    tree.Write(folder + kOld, CrwFile(kOctober2004));
    Journal job;
    job.program = "kirabo 1.0";
    job.folder = tree.Path(folder.substr(0, folder.size() - 1));
    job.started = "2026-12-09T17:38:11Z";
    header = JournalHeaderLines(job);
    lines = header + JournalRenameLine(tree.Path(folder + kOld), tree.Path(folder + kNew), Identity(folder + kOld));
  }

  FileIdentity Identity(const std::string& relative) const {
    std::filesystem::path path = NativePath(tree.Path(relative));
    std::string reason;
    std::unique_ptr<JobFolder> folder = RealFileSystem().OpenTree(ProgramPath(path.parent_path()), reason);
    FileIdentity identity;
    EXPECT_TRUE(folder && folder->Identify(ProgramPath(path.filename()), identity)) << relative;
    return identity;
  }

  void WriteJournal() const { tree.Write("journals/20261209T173811.000000Z.journal", lines); }

  void Next(bool undo) {
    RecordedJob run(tree.Path("photos"), DateAndTime);
    run.job.journalFolder = journals;
    if (undo) {
      std::optional<KeptJournal> latest = LatestUndoable(journals, tree.Path("photos"));
      ASSERT_TRUE(latest);
      run.job.undoJournal = latest->path;
      UndoWorkerProc(&run.job);
    } else {
      RenameWorkerProc(&run.job);
    }
  }
};

TEST(JournalRepair, TheNextJobClearsOnlyItsOwnLeftovers) {
  auto link = [](Leftover& l, const std::string& folder) {
    std::filesystem::create_hard_link(NativePath(l.tree.Path(folder + kOld)), NativePath(l.tree.Path(folder + kNew)));
  };
  auto reserve = [](Leftover& l, const std::string& folder) {
    l.tree.Write(folder + kNew, "");
    l.lines += JournalReservedLine(l.Identity(folder + kNew));
  };
  struct Case {
    const char* what;
    std::string folder;  // of the leftovers, below the next job's
    std::function<void(Leftover&, const std::string&)> leave;
    bool undo;      // the next job takes the killed one back
    Strings names;  // in the leftovers' folder afterwards
    bool repaired;  // the killed job's journal says so
  };
  const Case cases[] = {
      {"two names", "photos/", link, false, {kNew}, true},
      {"two names, undone", "photos/", link, true, {kOld}, true},
      {"two names, a folder below", "photos/day1/", link, false, {kNew}, true},
      {"reservation", "photos/", reserve, false, {kNew}, true},
      {"reservation, undone", "photos/", reserve, true, {kOld}, true},
      {"reservation written into", "photos/",
       [&](Leftover& l, const std::string& f) {
         reserve(l, f);
         l.tree.Write(f + kNew, "x");
       },
       false, {kNew, kNewSecond}, true},
      {"reservation replaced", "photos/",
       [&](Leftover& l, const std::string& f) {
         reserve(l, f);
         l.tree.Write(f + "other", "");
         std::filesystem::rename(NativePath(l.tree.Path(f + "other")), NativePath(l.tree.Path(f + kNew)));
       },
       false, {kNew, kNewSecond}, true},
      {"empty file not recorded", "photos/", [](Leftover& l, const std::string& f) { l.tree.Write(f + kNew, ""); },
       false, {kNew, kNewSecond}, true},
      {"journal ended", "photos/",
       [&](Leftover& l, const std::string& f) {
         link(l, f);
         l.lines += JournalEndLine("completed", 0);
       },
       false, {kNew, kNewSecond}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Leftover leftover(c.folder);
    c.leave(leftover, c.folder);
    leftover.WriteJournal();
    leftover.Next(c.undo);
    EXPECT_EQ(leftover.tree.Names(c.folder), c.names);
    Journal killed;
    ASSERT_TRUE(ReadJournalFile(leftover.journal, killed));
    EXPECT_EQ(killed.repaired, c.repaired);
  }
}

// Killed within a group, as the raw file (renamed last) was linked under its
// new name: that rename is finished first, then the group is put back whole,
// and the job renames it as one.
TEST(JournalRepair, ARenameCutWithinAGroupIsFinishedBeforeTheGroupIsMadeWhole) {
  Leftover leftover("photos/");
  TempFolder& tree = leftover.tree;
  tree.Write("photos/IMG_0001.JPG", "jpeg");
  leftover.lines = leftover.header + JournalGroupLine(2) +
                   JournalRenameLine(tree.Path("photos/IMG_0001.JPG"), tree.Path("photos/041005_092510.JPG"),
                                     leftover.Identity("photos/IMG_0001.JPG")) +
                   JournalRenameLine(tree.Path("photos/" + kOld), tree.Path("photos/" + kNew),
                                     leftover.Identity("photos/" + kOld));
  std::filesystem::rename(NativePath(tree.Path("photos/IMG_0001.JPG")),
                          NativePath(tree.Path("photos/041005_092510.JPG")));
  std::filesystem::create_hard_link(NativePath(tree.Path("photos/" + kOld)), NativePath(tree.Path("photos/" + kNew)));
  leftover.WriteJournal();
  leftover.Next(false);
  EXPECT_EQ(tree.Names("photos"), (Strings{kNew, "041005_092510.JPG"}));
}

// Renames in two lanes at once when the kill came: a group cut short in one
// folder, a reservation left in another by a rename that is not the
// journal's last. Each lane's last rename is dealt with.
TEST(JournalRepair, EachLaneOfAJobInLanesIsRepaired) {
  Leftover leftover("photos/");
  TempFolder& tree = leftover.tree;
  for (const char* folder : {"photos/a/", "photos/b/"}) tree.Write(folder + kOld, CrwFile(kOctober2004));
  tree.Write("photos/a/IMG_0001.JPG", "jpeg");
  const std::string reservedLine = JournalReservedLine((tree.Write("photos/b/" + kNew, ""), leftover.Identity("photos/b/" + kNew)));
  leftover.lines = leftover.header + JournalLaneLine(1) + JournalGroupLine(2) +
                   JournalRenameLine(tree.Path("photos/a/IMG_0001.JPG"), tree.Path("photos/a/041005_092510.JPG"),
                                     leftover.Identity("photos/a/IMG_0001.JPG")) +
                   JournalLaneLine(2) +
                   JournalRenameLine(tree.Path("photos/b/" + kOld), tree.Path("photos/b/" + kNew),
                                     leftover.Identity("photos/b/" + kOld)) +
                   reservedLine + JournalLaneLine(1) +
                   JournalRenameLine(tree.Path("photos/a/" + kOld), tree.Path("photos/a/" + kNew),
                                     leftover.Identity("photos/a/" + kOld));
  std::filesystem::rename(NativePath(tree.Path("photos/a/IMG_0001.JPG")),
                          NativePath(tree.Path("photos/a/041005_092510.JPG")));
  std::filesystem::create_hard_link(NativePath(tree.Path("photos/a/" + kOld)),
                                    NativePath(tree.Path("photos/a/" + kNew)));
  leftover.WriteJournal();
  leftover.Next(false);
  EXPECT_EQ(tree.Names("photos/a"), (Strings{kNew, "041005_092510.JPG"}));
  EXPECT_EQ(tree.Names("photos/b"), (Strings{kNew}));
}

// A job that still runs holds its journal: its rename may be half done
// right now, so nothing of it is touched, and a later job looks again.
TEST(JournalRepair, LeavesAJobThatStillRunsAlone) {
  Leftover leftover("photos/");
  std::filesystem::create_hard_link(NativePath(leftover.tree.Path("photos/" + kOld)),
                                    NativePath(leftover.tree.Path("photos/" + kNew)));
  leftover.WriteJournal();
  {
    CAppendFile running;
    ASSERT_EQ(running.OpenExisting(leftover.journal), 0);
    leftover.Next(false);
  }
  EXPECT_EQ(leftover.tree.Names("photos"), (Strings{kNew, kNewSecond}));
  Journal journal;
  ASSERT_TRUE(ReadJournalFile(leftover.journal, journal));
  EXPECT_FALSE(journal.repaired);
}

}  // namespace
}  // namespace kirabo::test
