#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <thread>

#include "JobTestSupport.h"
#include "engine/RenameWorker.h"

namespace kirabo::test {
namespace {

using Strings = std::vector<std::string>;

const Strings kFinished{"開始"};
const Strings kFinishMessage{"リネーム終了"};

void RunJob(RecordedJob& run) { RenameWorkerProc(&run.job); }

void ExpectNormalEnd(const RecordedJob& run) {
  EXPECT_EQ(run.job.state.load(), Idle);
  EXPECT_EQ(run.button.Texts(), kFinished);
  EXPECT_EQ(run.box.Texts(), kFinishMessage);
}

void ExpectStopAcknowledged(const RecordedJob& run) {
  EXPECT_EQ(run.job.state.load(), Idle);
  EXPECT_TRUE(run.button.Texts().empty());
  EXPECT_TRUE(run.box.Texts().empty());
}

TEST(RenameWorker, SameSecondTakesSuffixesInListOrderAndFillsGaps) {
  TempTree tree;
  tree.Crw("a/IMG_0001.CRW", 2004, 10, 5, 9, 25, 10);
  tree.Crw("a/IMG_0002.CRW", 2004, 10, 5, 9, 25, 10);
  tree.Crw("a/IMG_0003.CRW", 2004, 10, 5, 9, 25, 10);
  // Taken names: the first file fills the gap at _1; folders are never collected.
  tree.Folder("b/041005_092510.CRW");
  tree.Folder("b/041005_092510_2.CRW");
  tree.Crw("b/IMG_0004.CRW", 2004, 10, 5, 9, 25, 10);
  RecordedJob run(tree.root(), DateAndTime);
  RunJob(run);

  EXPECT_EQ(tree.Names("a"), (Strings{"041005_092510.CRW", "041005_092510_1.CRW", "041005_092510_2.CRW"}));
  EXPECT_EQ(tree.Names("b"), (Strings{"041005_092510.CRW", "041005_092510_1.CRW", "041005_092510_2.CRW"}));
  Strings texts = run.label.Texts();
  ASSERT_EQ(texts.size(), 9u);  // five folders searched, then four files renamed
  EXPECT_EQ(texts[5], ProgressText(1, 4, tree.Path("a/IMG_0001.CRW"), tree.Path("a/041005_092510.CRW")));
  EXPECT_EQ(texts[7], ProgressText(3, 4, tree.Path("a/IMG_0003.CRW"), tree.Path("a/041005_092510_2.CRW")));
  EXPECT_EQ(texts[8], ProgressText(4, 4, tree.Path("b/IMG_0004.CRW"), tree.Path("b/041005_092510_1.CRW")));
  ExpectNormalEnd(run);
}

TEST(RenameWorker, TimeOnlyCollidesAcrossDaysAndKeepsExtensionCase) {
  TempTree tree;
  tree.Crw("1.CRW", 2004, 10, 5, 9, 25, 10);
  tree.Crw("2.CRW", 2004, 10, 6, 9, 25, 10);
  tree.Crw("3.crw", 2005, 1, 1, 9, 25, 10);
  RecordedJob run(tree.root(), TimeOnly);
  RunJob(run);
  EXPECT_EQ(tree.Names(), (Strings{"092510.CRW", "092510.crw", "092510_1.CRW"}));
  ExpectNormalEnd(run);
}

TEST(RenameWorker, FileWithoutTimeStillCountsInTheProgress) {
  TempTree tree;
  tree.Crw("1.CRW", 2001, 1, 1, 0, 0, 1);
  tree.Text("2.CRW");
  tree.Crw("3.CRW", 2001, 1, 1, 0, 0, 3);
  tree.Crw("4.CRW", 2001, 1, 1, 0, 0, 4);
  tree.Crw("5.CRW", 2001, 1, 1, 0, 0, 5);
  RecordedJob run(tree.root(), DateAndTime);
  RunJob(run);
  Strings counters;
  for (const std::string& text : run.label.Texts()) counters.push_back(text.substr(0, text.find('\n')));
  EXPECT_EQ(counters, (Strings{tree.root(), "1/5", "3/5", "4/5", "5/5"}));
  EXPECT_EQ(tree.Names(), (Strings{"010101_000001.CRW", "010101_000003.CRW", "010101_000004.CRW",
                                   "010101_000005.CRW", "2.CRW"}));
  ExpectNormalEnd(run);
}

TEST(RenameWorker, FailedRenameGivesUpOnlyThatFile) {
  TempTree tree;
  tree.Crw("1.CRW", 2004, 10, 5, 9, 25, 10);
  tree.Crw("2.CRW", 2004, 10, 5, 9, 25, 11);
  ScriptedFileSystem fs;
  fs.onRename = [&](const std::string& from, const std::string&) -> std::optional<RenameOutcome> {
    if (from == tree.Path("1.CRW")) return RenameOutcome::Failed;  // read-only, say
    return std::nullopt;
  };
  RecordedJob run(tree.root(), DateAndTime, &fs);
  RunJob(run);
  EXPECT_EQ(fs.Renames().size(), 2u);  // one attempt each: no suffix after a failure
  EXPECT_EQ(tree.Names(), (Strings{"041005_092511.CRW", "1.CRW"}));
  ExpectNormalEnd(run);
}

TEST(RenameWorker, UnknownFormatRenamesNothingAndEndsNormally) {
  for (int32_t format : {-1, 2}) {
    TempTree tree;
    tree.Crw("1.CRW", 2004, 10, 5, 9, 25, 10);
    ScriptedFileSystem fs;
    RecordedJob run(tree.root(), format, &fs);
    RunJob(run);
    EXPECT_TRUE(fs.Renames().empty()) << format;
    EXPECT_EQ(run.label.Texts(), Strings{SearchingText(tree.root())});
    ExpectNormalEnd(run);
  }
}

TEST(RenameWorker, SecondRunKeepsNamesThatAreAlreadyRight) {
  TempTree tree;
  tree.Crw("1.CRW", 2004, 10, 5, 9, 25, 10);
  tree.Crw("2.CRW", 2004, 10, 5, 9, 25, 10);
  RecordedJob first(tree.root(), DateAndTime);
  RunJob(first);
  RecordedJob second(tree.root(), DateAndTime);
  RunJob(second);
  EXPECT_EQ(tree.Names(), (Strings{"041005_092510.CRW", "041005_092510_1.CRW"}));
  Strings texts = second.label.Texts();
  ASSERT_EQ(texts.size(), 3u);
  std::string kept = tree.Path("041005_092510.CRW");
  EXPECT_EQ(texts[1], ProgressText(1, 2, kept, kept));
  // The suffixed file's own name is taken by the first file: it moves to
  // the first free suffix, which is its own name again.
  std::string suffixed = tree.Path("041005_092510_1.CRW");
  EXPECT_EQ(texts[2], ProgressText(2, 2, suffixed, suffixed));
}

TEST(RenameWorker, ErrorInsideTheJobEndsItWithoutEndingTheProcess) {
  ScriptedFileSystem fs;
  fs.onList = [](const std::string&) { throw std::bad_alloc(); };
  RecordedJob run("/", DateAndTime, &fs);
  RunJob(run);
  EXPECT_EQ(run.job.state.load(), Idle);
  EXPECT_EQ(run.button.Texts(), kFinished);
  EXPECT_TRUE(run.box.Texts().empty());
}

TEST(RenameWorkerStop, RequestBeforeTheWorkerBeganIsHonoured) {
  TempTree tree;
  tree.Crw("1.CRW", 2004, 10, 5, 9, 25, 10);
  RecordedJob run(tree.root(), DateAndTime);
  run.job.state.store(StopRequested);
  RunJob(run);
  ExpectStopAcknowledged(run);
  EXPECT_TRUE(run.label.Texts().empty());
  EXPECT_EQ(tree.Names(), Strings{"1.CRW"});
}

TEST(RenameWorkerStop, RecordAlreadyRunningIsLeftToItsWorker) {
  RecordedJob run("/nonexistent/kirabo", DateAndTime);
  run.job.state.store(Running);
  RunJob(run);
  EXPECT_EQ(run.job.state.load(), Running);
  EXPECT_TRUE(run.label.Texts().empty());
  EXPECT_TRUE(run.box.Texts().empty());
}

TEST(RenameWorkerStop, DuringScanAfterFilesWereFoundEndsBeforeAnyRename) {
  TempTree tree;
  tree.Crw("a/1.CRW", 2004, 10, 5, 9, 25, 10);
  tree.Crw("b/2.CRW", 2004, 10, 5, 9, 25, 11);
  ScriptedFileSystem fs;
  RecordedJob run(tree.root(), DateAndTime, &fs);
  fs.onList = [&](const std::string& folder) {
    if (folder == tree.Path("b")) run.job.state.store(StopRequested);
  };
  RunJob(run);
  EXPECT_TRUE(fs.Renames().empty());
  EXPECT_EQ(run.label.Texts().back(), SearchingText(tree.Path("b")));
  ExpectStopAcknowledged(run);
}

TEST(RenameWorkerStop, DuringScanBeforeAnyFileTakesTheNormalEnd) {
  TempTree tree;
  tree.Crw("b/2.CRW", 2004, 10, 5, 9, 25, 11);
  ScriptedFileSystem fs;
  RecordedJob run(tree.root(), DateAndTime, &fs);
  fs.onList = [&](const std::string& folder) {
    if (folder == tree.Path("b")) run.job.state.store(StopRequested);
  };
  RunJob(run);
  EXPECT_TRUE(fs.Renames().empty());
  ExpectNormalEnd(run);
}

// The caller's side of a stop: turn Running into StopRequested, then wait
// for the worker to write Idle.
bool RequestStopAndWait(RenameJob& job) {
  int32_t running = Running;
  if (!job.state.compare_exchange_strong(running, StopRequested)) return false;
  while (job.state.load() != Idle) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return true;
}

TEST(RenameWorkerStop, DuringRenameAttemptsNoFurtherAttemptIsMade) {
  TempTree tree;
  tree.Crw("1.CRW", 2004, 10, 5, 9, 25, 10);
  tree.Crw("2.CRW", 2004, 10, 5, 9, 25, 10);
  ScriptedFileSystem fs;
  Gate gate;
  fs.onRename = [&](const std::string&, const std::string&) -> std::optional<RenameOutcome> {
    gate.Enter();
    return RenameOutcome::NameTaken;
  };
  RecordedJob run(tree.root(), DateAndTime, &fs);
  std::thread worker([&] { RunJob(run); });
  gate.WaitUntilEntered();
  int32_t running = Running;
  ASSERT_TRUE(run.job.state.compare_exchange_strong(running, StopRequested));
  gate.Release();
  while (run.job.state.load() != Idle) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  worker.join();
  EXPECT_EQ(fs.Renames().size(), 1u);
  EXPECT_EQ(run.label.Texts(), Strings{SearchingText(tree.root())});
  ExpectStopAcknowledged(run);
  EXPECT_EQ(tree.Names(), (Strings{"1.CRW", "2.CRW"}));
}

TEST(RenameWorkerStop, StopFromAnotherThreadLeavesEveryFileWhole) {
  TempTree tree;
  for (int i = 0; i < 200; ++i) tree.Crw("f" + std::to_string(1000 + i) + ".CRW", 2004, 10, 5, 9, 25, 10);
  RecordedJob run(tree.root(), DateAndTime);
  std::thread worker([&] { RunJob(run); });
  // Stop once some progress is visible, as a user would.
  while (run.label.Texts().size() < 20 && run.box.Texts().empty()) std::this_thread::yield();
  bool stopped = RequestStopAndWait(run.job);
  worker.join();
  EXPECT_EQ(run.job.state.load(), Idle);
  if (!stopped) GTEST_SKIP() << "the job finished before the stop";
  ExpectStopAcknowledged(run);
  size_t renamed = run.label.Texts().size() - 1;
  Strings names = tree.Names();
  ASSERT_EQ(names.size(), 200u);
  EXPECT_EQ(static_cast<size_t>(std::count_if(names.begin(), names.end(),
                                              [](const std::string& n) { return n.starts_with("041005_"); })),
            renamed);
}

}  // namespace
}  // namespace kirabo::test
