#include <gtest/gtest.h>

#include <string>

#include "CliRunner.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo::test {
namespace {

using Strings = std::vector<std::string>;

TEST(KiraboCli, RenamesTheTreeWithTheWindowsSeparator) {
  TempFolder tree;
  tree.Write("trip/IMG_0001.CRW", CrwFile(kOctober2004));
  tree.Write("trip/写真/IMG_0002.cr2", CrwFile(kOctober2004));
  tree.Write("trip/IMG_0001.THM", "not a raw file");

  // '/' is a separator too; paths are shown beginning as they were typed.
  std::string given = tree.root() + "/trip/";
  CliResult result = RunCli({given});
  EXPECT_EQ(result.exitCode, 0);
  const std::string& t = given;
  EXPECT_EQ(result.out, "1/2\t" + t + "IMG_0001.THM\t" + t + "041005_092510.THM\n" +  //
                            "1/2\t" + t + "IMG_0001.CRW\t" + t + "041005_092510.CRW\n" +
                            "2/2\t" + t + "写真\\IMG_0002.cr2\t" + t + "写真\\041005_092510.cr2\n");
  EXPECT_EQ(result.err, t + "\tsearching...\n" + t + "写真\tsearching...\n" +
                            "2 renamed (1 companion file), 0 already named, 0 without capture time, 0 failed\n");
  EXPECT_EQ(tree.Names("trip"), (Strings{"041005_092510.CRW", "041005_092510.THM", "写真"}));
  EXPECT_EQ(tree.Names("trip/写真"), Strings{"041005_092510.cr2"});
}

// A co-user swaps a sub-folder for a link to a folder outside the tree once
// the first file has been renamed; the program is held in its first stdout
// line meanwhile.
TEST(KiraboCli, FolderSwappedForALinkAfterTheFirstRenameLeadsNowhereElse) {
  TempFolder root;
  root.Write("tree/a.CRW", CrwFile(kOctober2004));
  root.Write("tree/shared/b.CRW", CrwFile(kOctober2004));
  root.Write("victim/b.CRW", CrwFile(kOctober2004));  // the name the scan listed
  CliSetting setting;
  setting.outputFull = true;
  // One reader: readers ahead would hold the sub-folder open already, and
  // Windows would refuse the swap itself.
  RunningCli cli({"--quiet", "-j", "1", root.Path("tree")}, setting);
  while (root.Exists("tree/a.CRW")) ::Sleep(1);
  ASSERT_TRUE(::MoveFileA(root.Path("tree\\shared").c_str(), root.Path("tree\\shared.old").c_str()));
  ASSERT_TRUE(
      ::CreateSymbolicLinkA(root.Path("tree\\shared").c_str(), "..\\victim", SYMBOLIC_LINK_FLAG_DIRECTORY));
  CliResult result = cli.Finish();
  EXPECT_EQ(root.Names("victim"), Strings{"b.CRW"});
  EXPECT_EQ(root.Names("tree/shared.old"), Strings{"b.CRW"});
  EXPECT_EQ(result.exitCode, 3);
  const std::string failed = "kirabo-cli: " + root.Path("tree\\shared\\b.CRW") + ": cannot rename: ";
  EXPECT_EQ(result.err.substr(0, failed.size()), failed) << result.err;
}

// A file another program holds open without sharing cannot be read: it is
// said so, in the user's language, and counted apart.
TEST(KiraboCli, FileHeldOpenElsewhereCannotBeRead) {
  TempFolder tree;
  const std::string held = tree.Write("IMG_0001.CRW", CrwFile(kOctober2004));
  HANDLE file = ::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CliSetting japanese;
  japanese.environment = {{"KIRABO_LANG", "ja"}};
  CliResult result = RunCli({"--quiet", tree.root()}, japanese);
  CliResult summary = RunCli({tree.root()});
  ::CloseHandle(file);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.err.starts_with("kirabo-cli: " + held + ": 読み込めません: ")) << result.err;
  EXPECT_TRUE(summary.err.ends_with("\n0 renamed, 0 already named, 0 without capture time, 0 failed, 1 could not be read\n"))
      << summary.err;
  EXPECT_EQ(tree.Names(), Strings{"IMG_0001.CRW"});
}

// kirabo-cli switches the console to its own code page, and the console
// would keep that once it has ended: the user's own comes back.
TEST(KiraboCli, ConsoleGetsItsCodePageBack) {
  ::AllocConsole();  // fails when the test has one already
  if (!::SetConsoleOutputCP(437)) GTEST_SKIP() << "no console to switch (wine gives none here)";
  EXPECT_EQ(RunCli({"--version"}).exitCode, 0);
  EXPECT_EQ(::GetConsoleOutputCP(), 437u);
}

// The help speaks of Windows' own ways, in both languages.
TEST(KiraboCli, HelpNamesSlashQuestionMarkAndCtrlBreak) {
  for (const char* language : {"en", "ja"}) {
    SCOPED_TRACE(language);
    CliSetting setting;
    setting.environment = {{"KIRABO_LANG", language}};
    CliResult help = RunCli({"/?"}, setting);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("  -h, --help, /?  "), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("Ctrl-C "), std::string::npos);
    EXPECT_NE(help.out.find(" Ctrl-Break "), std::string::npos);
    EXPECT_EQ(help.out.find("SIGTERM"), std::string::npos);
  }
}

}  // namespace
}  // namespace kirabo::test
