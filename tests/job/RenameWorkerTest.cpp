#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <thread>

#include "JobHarness.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
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

// No caption and no message: a stop acknowledged (Idle), or a record left to
// the worker that runs it (Running).
void ExpectSilent(const RecordedJob& run, int32_t state = Idle) {
  EXPECT_EQ(run.job.state.load(), state);
  EXPECT_TRUE(run.button.Texts().empty());
  EXPECT_TRUE(run.box.Texts().empty());
}

TEST(RenameWorker, SameSecondTakesSuffixesInListOrderAndFillsGaps) {
  TempFolder tree;
  for (const char* name : {"a/IMG_0001.CRW", "a/IMG_0002.CRW", "a/IMG_0003.CRW", "b/IMG_0004.CRW"})
    tree.Write(name, CrwFile(kOctober2004));
  // Taken names: the file in b fills the gap at _1; folders are never collected.
  tree.MakeFolder("b/041005_092510.CRW");
  tree.MakeFolder("b/041005_092510_2.CRW");
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
  TempFolder tree;
  tree.Write("1.CRW", CrwFile(kOctober2004));
  tree.Write("2.CRW", CrwFile(UtcSeconds(2004, 10, 6, 9, 25, 10)));
  tree.Write("3.crw", CrwFile(UtcSeconds(2005, 1, 1, 9, 25, 10)));
  RecordedJob run(tree.root(), TimeOnly);
  RunJob(run);
#ifdef _WIN32
  // Names that differ only in letter case are one name on Windows.
  EXPECT_EQ(tree.Names(), (Strings{"092510.CRW", "092510_1.CRW", "092510_2.crw"}));
#else
  EXPECT_EQ(tree.Names(), (Strings{"092510.CRW", "092510.crw", "092510_1.CRW"}));
#endif
  ExpectNormalEnd(run);
}

TEST(RenameWorker, FileWithoutTimeStillCountsInTheProgress) {
  TempFolder tree;
  for (int second : {1, 3, 4, 5})
    tree.Write(std::to_string(second) + ".CRW", CrwFile(UtcSeconds(2001, 1, 1, 0, 0, second)));
  tree.Write("2.CRW", "not a raw file");
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
  TempFolder tree;
  tree.Write("1.CRW", CrwFile(kOctober2004));
  tree.Write("2.CRW", CrwFile(kOctober2004 + 1));
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
    TempFolder tree;
    tree.Write("1.CRW", CrwFile(kOctober2004));
    ScriptedFileSystem fs;
    RecordedJob run(tree.root(), format, &fs);
    RunJob(run);
    EXPECT_TRUE(fs.Renames().empty()) << format;
    EXPECT_EQ(run.label.Texts(), Strings{SearchingText(tree.root())});
    ExpectNormalEnd(run);
  }
}

TEST(RenameWorker, SecondRunKeepsNamesThatAreAlreadyRight) {
  TempFolder tree;
  tree.Write("1.CRW", CrwFile(kOctober2004));
  tree.Write("2.CRW", CrwFile(kOctober2004));
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

// A job over a temporary tree, through a file system a test can script.
class RenameWorkerStop : public testing::Test {
 protected:
  // The scan asks for a stop as it lists the folder `relative`.
  void StopWhenListing(const std::string& relative) {
    fs.onList = [this, folder = tree.Path(relative)](const std::string& listed) {
      if (listed == folder) run.job.state.store(StopRequested);
    };
  }

  TempFolder tree;
  ScriptedFileSystem fs;
  RecordedJob run{tree.root(), DateAndTime, &fs};
};

// The caller's side of a stop: turn Running into StopRequested.
bool RequestStop(RenameJob& job) {
  int32_t running = Running;
  return job.state.compare_exchange_strong(running, StopRequested);
}

TEST_F(RenameWorkerStop, RequestBeforeTheWorkerBeganIsHonoured) {
  tree.Write("1.CRW", CrwFile(kOctober2004));
  run.job.state.store(StopRequested);
  RunJob(run);
  ExpectSilent(run);
  EXPECT_TRUE(run.label.Texts().empty());
  EXPECT_EQ(tree.Names(), Strings{"1.CRW"});
}

TEST_F(RenameWorkerStop, RecordAlreadyRunningIsLeftToItsWorker) {
  tree.Write("1.CRW", CrwFile(kOctober2004));
  run.job.state.store(Running);
  RunJob(run);
  ExpectSilent(run, Running);
  EXPECT_TRUE(run.label.Texts().empty());
  EXPECT_EQ(tree.Names(), Strings{"1.CRW"});
}

TEST_F(RenameWorkerStop, DuringScanAfterFilesWereFoundEndsBeforeAnyRename) {
  tree.Write("a/1.CRW", CrwFile(kOctober2004));
  tree.Write("b/2.CRW", CrwFile(kOctober2004 + 1));
  StopWhenListing("b");
  RunJob(run);
  EXPECT_TRUE(fs.Renames().empty());
  EXPECT_EQ(run.label.Texts().back(), SearchingText(tree.Path("b")));
  ExpectSilent(run);
}

TEST_F(RenameWorkerStop, DuringScanBeforeAnyFileTakesTheNormalEnd) {
  tree.Write("b/2.CRW", CrwFile(kOctober2004 + 1));
  StopWhenListing("b");
  RunJob(run);
  EXPECT_TRUE(fs.Renames().empty());
  ExpectNormalEnd(run);
}

TEST_F(RenameWorkerStop, DuringRenameAttemptsNoFurtherAttemptIsMade) {
  tree.Write("1.CRW", CrwFile(kOctober2004));
  tree.Write("2.CRW", CrwFile(kOctober2004));
  Gate gate;
  fs.onRename = [&](const std::string&, const std::string&) -> std::optional<RenameOutcome> {
    gate.Enter();
    return RenameOutcome::NameTaken;
  };
  std::thread worker([&] { RunJob(run); });
  EXPECT_TRUE(gate.WaitUntilEntered());
  EXPECT_TRUE(RequestStop(run.job));
  gate.Open();
  WaitUntilIdle(run.job);
  worker.join();
  EXPECT_EQ(fs.Renames().size(), 1u);
  EXPECT_EQ(run.label.Texts(), Strings{SearchingText(tree.root())});
  ExpectSilent(run);
  EXPECT_EQ(tree.Names(), (Strings{"1.CRW", "2.CRW"}));
}

TEST_F(RenameWorkerStop, StopFromAnotherThreadLeavesEveryFileWhole) {
  const std::string crw = CrwFile(kOctober2004);
  for (int i = 0; i < 200; ++i) tree.Write("f" + std::to_string(1000 + i) + ".CRW", crw);
  std::thread worker([&] { RunJob(run); });
  // Stop once some progress is visible, as a user would.
  while (run.label.Texts().size() < 20 && run.box.Texts().empty()) std::this_thread::yield();
  bool stopped = RequestStop(run.job);
  WaitUntilIdle(run.job);
  worker.join();
  EXPECT_EQ(run.job.state.load(), Idle);
  if (!stopped) GTEST_SKIP() << "the job finished before the stop";
  ExpectSilent(run);
  size_t renamed = run.label.Texts().size() - 1;
  Strings names = tree.Names();
  ASSERT_EQ(names.size(), 200u);
  EXPECT_EQ(static_cast<size_t>(std::count_if(names.begin(), names.end(),
                                              [](const std::string& n) { return n.starts_with("041005_"); })),
            renamed);
}

}  // namespace
}  // namespace kirabo::test
