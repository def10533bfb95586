#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

#include "JobHarness.h"
#include "NativePath.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/JournalFolder.h"
#include "engine/RenameWorker.h"
#include "engine/UndoWorker.h"

namespace kirabo::test {
namespace {

using Strings = std::vector<std::string>;

// What a job did, with the tree's own path cut out so that runs on
// different trees compare, and '/' for every separator.
struct Outcome {
  bool linked = false;  // the tree holds a link (creating one may need rights the test lacks)
  Strings events;
  Strings entries;  // every entry below the tree, files and folders, sorted
  Strings opened;   // the files opened through the job's folders, sorted
  // With a journal: the renames it holds as made, sorted, whether they ran
  // in lanes, and the entries once an undo took them back.
  Strings journaled;
  bool inLanes = false;
  Strings undone;
};

std::string WithoutRoot(std::string text, const std::string& root) {
  for (size_t at = text.find(root); at != std::string::npos; at = text.find(root, at)) text.erase(at, root.size());
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

// One folder per naming rule; the file names sort in the order given. True
// when the link could be made.
bool BuildTree(const TempFolder& tree) {
  // Same second: suffixes in list order, filling the gap at _1.
  for (const char* name : {"a/1.CRW", "a/2.CRW", "a/3.CRW"}) tree.Write(name, CrwFile(kOctober2004));
  tree.MakeFolder("a/041005_092510.CRW");
  tree.MakeFolder("a/041005_092510_2.CRW");
  // A taken name in another letter case.
  tree.Write("a/4.cr2", Cr2File("2010:05:01 12:00:00"));
  tree.MakeFolder("a/100501_120000.CR2");
  // Already named, no capture time, and a name that appears while the job
  // runs (see RunWith).
  tree.Write("b/041005_092511.CRW", CrwFile(kOctober2004 + 1));
  tree.Write("b/5.CRW", "not a raw file");
  tree.Write("b/6.CRW", CrwFile(kOctober2004 + 3));
  tree.Write("b/7.CRW", CrwFile(kOctober2004 + 2));
  // A link to a file the job renames before it reaches the link: the link
  // then leads nowhere, as it would have when read at its turn.
  for (int i = 0; i < 40; ++i) tree.Write("c/f" + std::to_string(100 + i) + ".CRW", CrwFile(kOctober2004 + i % 4));
  // Groups: renamed whole, or put back whole when a member is refused (see
  // RunWith).
  tree.Write("c/f100.JPG", "twin");
  tree.Write("c/f101.CRW.xmp", "edits");
  tree.Write("c/f103.JPG", "refused twin");
  tree.Write("d/b.CRW", CrwFile(kOctober2004 + 5));
  std::error_code noLink;
  std::filesystem::create_symlink("b.CRW", tree.Path("d/c.CRW"), noLink);
  return !noLink;
}

Strings EntriesBelow(const TempFolder& tree) {
  Strings entries;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(NativePath(tree.root())))
    entries.push_back(WithoutRoot(ProgramPath(entry.path()), tree.root()));
  std::sort(entries.begin(), entries.end());
  return entries;
}

void ReadJournalAndUndo(const TempFolder& tree, const TempFolder& journals, Outcome& outcome) {
  Journal journal;
  ASSERT_TRUE(ReadJournalFile(JournalFiles(journals.root()).back(), journal));
  for (const JournalRename& rename : journal.renames) {
    if (rename.made) outcome.journaled.push_back(WithoutRoot(rename.from + " > " + rename.to, tree.root()));
    outcome.inLanes = outcome.inLanes || rename.lane > 0;
  }
  std::sort(outcome.journaled.begin(), outcome.journaled.end());
  RecordedJob undo(tree.root(), DateAndTime);
  undo.job.journalFolder = journals.root();
  undo.job.undoJournal = JournalFiles(journals.root()).back();
  UndoWorkerProc(&undo.job);
  outcome.undone = EntriesBelow(tree);
}

Outcome RunWith(int32_t readers, bool withJournal = false) {
  TempFolder tree;
  TempFolder journals;
  Outcome outcome;
  outcome.linked = BuildTree(tree);
  ScriptedFileSystem fs;
  fs.onRename = [&](const std::string& from, const std::string&) -> std::optional<RenameResult> {
    // The first rename waits, so that the readers run ahead of it.
    if (from == tree.Path("a/1.CRW")) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (from == tree.Path("b/6.CRW")) tree.MakeFolder("b/041005_092512.CRW");
    if (from == tree.Path("c/f103.JPG")) return RenameResult(RenameOutcome::Failed, "refused");
    return std::nullopt;
  };
  RecordedJob run(tree.root(), DateAndTime, &fs);
  run.job.readers = readers;
  if (withJournal) run.job.journalFolder = journals.root();
  RenameWorkerProc(&run.job);

  for (const std::string& event : run.events.Events()) outcome.events.push_back(WithoutRoot(event, tree.root()));
  outcome.entries = EntriesBelow(tree);
  for (const std::string& path : fs.Opened()) outcome.opened.push_back(WithoutRoot(path, tree.root()));
  std::sort(outcome.opened.begin(), outcome.opened.end());
  if (withJournal) ReadJournalAndUndo(tree, journals, outcome);
  return outcome;
}

TEST(ReadAhead, NamesAndEventsAreTheSequentialJobsWithAnyNumberOfReaders) {
  const Outcome sequential = RunWith(1);
  const Strings& events = sequential.events;
  const std::string of = "/" + std::to_string(sequential.linked ? 50 : 49) + " ";
  auto has = [&](const std::string& event) { return std::find(events.begin(), events.end(), event) != events.end(); };
  // The tree does exercise every rule.
  EXPECT_TRUE(has("3" + of + "renamed /a/3.CRW > /a/041005_092510_4.CRW"));
  EXPECT_TRUE(has("4" + of + "renamed /a/4.cr2 > /a/100501_120000_1.cr2"));
  EXPECT_TRUE(has("5" + of + "already /b/041005_092511.CRW"));
  EXPECT_TRUE(has("6" + of + "no time /b/5.CRW"));
  EXPECT_TRUE(has("8" + of + "renamed /b/7.CRW > /b/041005_092512_1.CRW"));
  EXPECT_TRUE(has("10" + of + "renamed /c/f101.CRW > /c/041005_092511.CRW +1"));
  EXPECT_TRUE(has("12" + of + "failed /c/f103.CRW: refused (/c/f103.JPG)"));
  if (sequential.linked) {
    EXPECT_TRUE(has("50" + of + "unreadable /d/c.CRW: " + std::system_category().message(ENOENT)));
  }

  // Each file read once, and only through the folders the job holds open:
  // none by a path that a swapped folder could redirect.
  EXPECT_EQ(sequential.opened.size(), sequential.linked ? 50u : 49u);
  for (int32_t readers : {2, 16}) {
    Outcome ahead = RunWith(readers);
    EXPECT_EQ(ahead.events, sequential.events) << readers << " readers";
    EXPECT_EQ(ahead.entries, sequential.entries) << readers << " readers";
    EXPECT_EQ(ahead.opened, sequential.opened) << readers << " readers";
  }

  // With the journal the renames overlap too, each thread's in a lane of
  // its own, and an undo takes every one back as it does the sequential
  // job's.
  const Outcome recorded = RunWith(1, true);
  EXPECT_FALSE(recorded.inLanes);
  EXPECT_EQ(recorded.events, sequential.events);
  Outcome inLanes = RunWith(16, true);
  EXPECT_TRUE(inLanes.inLanes);
  EXPECT_EQ(inLanes.events, sequential.events);
  EXPECT_EQ(inLanes.entries, sequential.entries);
  EXPECT_EQ(inLanes.journaled, recorded.journaled);
  EXPECT_EQ(inLanes.undone, recorded.undone);
}

bool RequestStop(RenameJob& job) {
  int32_t running = Running;
  return job.state.compare_exchange_strong(running, StopRequested);
}

// The readers are ahead when the stop comes; the renames end there, and the
// job's end is reported only once every reader has finished its file.
TEST(ReadAhead, StopEndsBeforeTheNextRenameWithEveryFileWhole) {
  const int kFiles = 300;
  TempFolder tree;
  const std::string crw = CrwFile(kOctober2004);
  for (int i = 0; i < kFiles; ++i) tree.Write("f" + std::to_string(1000 + i) + ".CRW", crw);
  ScriptedFileSystem fs;
  RecordedJob run(tree.root(), DateAndTime, &fs);
  run.job.readers = 16;
  fs.onRename = [&](const std::string& from, const std::string&) -> std::optional<RenameResult> {
    if (from == tree.Path("f1004.CRW")) RequestStop(run.job);
    return std::nullopt;
  };
  RenameWorkerProc(&run.job);

  EXPECT_EQ(fs.Renames().size(), 5u);
  Strings events = run.events.FileEvents();
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ(events.back(), "end stopped 5 0 0 0");
  EXPECT_EQ(run.job.state.load(), Idle);
  Strings names = tree.Names();
  ASSERT_EQ(names.size(), static_cast<size_t>(kFiles));
  for (const std::string& name : names) EXPECT_EQ(tree.Read(name), crw) << name;
}

// Several folders renamed at once when the stop comes: each ends before its
// next rename, and every rename made is told and counted, none other.
TEST(ReadAhead, StopInSeveralFoldersAtOnceTellsEveryRenameMade) {
  const std::vector<std::string> kFolders{"a", "b", "c", "d"};
  TempFolder tree;
  const std::string crw = CrwFile(kOctober2004);
  for (const std::string& folder : kFolders) {
    for (int i = 0; i < 60; ++i) tree.Write(folder + "/f" + std::to_string(1000 + i) + ".CRW", crw);
  }
  ScriptedFileSystem fs;
  RecordedJob run(tree.root(), DateAndTime, &fs);
  run.job.readers = 16;
  fs.onRename = [&](const std::string& from, const std::string&) -> std::optional<RenameResult> {
    if (from == tree.Path("b/f1004.CRW")) RequestStop(run.job);
    return std::nullopt;
  };
  RenameWorkerProc(&run.job);

  const size_t renames = fs.Renames().size();
  Strings events = run.events.FileEvents();
  ASSERT_EQ(events.size(), renames + 1);
  EXPECT_EQ(events.back(), "end stopped " + std::to_string(renames) + " 0 0 0");
  EXPECT_LT(renames, 4u * 60u);
  EXPECT_EQ(run.job.state.load(), Idle);
  for (const std::string& folder : kFolders) {
    Strings names = tree.Names(folder);
    ASSERT_EQ(names.size(), 60u);
    for (const std::string& name : names) EXPECT_EQ(tree.Read(folder + "/" + name), crw) << name;
  }
}

}  // namespace
}  // namespace kirabo::test
