#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <thread>

#include "Corpus.h"
#include "JobHarness.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/RenameWorker.h"

namespace kirabo::test {
namespace {

using Strings = std::vector<std::string>;

void RunJob(RecordedJob& run) { RenameWorkerProc(&run.job); }

// The job's last event, with the state already Idle.
void ExpectEnd(const RecordedJob& run, const std::string& end) {
  EXPECT_EQ(run.job.state.load(), Idle);
  Strings events = run.events.Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), end);
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
  Strings events = run.events.Events();
  ASSERT_EQ(events.size(), 10u);  // five folders searched, four files renamed, the end
  EXPECT_EQ(events[0], "search " + tree.root());
  EXPECT_EQ(events[5], "1/4 renamed " + tree.Path("a/IMG_0001.CRW") + " > " + tree.Path("a/041005_092510.CRW"));
  EXPECT_EQ(events[7], "3/4 renamed " + tree.Path("a/IMG_0003.CRW") + " > " + tree.Path("a/041005_092510_2.CRW"));
  EXPECT_EQ(events[8], "4/4 renamed " + tree.Path("b/IMG_0004.CRW") + " > " + tree.Path("b/041005_092510_1.CRW"));
  EXPECT_EQ(events[9], "end completed 4 0 0 0");
  EXPECT_EQ(run.job.state.load(), Idle);
}

// Names equal but for letter case clash: 092510.crw would take the same entry
// as 092510.CRW on FAT, exFAT, NTFS or a Mac. So would any listed entry.
TEST(RenameWorker, TimeOnlyCollidesAcrossDaysAndNamesClashIgnoringCase) {
  TempFolder tree;
  tree.Write("1.CRW", CrwFile(kOctober2004));
  tree.Write("2.CRW", CrwFile(UtcSeconds(2004, 10, 6, 9, 25, 10)));
  tree.Write("3.crw", CrwFile(UtcSeconds(2005, 1, 1, 9, 25, 10)));
  tree.Write("4.CRW", CrwFile(UtcSeconds(2005, 1, 1, 9, 25, 11)));
  tree.MakeFolder("092511.cRw");
  RecordedJob run(tree.root(), TimeOnly);
  RunJob(run);
  EXPECT_EQ(tree.Names(), (Strings{"092510.CRW", "092510_1.CRW", "092510_2.crw", "092511.cRw", "092511_1.CRW"}));
  ExpectEnd(run, "end completed 4 0 0 0");
}

TEST(RenameWorker, MixedTreeOfCrwCr2AndCr3KeepsEachFilesExtension) {
  TempFolder tree;
  tree.Write("a/1.CRW", CrwFile(kOctober2004));
  tree.Write("a/2.cr2", Cr2File("2010:05:01 12:00:00"));
  tree.Write("a/3.CR3", Cr3File("2017:01:02 03:04:05", "2018:02:21 12:08:56"));
  // Each file is read as what its content is, and keeps its own extension.
  tree.Write("b/4.CR2", Cr3File({}, "2019:03:04 05:06:07"));
  tree.Write("b/5.Cr3", Cr2File("2011:06:07 08:09:10"));
  tree.Write("b/6.cr3", CrwFile(kOctober2004));
  std::ifstream sample(kCorpusFolder + "/cr3/exiftool-CanonRaw.cr3", std::ios::binary);
  tree.Write("c/exiftool-CanonRaw.cr3", std::string(std::istreambuf_iterator<char>(sample), {}));
  RecordedJob run(tree.root(), DateAndTime);
  RunJob(run);
  EXPECT_EQ(tree.Names("a"), (Strings{"041005_092510.CRW", "100501_120000.cr2", "180221_120856.CR3"}));
  EXPECT_EQ(tree.Names("b"), (Strings{"041005_092510.cr3", "110607_080910.Cr3", "190304_050607.CR2"}));
  EXPECT_EQ(tree.Names("c"), Strings{"180221_120856.cr3"});
  ExpectEnd(run, "end completed 7 0 0 0");
}

TEST(RenameWorker, OtherMakersFilesJoinCanonsInOneJob) {
  auto sample = [](const std::string& name) {
    std::ifstream in(kCorpusFolder + "/formats/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  TempFolder tree;
  tree.Write("a/DSC_0001.NEF", sample("exiftool-Nikon.nef"));
  tree.Write("a/DSCF0002.raf", sample("exiftool-FujiFilm.raf"));
  tree.Write("a/PICT0003.Mrw", sample("exiftool-Minolta.mrw"));
  tree.Write("a/IMG_0004.CRW", CrwFile(kOctober2004));
  // Read as what the content is; a Canon name keeps Canon's reading (IFD0's
  // DateTime for a TIFF), and every file keeps its extension.
  tree.Write("b/IMG_0005.NEF", TiffFile().CanonMark().Directory({Ascii(0x0132, "2010:05:01 12:00:00")}).Build());
  tree.Write("b/IMG_0006.dng", CrwFile(kOctober2004));
  tree.Write("b/P0000007.ORF", sample("exiftool-Panasonic.rw2"));
  tree.Write("b/DSC_0008.CR2", sample("exiftool-Nikon.nef"));
  tree.Write("b/notes.txt", "2004:10:05 09:25:10");
  RecordedJob run(tree.root(), DateAndTime);
  RunJob(run);
  EXPECT_EQ(tree.Names("a"), (Strings{"040609_160235.NEF", "041005_092510.CRW", "041118_231458.Mrw",
                                      "070522_135830.raf"}));
  EXPECT_EQ(tree.Names("b"), (Strings{"041005_092510.dng", "050825_130905.CR2", "080806_152156.ORF",
                                      "100501_120000.NEF", "notes.txt"}));
  ExpectEnd(run, "end completed 8 0 0 0");
}

// One file of each outcome, reported in list order and counted at the end.
TEST(RenameWorker, ReportsEveryOutcomeAndCountsThem) {
  TempFolder tree;
  tree.Write("1.CRW", CrwFile(UtcSeconds(2001, 1, 1, 0, 0, 1)));
  tree.Write("2.CRW", "not a raw file");
  tree.Write("3.CRW", CrwFile(UtcSeconds(2001, 1, 1, 0, 0, 3)));
  tree.Write("4.CRW", CrwFile(UtcSeconds(2001, 1, 1, 0, 0, 5)));
  tree.Write("010101_000004.CRW", CrwFile(UtcSeconds(2001, 1, 1, 0, 0, 4)));
  ScriptedFileSystem fs;
  fs.onRename = [&](const std::string& from, const std::string&) -> std::optional<RenameResult> {
    if (from == tree.Path("3.CRW")) return RenameResult{RenameOutcome::Failed, "Read-only file system"};
    return std::nullopt;
  };
  fs.onRead = [&](const std::string& path) -> std::optional<CaptureTimeRead> {
    if (path == tree.Path("4.CRW")) return CaptureTimeRead{-1, false, "Input/output error"};
    return std::nullopt;
  };
  RecordedJob run(tree.root(), DateAndTime, &fs);
  RunJob(run);
  EXPECT_EQ(run.events.FileEvents(),
            (Strings{"1/5 already " + tree.Path("010101_000004.CRW"),
                     "2/5 renamed " + tree.Path("1.CRW") + " > " + tree.Path("010101_000001.CRW"),
                     "3/5 no time " + tree.Path("2.CRW"),
                     "4/5 failed " + tree.Path("3.CRW") + ": Read-only file system",
                     "5/5 unreadable " + tree.Path("4.CRW") + ": Input/output error",
                     "end completed 1 1 1 1 unreadable 1"}));
  // One attempt for each file but the one already named: no suffix after a
  // failure, and none for a file that could not be read.
  EXPECT_EQ(fs.Renames().size(), 2u);
  EXPECT_EQ(tree.Names(), (Strings{"010101_000001.CRW", "010101_000004.CRW", "2.CRW", "3.CRW", "4.CRW"}));
}

TEST(RenameWorker, UnknownFormatDealsWithNoFile) {
  for (int32_t format : {-1, 2}) {
    TempFolder tree;
    tree.Write("1.CRW", CrwFile(kOctober2004));
    ScriptedFileSystem fs;
    RecordedJob run(tree.root(), format, &fs);
    RunJob(run);
    EXPECT_TRUE(fs.Renames().empty()) << format;
    EXPECT_EQ(run.events.Events(), (Strings{"search " + tree.root(), "end completed 0 0 0 0"}));
  }
}

// A name freed by the job is the first free one again for the files after it:
// A takes _1, freed by the file that held it, not _3.
TEST(RenameWorker, NameFreedDuringTheJobIsFilledInOrder) {
  TempFolder tree;
  tree.MakeFolder("041005_092510.CRW");
  tree.Write("0.CRW", CrwFile(kOctober2004));
  tree.Write("041005_092510_1.CRW", CrwFile(UtcSeconds(2005, 1, 1, 0, 0, 0)));
  tree.Write("A.CRW", CrwFile(kOctober2004));
  RecordedJob run(tree.root(), DateAndTime);
  RunJob(run);
  EXPECT_EQ(tree.Names(),
            (Strings{"041005_092510.CRW", "041005_092510_1.CRW", "041005_092510_2.CRW", "050101_000000.CRW"}));
  EXPECT_EQ(run.events.FileEvents()[2],
            "3/3 renamed " + tree.Path("A.CRW") + " > " + tree.Path("041005_092510_1.CRW"));
}

// Each file starts at the first free suffix: one rename attempt per file.
TEST(RenameWorker, SameStemFilesCostOneRenameEach) {
  const int kFiles = 2000;
  TempFolder tree;
  const std::string crw = CrwFile(kOctober2004);
  for (int i = 0; i < kFiles; ++i) tree.Write("f" + std::to_string(10000 + i) + ".CRW", crw);
  ScriptedFileSystem fs;
  RecordedJob run(tree.root(), DateAndTime, &fs);
  RunJob(run);
  EXPECT_EQ(fs.Renames().size(), static_cast<size_t>(kFiles));
  EXPECT_EQ(fs.Renames().back().second, tree.Path("041005_092510_1999.CRW"));
  ExpectEnd(run, "end completed 2000 0 0 0");
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
  // The suffixed file's stem is taken by the first file: the first free
  // suffix is its own name again.
  EXPECT_EQ(second.events.FileEvents(),
            (Strings{"1/2 already " + tree.Path("041005_092510.CRW"),
                     "2/2 already " + tree.Path("041005_092510_1.CRW"), "end completed 0 2 0 0"}));
}

TEST(RenameWorker, ErrorInsideTheJobEndsItWithoutEndingTheProcess) {
  ScriptedFileSystem fs;
  fs.onList = [](const std::string&) { throw std::bad_alloc(); };
  RecordedJob run("/", DateAndTime, &fs);
  RunJob(run);
  ExpectEnd(run, "end failed 0 0 0 0");
}

// A job over a temporary tree, through a file system a test can script.
class RenameWorkerStop : public testing::Test {
 protected:
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
  EXPECT_EQ(run.events.Events(), Strings{"end stopped 0 0 0 0"});
  EXPECT_EQ(run.job.state.load(), Idle);
  EXPECT_EQ(tree.Names(), Strings{"1.CRW"});
}

TEST_F(RenameWorkerStop, RecordAlreadyRunningIsLeftToItsWorker) {
  tree.Write("1.CRW", CrwFile(kOctober2004));
  run.job.state.store(Running);
  RunJob(run);
  EXPECT_EQ(run.job.state.load(), Running);
  EXPECT_TRUE(run.events.Events().empty());
  EXPECT_EQ(tree.Names(), Strings{"1.CRW"});
}

// Whether or not the scan had found files, a stop during it ends the job
// before any file is dealt with.
TEST_F(RenameWorkerStop, DuringScanEndsBeforeAnyFile) {
  for (const char* before : {"a/1.CRW", "a/notes.txt"}) {
    TempFolder tree;
    tree.Write(before, CrwFile(kOctober2004));
    tree.Write("b/2.CRW", CrwFile(kOctober2004 + 1));
    ScriptedFileSystem fs;
    RecordedJob run(tree.root(), DateAndTime, &fs);
    fs.onList = [&](const std::string& listed) {
      if (listed == tree.Path("b")) run.job.state.store(StopRequested);
    };
    RunJob(run);
    EXPECT_TRUE(fs.Renames().empty());
    EXPECT_EQ(run.events.FileEvents(), Strings{"end stopped 0 0 0 0"}) << before;
    EXPECT_EQ(run.job.state.load(), Idle);
  }
}

TEST_F(RenameWorkerStop, DuringRenameAttemptsNoFurtherAttemptIsMade) {
  tree.Write("1.CRW", CrwFile(kOctober2004));
  tree.Write("2.CRW", CrwFile(kOctober2004));
  Gate gate;
  fs.onRename = [&](const std::string&, const std::string&) -> std::optional<RenameResult> {
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
  EXPECT_EQ(run.events.Events(), (Strings{"search " + tree.root(), "end stopped 0 0 0 0"}));
  EXPECT_EQ(tree.Names(), (Strings{"1.CRW", "2.CRW"}));
}

// The request comes after the last rename: it is acknowledged with the end.
TEST_F(RenameWorkerStop, AfterTheLastFileEndsStoppedWithFullCounts) {
  tree.Write("1.CRW", CrwFile(kOctober2004));
  fs.onRename = [&](const std::string&, const std::string&) -> std::optional<RenameResult> {
    std::filesystem::rename(tree.Path("1.CRW"), tree.Path("041005_092510.CRW"));
    RequestStop(run.job);
    return RenameOutcome::Renamed;
  };
  RunJob(run);
  ExpectEnd(run, "end stopped 1 0 0 0");
}

TEST_F(RenameWorkerStop, StopFromAnotherThreadLeavesEveryFileWhole) {
  const std::string crw = CrwFile(kOctober2004);
  for (int i = 0; i < 200; ++i) tree.Write("f" + std::to_string(1000 + i) + ".CRW", crw);
  std::thread worker([&] { RunJob(run); });
  // Stop once some progress is visible, as a user would.
  while (run.events.Events().size() < 20) std::this_thread::yield();
  bool stopped = RequestStop(run.job);
  WaitUntilIdle(run.job);
  worker.join();
  EXPECT_EQ(run.job.state.load(), Idle);
  if (!stopped) GTEST_SKIP() << "the job finished before the stop";
  Strings events = run.events.Events();
  ASSERT_TRUE(events.back().starts_with("end stopped ")) << events.back();
  size_t renamed = events.size() - 2;
  Strings names = tree.Names();
  ASSERT_EQ(names.size(), 200u);
  EXPECT_EQ(static_cast<size_t>(std::count_if(names.begin(), names.end(),
                                              [](const std::string& n) { return n.starts_with("041005_"); })),
            renamed);
}

}  // namespace
}  // namespace kirabo::test
