#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <string>

#include "JobHarness.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/JournalFolder.h"
#include "engine/RenameWorker.h"
#include "engine/UndoWorker.h"

namespace kirabo::test {
namespace {

// The journal's file system refuses further lines part-way through a job
// that renames in several folders at once (files may grow no further): the
// job renames nothing more and says so, and every rename it made is in the
// journal, so that the undo gives every file its name back.
TEST(JournalFull, AJobInLanesStopsAtTheFirstLineRefused) {
  TempFolder tree;
  TempFolder journals;
  for (const char* folder : {"a", "b", "c", "d"}) {
    for (int i = 0; i < 30; ++i) tree.Write(std::string(folder) + "/f" + std::to_string(100 + i) + ".CRW", CrwFile(kOctober2004 + i));
  }
  std::vector<std::string> before;
  for (const char* folder : {"a", "b", "c", "d"}) before.push_back(testing::PrintToString(tree.Names(folder)));

  RecordedJob run(tree.root(), DateAndTime);
  run.job.readers = 16;
  run.job.journalFolder = journals.root();
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  const rlimit small{4096, limit.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  RenameWorkerProc(&run.job);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);

  std::vector<std::string> events = run.events.FileEvents();
  ASSERT_FALSE(events.empty());
  EXPECT_TRUE(events.back().starts_with("end journal failed ")) << events.back();
  EXPECT_GT(events.size(), 1u);
  EXPECT_LT(events.size(), 121u);

  RecordedJob undo(tree.root(), DateAndTime);
  undo.job.journalFolder = journals.root();
  undo.job.undoJournal = JournalFiles(journals.root()).back();
  UndoWorkerProc(&undo.job);
  std::vector<std::string> after;
  for (const char* folder : {"a", "b", "c", "d"}) after.push_back(testing::PrintToString(tree.Names(folder)));
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace kirabo::test
