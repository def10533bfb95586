#include <gtest/gtest.h>

#include "TempFolder.h"
#include "engine/Journal.h"
#include "engine/JournalFolder.h"
#include "engine/JournalText.h"
#include "engine/JournalWriter.h"

namespace kirabo::test {
namespace {

TEST(JournalText, EveryNameComesBackByteForByte) {
  struct Case {
    std::string bytes;
    std::string field;
  };
  const Case cases[] = {
      {"/photos/IMG_0001.CRW", "/photos/IMG_0001.CRW"},
      {"/写真/表.CRW", "/写真/表.CRW"},
      {"C:\\photos", "C:\\\\photos"},
      {"a\tb\nc\x7F", "a\\x09b\\x0Ac\\x7F"},
      {"IMG_\xFF.CRW", "IMG_\\xFF.CRW"},                  // a Linux name in no encoding
      {"\x95\x5C.CRW", "\\x95\\\\.CRW"},                   // 表 in code page 932: its trail byte is '\'
      {"\xC0\xAF \xED\xA0\x80 \xE6\x97", "\\xC0\\xAF \\xED\\xA0\\x80 \\xE6\\x97"},  // overlong, surrogate, cut
      {"\\x41", "\\\\x41"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    EXPECT_EQ(EscapeJournalField(c.bytes), c.field);
    EXPECT_EQ(UnescapeJournalField(c.field), c.bytes);
  }
  for (const char* broken : {"a\\", "\\x4", "\\xZZ", "\\n"}) EXPECT_FALSE(UnescapeJournalField(broken)) << broken;
}

std::string SampleJournal() {
  Journal header;
  header.program = "kirabo 1.0";
  header.folder = "/photos";
  header.started = "2026-12-09T17:38:11Z";
  FileIdentity identity{1, 2, 3, -4};
  return JournalHeaderLines(header) + JournalRenameLine("/photos/a.CRW", "/photos/b.CRW", identity) +
         "companion\tfor a later version\n" + JournalRenameLine("/photos/c.CRW", "/photos/b.CRW", identity) +
         JournalNotMadeLine() + JournalEndLine("stopped", 2);
}

TEST(Journal, ReadsWhatWasWrittenAndWhatACrashLeft) {
  Journal journal;
  ASSERT_TRUE(ParseJournal(SampleJournal(), journal));
  EXPECT_EQ(journal.folder, "/photos");
  EXPECT_EQ(journal.started, "2026-12-09T17:38:11Z");
  ASSERT_EQ(journal.renames.size(), 2u);
  EXPECT_EQ(journal.renames[0].to, "/photos/b.CRW");
  EXPECT_EQ(journal.renames[0].identity.modified, -4);
  EXPECT_TRUE(journal.renames[0].made);
  EXPECT_FALSE(journal.renames[1].made);
  EXPECT_EQ(journal.MadeRenames(), 1u);
  EXPECT_EQ(journal.end, "stopped");
  EXPECT_EQ(journal.failures, 2u);
  EXPECT_FALSE(journal.takenBack);

  ASSERT_TRUE(ParseJournal(SampleJournal() + JournalTakenBackLine("now", "x.journal") + "end\tcomp", journal));
  EXPECT_TRUE(journal.takenBack);

  // Killed after the header and half a line: no rename.
  std::string text = SampleJournal();
  ASSERT_TRUE(ParseJournal(text.substr(0, text.find("rename") + 10), journal));
  EXPECT_TRUE(journal.renames.empty());
  ASSERT_TRUE(ParseJournal(text, journal, true));
  EXPECT_TRUE(journal.renames.empty());
  EXPECT_EQ(journal.folder, "/photos");

  std::string newer = text;
  newer.replace(newer.find("\t2\n"), 3, "\t" + std::to_string(kJournalVersion + 1) + "\n");
  EXPECT_FALSE(ParseJournal(newer, journal));
  EXPECT_FALSE(ParseJournal("", journal));
  EXPECT_FALSE(ParseJournal(text.substr(0, text.find('\n') + 1) + "rename\ta\tb\t1\n", journal));
}

// Two threads' renames, their lines interleaved: each line goes with the
// rename above it in its own lane.
TEST(Journal, ReadsEachLaneAsAJobOfItsOwn) {
  Journal header;
  header.folder = "/photos";
  FileIdentity identity{1, 2, 3, 4};
  auto rename = [&](const char* from) { return JournalRenameLine(from, "/photos/x", identity); };
  const std::string text = JournalHeaderLines(header) + rename("/photos/a0") + JournalLaneLine(1) +
                           JournalGroupLine(2) + rename("/photos/a1") + JournalLaneLine(2) + JournalGroupLine(2) +
                           rename("/photos/b1") + JournalLaneLine(1) + JournalNotMadeLine() + rename("/photos/a2") +
                           JournalLaneLine(2) + JournalReservedLine(identity) + rename("/photos/b2") +
                           JournalGroupEndLine() + JournalLaneLine(0) + JournalNotMadeLine();
  Journal journal;
  ASSERT_TRUE(ParseJournal(text, journal));
  struct Expected {
    uint32_t lane;
    bool made;
    bool reserved;
  };
  const Expected expected[] = {{0, false, false}, {1, false, false}, {2, true, true}, {1, true, false}, {2, true, false}};
  ASSERT_EQ(journal.renames.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(journal.renames[i].from);
    EXPECT_EQ(journal.renames[i].lane, expected[i].lane);
    EXPECT_EQ(journal.renames[i].made, expected[i].made);
    EXPECT_EQ(journal.renames[i].reserved, expected[i].reserved);
  }
  ASSERT_EQ(journal.cutShortGroups.size(), 1u);
  EXPECT_EQ(journal.cutShortGroups[0].lane, 1u);
  EXPECT_EQ(journal.cutShortGroups[0].first, 1u);
  EXPECT_EQ(journal.lastLane, 0u);
  EXPECT_EQ(journal.lastRenames, (std::vector<size_t>{0, 3, 4}));
}

// Journals written by hand, oldest first: which one an undo of /photos takes.
TEST(JournalFolder, OffersTheLatestJobNotTakenBack) {
  TempFolder folder;
  auto write = [&](const std::string& name, const std::string& target, const std::string& undoes, bool renamed,
                   const std::string& tail) {
    Journal header;
    header.folder = target;
    header.undoes = undoes;
    std::string text = JournalHeaderLines(header);
    if (renamed) text += JournalRenameLine("/x/a", "/x/b", {});
    folder.Write(name + ".journal", text + tail);
  };
  auto latest = [&] {
    std::optional<KeptJournal> kept = LatestUndoable(folder.root(), "/photos");
    return kept ? JournalName(kept->path) : std::string("none");
  };
  EXPECT_EQ(latest(), "none");
  write("1", "/photos", "", true, JournalEndLine("completed", 0));
  EXPECT_EQ(latest(), "1.journal");
  write("2", "/other", "", true, JournalEndLine("completed", 0));
  write("3", "/photos", "", false, JournalEndLine("completed", 0));  // renamed nothing
  EXPECT_EQ(latest(), "1.journal");
  write("4", "/photos", "1.journal", true, JournalEndLine("stopped", 0));  // an undo that left some
  EXPECT_EQ(latest(), "1.journal");
  write("5", "/photos", "", true, "");  // killed: no end line
  EXPECT_EQ(latest(), "5.journal");
  write("6", "/photos", "5.journal", true, JournalEndLine("completed", 0));
  ASSERT_TRUE(MarkTakenBack(folder.Path("5.journal"), "6.journal"));
  EXPECT_EQ(latest(), "6.journal");  // the clean undo, to be redone
  EXPECT_EQ(ReadJournals(folder.root()).size(), 6u);
}

TEST(JournalFolder, KeepsTheLastJournalsAndTheOneBeingUndone) {
  TempFolder folder;
  for (int i = 10; i < 10 + 60; ++i) folder.Write("2000" + std::to_string(i) + ".journal", "");
  folder.Write("notes.txt", "");
  JournalWriter writer;
  ASSERT_TRUE(writer.Start(folder.root(), {}, folder.Path("200011.journal")));
  std::vector<std::string> files = JournalFiles(folder.root());
  ASSERT_EQ(files.size(), kKeptJournals + 1);
  EXPECT_EQ(JournalName(files[0]), "200011.journal");
  EXPECT_EQ(JournalName(files[1]), "200021.journal");
  EXPECT_EQ(files.back(), writer.Path());
  EXPECT_TRUE(folder.Exists("notes.txt"));
}

}  // namespace
}  // namespace kirabo::test
