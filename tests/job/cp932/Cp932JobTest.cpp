// Built without the UTF-8 manifest and run in ANSI code page 932, as on a
// Japanese Windows that keeps its code page: the second byte of 表 (0x95 0x5C)
// is the byte of the separator '\'.

#include <gtest/gtest.h>

#include "JobHarness.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "engine/JournalFolder.h"
#include "engine/RenameWorker.h"
#include "engine/UndoWorker.h"
#include "platform/Multibyte.h"

namespace kirabo::test {
namespace {

using Strings = std::vector<std::string>;

const std::string kOmote = "\x95\x5C";  // 表

TEST(Cp932, RunsInCodePage932) { ASSERT_EQ(ActiveCodePage(), CodePage::Cp932); }

TEST(Cp932, FoldersEndingInTheSeparatorsByteAreWalkedAndTheirFilesRenamed) {
  TempFolder tree;
  const std::string inner = kOmote + "/" + kOmote;
  tree.Write(kOmote + "/IMG_0001.CRW", CrwFile(kOctober2004));
  tree.Write(inner + "/IMG_0002.CRW", CrwFile(kOctober2004 + 1));
  // A trailing separator, as the folder picker gives it.
  RecordedJob run(tree.Path(kOmote) + "\\", DateAndTime);
  RenameWorkerProc(&run.job);

  EXPECT_EQ(tree.Names(kOmote), (Strings{"041005_092510.CRW", kOmote}));
  EXPECT_EQ(tree.Names(inner), Strings{"041005_092511.CRW"});
  EXPECT_EQ(run.events.Events(),
            (Strings{"search " + tree.Path(kOmote) + "\\", "search " + tree.Path(inner),
                     "1/2 renamed " + tree.Path(kOmote + "/IMG_0001.CRW") + " > " + tree.Path(kOmote + "/041005_092510.CRW"),
                     "2/2 renamed " + tree.Path(inner + "/IMG_0002.CRW") + " > " + tree.Path(inner + "/041005_092511.CRW"),
                     "end completed 2 0 0 0"}));
}

// The journal is UTF-8: the name's bytes are kept as escapes and come back
// exactly.
TEST(Cp932, UndoRestoresNamesInCodePage932) {
  TempFolder tree;
  tree.MakeFolder("journals");
  tree.Write(kOmote + "/" + kOmote + ".CRW", CrwFile(kOctober2004));
  RecordedJob run(tree.Path(kOmote), DateAndTime);
  run.job.journalFolder = tree.Path("journals");
  RenameWorkerProc(&run.job);
  EXPECT_EQ(tree.Names(kOmote), Strings{"041005_092510.CRW"});
  std::optional<KeptJournal> latest = LatestUndoable(tree.Path("journals"), tree.Path(kOmote));
  ASSERT_TRUE(latest);
  EXPECT_NE(tree.Read("journals/" + JournalName(latest->path)).find("\\x95\\\\.CRW"), std::string::npos);
  RecordedJob undo(tree.Path(kOmote), DateAndTime);
  undo.job.undoJournal = latest->path;
  UndoWorkerProc(&undo.job);
  EXPECT_EQ(tree.Names(kOmote), Strings{kOmote + ".CRW"});
}

}  // namespace
}  // namespace kirabo::test
