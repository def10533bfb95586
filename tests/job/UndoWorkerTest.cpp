#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "JobHarness.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/JournalFolder.h"
#include "engine/RenameWorker.h"
#include "engine/UndoWorker.h"

namespace kirabo::test {
namespace {

using Strings = std::vector<std::string>;
const std::string kNewName = "041005_092510.CRW";

// A job over `photos` with its journal in `journals`, then an undo of the
// latest job there.
struct UndoSetup {
  TempFolder tree;
  std::string photos = tree.Path("photos");
  std::string journals = tree.Path("journals");

  UndoSetup() { tree.MakeFolder("journals"); }

  std::vector<std::string> Rename() {
    RecordedJob run(photos, DateAndTime);
    run.job.journalFolder = journals;
    RenameWorkerProc(&run.job);
    return run.events.FileEvents();
  }

  // The undo's events; none when there was nothing to undo.
  Strings Undo(JobFileSystem* fileSystem = nullptr) {
    std::optional<KeptJournal> latest = LatestUndoable(journals, photos);
    if (!latest) return {};
    RecordedJob run(photos, DateAndTime, fileSystem);
    run.job.journalFolder = journals;
    run.job.undoJournal = latest->path;
    UndoWorkerProc(&run.job);
    return run.events.Events();
  }
};

TEST(UndoWorker, RestoresOnlyTheSameFileToAFreeName) {
  const std::string oldName = "IMG_0001.CRW";
  struct Case {
    const char* what;
    std::function<void(TempFolder&)> change;  // between the job and the undo
    Strings names;                            // in the folder afterwards
    std::string event;                        // of the one file; empty: none
  };
  // Replaces what stands at `to`, on Windows too.
  auto move = [](TempFolder& tree, const std::string& from, const std::string& to) {
    std::filesystem::rename(tree.Path("photos/" + from), tree.Path("photos/" + to));
  };
  const Case cases[] = {
      {"unchanged", [](TempFolder&) {}, {oldName}, "renamed NEW > OLD"},
      {"renamed again", [&](TempFolder& t) { move(t, kNewName, "mine.CRW"); }, {"mine.CRW"}, "failed NEW: missing"},
      {"deleted", [](TempFolder& t) { std::remove(t.Path("photos/" + kNewName).c_str()); }, {}, "failed NEW: missing"},
      {"old name taken", [&](TempFolder& t) { t.Write("photos/" + oldName, "x"); }, {kNewName, oldName},
       "failed NEW: old name taken"},
      {"taken in other case", [](TempFolder& t) { t.Write("photos/img_0001.crw", "x"); },
       {kNewName, "img_0001.crw"}, "failed NEW: old name taken"},
      {"replaced, same size",
       [&](TempFolder& t) {
         t.Write("photos/other", CrwFile(kOctober2004 + 1));
         move(t, "other", kNewName);
       },
       {kNewName}, "failed NEW: changed since"},
      {"grown", [](TempFolder& t) { t.Write("photos/" + kNewName, CrwFile(kOctober2004) + "more"); }, {kNewName},
       "failed NEW: changed since"},
      {"put back by hand", [&](TempFolder& t) { move(t, kNewName, oldName); }, {oldName}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UndoSetup setup;
    setup.tree.Write("photos/" + oldName, CrwFile(kOctober2004));
    ASSERT_EQ(setup.Rename().size(), 2u);
    c.change(setup.tree);
    Strings events = setup.Undo();
    std::string event = c.event;
    for (auto [from, to] : {std::pair{"NEW", kNewName}, {"OLD", oldName}}) {
      if (size_t at = event.find(from); at != std::string::npos) event.replace(at, 3, setup.tree.Path("photos/" + to));
    }
    Strings expected;
    if (!event.empty()) expected.push_back("1/1 " + event);
    bool restored = c.names == Strings{oldName} && !event.empty();
    expected.push_back(std::string("end completed ") + (restored ? "1 0 0 0" : event.empty() ? "0 0 0 0" : "0 0 0 1"));
    EXPECT_EQ(events, expected);
    EXPECT_EQ(setup.tree.Names("photos"), c.names);
  }
}

TEST(UndoWorker, NamesInNoEncodingRoundTrip) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows names are text; code page 932 names are tested in their own program";
#endif
  UndoSetup setup;
  setup.tree.Write("photos/IMG_\xFF\x80.CRW", CrwFile(kOctober2004));
  setup.Rename();
  EXPECT_EQ(setup.tree.Names("photos"), Strings{kNewName});
  setup.Undo();
  EXPECT_EQ(setup.tree.Names("photos"), Strings{"IMG_\xFF\x80.CRW"});
}

// Undone in the reverse order: the file that took the freed name goes back
// before the first one wants it again.
TEST(UndoWorker, TakesBackInReverseOrderAndCanBeTakenBackInTurn) {
  UndoSetup setup;
  setup.tree.Write("photos/a.CRW", CrwFile(kOctober2004));
  setup.tree.Write("photos/b.CRW", CrwFile(kOctober2004));
  setup.Rename();
  const Strings renamed{kNewName, "041005_092510_1.CRW"};
  EXPECT_EQ(setup.tree.Names("photos"), renamed);
  Strings undo = setup.Undo();
  ASSERT_EQ(undo.size(), 3u);
  EXPECT_EQ(undo[0], "1/2 renamed " + setup.tree.Path("photos/041005_092510_1.CRW") + " > " +
                         setup.tree.Path("photos/b.CRW"));
  EXPECT_EQ(setup.tree.Names("photos"), (Strings{"a.CRW", "b.CRW"}));
  setup.Undo();  // the redo
  EXPECT_EQ(setup.tree.Names("photos"), renamed);
  setup.Undo();
  EXPECT_EQ(setup.tree.Names("photos"), (Strings{"a.CRW", "b.CRW"}));
  std::vector<KeptJournal> kept = ReadJournals(setup.journals);
  ASSERT_EQ(kept.size(), 4u);
  EXPECT_TRUE(kept[0].journal.takenBack);
  EXPECT_TRUE(kept[1].journal.takenBack);
  EXPECT_FALSE(kept[3].journal.takenBack);
}

// No rename without its line: a file the journal cannot identify keeps its
// name, and a journal folder that cannot be written to ends the job first.
TEST(UndoWorker, NoRenameThatTheJournalDoesNotHold) {
  UndoSetup setup;
  setup.tree.Write("photos/a.CRW", CrwFile(kOctober2004));
  ScriptedFileSystem fs;
  // A read that could not tell the file's identity leaves it to the look-up.
  fs.onRead = [](const std::string&) { return std::optional<CaptureTimeRead>(kOctober2004); };
  fs.onIdentify = [](const std::string&, FileIdentity&) { return std::optional<bool>(false); };
  RecordedJob run(setup.photos, DateAndTime, &fs);
  run.job.journalFolder = setup.journals;
  RenameWorkerProc(&run.job);
  EXPECT_TRUE(fs.Renames().empty());
  EXPECT_EQ(run.events.Events().back(), "end completed 0 0 0 1");

  RecordedJob nowhere(setup.photos, DateAndTime);
  nowhere.job.journalFolder = setup.tree.Path("no/such/folder");
  RenameWorkerProc(&nowhere.job);
  EXPECT_EQ(nowhere.events.Events(), Strings{"end journal failed 0 0 0 0"});
  EXPECT_EQ(setup.tree.Names("photos"), Strings{"a.CRW"});
}

}  // namespace
}  // namespace kirabo::test
