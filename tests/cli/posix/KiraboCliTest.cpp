#include <gtest/gtest.h>
#include <iconv.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "CliRunner.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "res/Version.h"
#include "res/translations/TextTable.h"

namespace kirabo::test {
namespace {

using Strings = std::vector<std::string>;

TEST(KiraboCli, RenamesTheTreeWithOneEscapedLinePerFile) {
  TempFolder tree;
  tree.Write("trip/IMG_0001.CRW", CrwFile(kOctober2004));
  tree.Write("trip/IMG_0002.CRW", CrwFile(kOctober2004));
  tree.Write("trip/odd\tname\nhere\\.cr2", CrwFile(kOctober2004 + 1));
  tree.Write("trip/IMG_0001.THM", "not a raw file");
  tree.Write("trip/notes.crw", "not a raw file");

  CliResult result = RunCli({tree.root()});
  EXPECT_EQ(result.exitCode, 0);
  std::string t = tree.Path("trip/");
  EXPECT_EQ(result.out, "1/4\t" + t + "IMG_0001.THM\t" + t + "041005_092510.THM\n" +  //
                            "1/4\t" + t + "IMG_0001.CRW\t" + t + "041005_092510.CRW\n" +
                            "2/4\t" + t + "IMG_0002.CRW\t" + t + "041005_092510_1.CRW\n" +
                            "4/4\t" + t + "odd\\tname\\nhere\\\\.cr2\t" + t + "041005_092511.cr2\n");
  EXPECT_EQ(result.err, tree.root() + "\tsearching...\n" + tree.Path("trip") + "\tsearching...\n" +
                            "kirabo-cli: " + t + "notes.crw: no capture time\n" +
                            "3 renamed (1 companion file), 0 already named, 1 without capture time, 0 failed\n");
  EXPECT_EQ(tree.Names("trip"), (Strings{"041005_092510.CRW", "041005_092510.THM", "041005_092510_1.CRW",
                                         "041005_092511.cr2", "notes.crw"}));

  CliResult quiet = RunCli({"--quiet", "--format=time", "--raw-only", tree.Path("trip")});
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.err, "kirabo-cli: " + t + "notes.crw: no capture time\n");
  EXPECT_EQ(tree.Names("trip"),
            (Strings{"041005_092510.THM", "092510.CRW", "092510_1.CRW", "092511.cr2", "notes.crw"}));
}

TEST(KiraboCli, DryRunPrintsTheRealRunsLinesAndRenamesNothing) {
  TempFolder tree;
  // 041005_092510.CRW moves away first and frees its name for IMG_0001;
  // IMG_0002 then finds _1 taken by a folder and takes _2.
  const std::string newYear2005 = CrwFile(UtcSeconds(2005, 1, 1, 0, 0, 0));
  tree.Write("041005_092510.CRW", newYear2005);
  tree.MakeFolder("041005_092510_1.CRW");
  tree.Write("IMG_0001.CRW", CrwFile(kOctober2004));
  tree.Write("IMG_0002.CRW", CrwFile(kOctober2004));
  tree.Write("IMG_0003.CRW", newYear2005);
  Strings before = tree.Names();

  CliResult dry = RunCli({"--dry-run", tree.root()});
  EXPECT_EQ(dry.exitCode, 0);
  EXPECT_EQ(tree.Names(), before);
  CliResult real = RunCli({tree.root()});
  EXPECT_EQ(real.exitCode, 0);
  EXPECT_EQ(dry.out, real.out);
  // Only the summary tells them apart: it says what would happen.
  const std::string searching = tree.root() + "\tsearching...\n" + tree.Path("041005_092510_1.CRW") + "\tsearching...\n";
  EXPECT_EQ(dry.err, searching + "4 would be renamed, 0 already named, 0 without capture time, 0 would fail\n");
  EXPECT_EQ(real.err, searching + "4 renamed, 0 already named, 0 without capture time, 0 failed\n");
  EXPECT_EQ(tree.Names(), (Strings{"041005_092510.CRW", "041005_092510_1.CRW", "041005_092510_2.CRW",
                                   "050101_000000.CRW", "050101_000000_1.CRW"}));
  // Over the renamed tree every file already has its name: nothing to print.
  EXPECT_EQ(RunCli({"--dry-run", tree.root()}).out, "");
}

// One tree with every outcome, named as typed: a case clash (IMG_0001 cannot
// take 041005_092510.CRW beside 041005_092510.crw), a file already named, a
// link to a raw file outside (the link is renamed, its target is not), a
// folder the user cannot write to, a file without capture time and a link
// to a folder outside (not followed). The dry run predicts the real run.
TEST(KiraboCli, EveryOutcomeOnStdoutStderrAndExitStatus) {
  namespace fs = std::filesystem;
  TempFolder temp;
  temp.Write("tree/041005_092510.crw", CrwFile(kOctober2004));
  temp.Write("tree/IMG_0001.CRW", CrwFile(kOctober2004));
  temp.Write("tree/locked/IMG_0002.CRW", CrwFile(kOctober2004));
  temp.Write("tree/notes.CRW", "not a raw file");
  temp.Write("tree/noread/IMG_0005.CRW", CrwFile(kOctober2004));
  temp.Write("tree/closed/IMG_0006.CRW", CrwFile(kOctober2004));
  temp.Write("tree/secret.CRW", CrwFile(kOctober2004));
  temp.Write("outside/IMG_0003.CRW", CrwFile(kOctober2004));
  temp.Write("outside/IMG_0004.CRW", CrwFile(UtcSeconds(2005, 1, 1, 0, 0, 0)));
  fs::create_directory_symlink("../outside", temp.Path("tree/away"));
  fs::create_symlink("../outside/IMG_0004.CRW", temp.Path("tree/link.CRW"));
  fs::permissions(temp.root(), fs::perms::all);
  fs::permissions(temp.Path("tree"), fs::perms::all);
  fs::permissions(temp.Path("tree/locked"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  fs::permissions(temp.Path("tree/noread"), fs::perms::owner_write | fs::perms::owner_exec);  // 0300
  fs::permissions(temp.Path("tree/closed"), fs::perms::none);
  fs::permissions(temp.Path("tree/secret.CRW"), fs::perms::none);
  const CliSetting setting{temp.root(), true};

  const std::string unlisted =
      "./tree\tsearching...\n./tree/closed\tsearching...\n"
      "kirabo-cli: ./tree/closed: cannot list: Permission denied\n"
      "./tree/locked\tsearching...\n./tree/noread\tsearching...\n"
      "kirabo-cli: ./tree/noread: cannot list: Permission denied\n";
  const std::string quietUnlisted =
      "kirabo-cli: ./tree/closed: cannot list: Permission denied\n"
      "kirabo-cli: ./tree/noread: cannot list: Permission denied\n";
  const std::string warnings =
      "kirabo-cli: ./tree/locked/IMG_0002.CRW: cannot rename: Permission denied\n"
      "kirabo-cli: ./tree/notes.CRW: no capture time\n"
      "kirabo-cli: ./tree/secret.CRW: cannot read: Permission denied\n";
  const std::string renamed =
      "2/6\t./tree/IMG_0001.CRW\t./tree/041005_092510_1.CRW\n"
      "3/6\t./tree/link.CRW\t./tree/050101_000000.CRW\n";
  const std::string summary =
      "2 renamed, 1 already named, 1 without capture time, 1 failed, 1 could not be read, 2 folders not listed\n";
  const std::string drySummary = "2 would be renamed, 1 already named, 1 without capture time, 1 would fail, 1 could "
                                 "not be read, 2 folders not listed\n";
  struct Run {
    Strings args;
    std::string out;
    std::string err;
  };
  for (const Run& run : std::vector<Run>{{{"--dry-run", "./tree"}, renamed, unlisted + warnings + drySummary},
                                         {{"./tree"}, renamed, unlisted + warnings + summary},
                                         {{"--quiet", "./tree"}, "", quietUnlisted + warnings},
                                         {{"./tree/closed"}, "",
                                          "./tree/closed\tsearching...\n"
                                          "kirabo-cli: ./tree/closed: cannot list: Permission denied\n"
                                          "no raw files found, 1 folder not listed\n"}}) {
    CliResult result = RunCli(run.args, setting);
    EXPECT_EQ(result.exitCode, 3) << run.args[0];
    EXPECT_EQ(result.out, run.out) << run.args[0];
    EXPECT_EQ(result.err, run.err) << run.args[0];
  }
  EXPECT_EQ(temp.Names("tree"), (Strings{"041005_092510.crw", "041005_092510_1.CRW", "050101_000000.CRW", "away",
                                         "closed", "locked", "noread", "notes.CRW", "secret.CRW"}));
  EXPECT_EQ(temp.Names("tree/locked"), Strings{"IMG_0002.CRW"});
  EXPECT_EQ(temp.Names("outside"), (Strings{"IMG_0003.CRW", "IMG_0004.CRW"}));
}

// Another user's file in a sticky folder cannot be renamed: the dry run
// says so as the real run does.
TEST(KiraboCli, DryRunPredictsAnotherUsersFileInAStickyFolder) {
  namespace fs = std::filesystem;
  if (geteuid() != 0) GTEST_SKIP() << "needs root to own a file that the program's user does not";
  TempFolder temp;
  temp.Write("tree/IMG_0001.CRW", CrwFile(kOctober2004));
  fs::permissions(temp.root(), fs::perms::all);
  fs::permissions(temp.Path("tree"), fs::perms::all | fs::perms::sticky_bit);
  const CliSetting setting{temp.root(), true};
  const std::string err = "kirabo-cli: ./tree/IMG_0001.CRW: cannot rename: Operation not permitted\n";
  for (const char* dryRun : {"--dry-run", "--quiet"}) {
    CliResult result = RunCli({"--quiet", dryRun, "./tree"}, setting);
    EXPECT_EQ(result.exitCode, 3) << dryRun;
    EXPECT_EQ(result.err, err) << dryRun;
  }
  EXPECT_EQ(temp.Names("tree"), Strings{"IMG_0001.CRW"});
}

// Nobody reads the output: the first line fails, and the job stops before
// its next rename with one message.
TEST(KiraboCli, FailedOutputStopsTheJob) {
  TempFolder tree;
  for (int i = 0; i < 5; ++i) tree.Write("f" + std::to_string(i) + ".CRW", CrwFile(kOctober2004));
  CliSetting setting;
  setting.outputClosed = true;
  CliResult result = RunCli({"--quiet", tree.root()}, setting);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "kirabo-cli: cannot write the output: Broken pipe\n");
  EXPECT_EQ(tree.Names(), (Strings{"041005_092510.CRW", "f1.CRW", "f2.CRW", "f3.CRW", "f4.CRW"}));
}

TEST(KiraboCli, SignalStopsBetweenFilesAndLeavesEveryFileWhole) {
  const size_t kFiles = 2000;
  // Without --quiet the counts of what was done follow, on a line of their own.
  const struct {
    int signal;
    const char* language;
    bool quiet;
    const char* said;
    const char* counts;
    const char* readers;
  } kCases[] = {{SIGINT, "ja", true, "中断しました\n", "", "-j16"},
                {SIGTERM, "en", false, "Stopped\n", "%1 renamed, 0 already named, 0 without capture time, 0 failed\n",
                 "-j1"},
                {SIGINT, "ja", false, "中断しました\n", "リネーム %1 件、正しい名前 0 件、撮影日時なし 0 件、失敗 0 件\n",
                 "-j16"}};
  for (const auto& [signal, language, quiet, said, counts, readers] : kCases) {
    TempFolder tree;
    for (size_t i = 0; i < kFiles; ++i) tree.Write("f" + std::to_string(10000 + i) + ".CRW", CrwFile(kOctober2004));
    CliSetting setting;
    setting.environment = {{"KIRABO_LANG", language}};
    RunningCli cli(quiet ? Strings{"--quiet", readers, tree.root()} : Strings{readers, tree.root()}, setting);
    ASSERT_FALSE(cli.ReadLine().empty());
    // Hold the job still so that the stop surely comes before its end.
    kill(static_cast<pid_t>(cli.pid()), SIGSTOP);
    kill(static_cast<pid_t>(cli.pid()), signal);
    kill(static_cast<pid_t>(cli.pid()), SIGCONT);
    CliResult result = cli.Finish();
    EXPECT_EQ(result.exitCode, 130);
    Strings names = tree.Names();
    ASSERT_EQ(names.size(), kFiles);
    auto renamed = std::count_if(names.begin(), names.end(), [](auto& n) { return n.starts_with("041005_"); });
    EXPECT_LT(renamed, static_cast<long>(kFiles));
    // The line already read plus the rest: one per renamed file.
    EXPECT_EQ(1 + std::count(result.out.begin(), result.out.end(), '\n'), renamed);
    const std::string searching = quiet ? "" : tree.root() + (language == std::string("ja") ? "\tを検索中・・・\n" : "\tsearching...\n");
    EXPECT_EQ(result.err, searching + said + WithArgument(counts, std::to_string(renamed)));
  }
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
  RunningCli cli({"--quiet", root.Path("tree")}, setting);
  while (root.Exists("tree/a.CRW")) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::filesystem::rename(root.Path("tree/shared"), root.Path("tree/shared.old"));
  std::filesystem::create_directory_symlink("../victim", root.Path("tree/shared"));
  CliResult result = cli.Finish();
  EXPECT_EQ(root.Names("victim"), Strings{"b.CRW"});
  EXPECT_EQ(root.Names("tree/shared.old"), Strings{"b.CRW"});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(result.err, "kirabo-cli: " + root.Path("tree/shared/b.CRW") + ": cannot rename: Not a directory\n");
}

TEST(KiraboCli, LinesInTheUsersLanguage) {
  using Environment = std::vector<std::pair<std::string, std::string>>;
  const Environment kUnset{{"KIRABO_LANG", ""}, {"LANGUAGE", ""}, {"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", ""}};
  const struct {
    Environment environment;
    bool japanese;
  } kCases[] = {
      {{{"LANG", "ja_JP.UTF-8"}}, true},
      {{{"LANG", "en_US.UTF-8"}}, false},
      {{{"LANG", "C.UTF-8"}}, false},
      {{{"LANGUAGE", "en:ja"}, {"LANG", "ja_JP.UTF-8"}}, false},
      {{{"LC_MESSAGES", "ja_JP.UTF-8"}, {"LANG", "en_US.UTF-8"}}, true},
      {{{"KIRABO_LANG", "en"}, {"LANG", "ja_JP.UTF-8"}}, false},
      {{{"KIRABO_LANG", "ja"}, {"LANG", "C.UTF-8"}}, true},
  };
  TempFolder empty;
  TempFolder tree;
  tree.Write("a.CRW", CrwFile(kOctober2004));
  tree.Write("b.CRW", "not a raw file");
  for (const auto& [environment, japanese] : kCases) {
    CliSetting setting;
    setting.environment = kUnset;
    setting.environment.insert(setting.environment.end(), environment.begin(), environment.end());
    SCOPED_TRACE(environment.back().second);
    CliResult none = RunCli({empty.root()}, setting);
    EXPECT_EQ(none.err, empty.root() + (japanese ? "\tを検索中・・・\nRAW ファイルが見つかりませんでした\n"
                                                 : "\tsearching...\nno raw files found\n"));
    // The stdout line and the "kirabo-cli: PATH: " prefix are the same in both.
    CliResult dry = RunCli({"--dry-run", "--quiet", tree.root()}, setting);
    EXPECT_EQ(dry.out, "1/2\t" + tree.Path("a.CRW") + "\t" + tree.Path("041005_092510.CRW") + "\n");
    EXPECT_EQ(dry.err, "kirabo-cli: " + tree.Path("b.CRW") + (japanese ? ": 撮影日時がありません\n" : ": no capture time\n"));
    CliResult summary = RunCli({"--dry-run", tree.root()}, setting);
    EXPECT_TRUE(summary.err.ends_with(japanese ? "\nリネーム予定 1 件、正しい名前 0 件、撮影日時なし 1 件、失敗予定 0 件\n"
                                               : "\n1 would be renamed, 0 already named, 1 without capture time, 0 would fail\n"))
        << summary.err;
  }
}

TEST(KiraboCli, UsageAndFolderErrorsInEachLanguage) {
  TempFolder tree;
  tree.Write("file.CRW", "not a raw file");
  struct Case {
    Strings args;
    int exitCode;
    std::string english;   // the first line
    std::string japanese;
  };
  const std::string file = tree.Path("file.CRW");
  for (const Case& c : std::vector<Case>{
           {{}, 2, "FOLDER is missing", "フォルダが指定されていません"},
           {{"--bogus", tree.root()}, 2, "unrecognized option '--bogus'", "不明なオプション '--bogus'"},
           {{"--format=0", tree.root()}, 2, "invalid format '0' (use one of 1, 2, datetime, time)",
            "不正な形式 '0' (1, 2, datetime, time のいずれか)"},
           {{tree.root(), tree.root()}, 2, "more than one FOLDER given", "フォルダが 2 つ以上指定されています"},
           {{tree.Path("missing")}, 1, tree.Path("missing") + ": No such file or directory",
            tree.Path("missing") + ": No such file or directory"},
           {{file}, 1, file + ": not a folder", file + ": フォルダではありません"},
           {{"--jobs", "--undo"}, 2, "--jobs and --undo do not go together", "--jobs と --undo は一緒に使えません"},
           {{"--undo", tree.root()}, 1, tree.root() + ": no job to undo",
            tree.root() + ": 取り消すジョブがありません"}}) {
    for (const char* language : {"en", "ja"}) {
      CliSetting setting;
      setting.environment = {{"KIRABO_LANG", language}, {"LC_ALL", "C.UTF-8"}};
      CliResult result = RunCli(c.args, setting);
      const bool english = language == std::string("en");
      SCOPED_TRACE(std::string(language) + " " + (c.args.empty() ? "" : c.args[0]));
      EXPECT_EQ(result.exitCode, c.exitCode);
      EXPECT_TRUE(result.out.empty());
      std::string expected = "kirabo-cli: " + (english ? c.english : c.japanese) + "\n";
      // A usage error is one line and a pointer to the help, not the help itself.
      if (c.exitCode == 2)
        expected += english ? "Try 'kirabo-cli --help' for more information.\n"
                            : "詳しくは 'kirabo-cli --help' を実行してください。\n";
      EXPECT_EQ(result.err, expected);
    }
  }
  EXPECT_EQ(tree.Names(), Strings{"file.CRW"});
  EXPECT_EQ(RunCli({"--version"}).out, std::string("kirabo-cli ") + kVersion + "\n");
  CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: kirabo-cli [-f FORMAT]"));
  EXPECT_NE(help.out.find("  1, datetime  yymmdd_hhmmss  (041005_092510.CRW)\n"), std::string::npos);
  // Every part of it is translated: its one Japanese text is the example.
  std::string english = help.out;
  english.erase(english.find("を検索中・・・"), std::string("を検索中・・・").size());
  EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](char c) { return (c & 0x80) == 0; })) << english;
  CliSetting japanese;
  japanese.environment = {{"KIRABO_LANG", "ja"}};
  EXPECT_TRUE(RunCli({"--help"}, japanese).out.starts_with("使い方: kirabo-cli [-f 形式]"));
}

bool HasLocaledef() { return std::system("command -v localedef >/dev/null") == 0; }

// Compiles `name` (e.g. "ja_JP.SJIS") from `source` and `charset` into
// `locales`: a clean system may have none but C.UTF-8.
bool CompileLocale(const TempFolder& locales, const std::string& source, const std::string& charset,
                   const std::string& name) {
  // Shift_JIS draws a warning (it is not ASCII compatible) and a non-zero
  // status, yet the locale is made.
  std::system(("localedef -c -i " + source + " -f " + charset + " " + locales.Path(name) + " >/dev/null 2>&1").c_str());
  return locales.Exists(name);
}

// `setting` run in the locale `name` of `locales`.
CliSetting InLocale(const TempFolder& locales, const std::string& name, CliSetting setting = {}) {
  setting.environment.insert(setting.environment.end(),
                             {{"LOCPATH", locales.root()}, {"LC_ALL", name}, {"LANGUAGE", ""}});
  return setting;
}

// `bytes` in `charset` read as UTF-8; "(not CHARSET)" when they do not decode.
std::string Decoded(const std::string& bytes, const char* charset) {
  iconv_t descriptor = iconv_open("UTF-8", charset);
  std::string out(bytes.size() * 3, '\0');
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char* next = out.data();
  size_t room = out.size();
  const bool decoded = iconv(descriptor, &in, &inLeft, &next, &room) != static_cast<size_t>(-1);
  iconv_close(descriptor);
  return decoded ? out.substr(0, out.size() - room) : "(not " + std::string(charset) + ")";
}

TEST(KiraboCli, FilesNeverLeaveAFolderWhoseNameEndsInALeadByte) {
  TempFolder locales;
  TempFolder tree;
  const std::string album = "album\x83";  // a Shift_JIS lead byte, then the separator
  tree.Write(album + "/IMG_0001.CRW", CrwFile(kOctober2004));
  tree.Write(album + "/" + album + "/IMG_0002.CRW", CrwFile(kOctober2004 + 1));

  ASSERT_TRUE(CompileLocale(locales, "ja_JP", "SHIFT_JIS", "ja_JP.SJIS")) << "needs the Debian package locales";
  CliResult result = RunCli({"--quiet", tree.Path(album + "/")}, InLocale(locales, "ja_JP.SJIS"));
  ASSERT_EQ(result.exitCode, 0);
  EXPECT_EQ(tree.Names(), Strings{album});
  EXPECT_EQ(tree.Names(album), (Strings{"041005_092510.CRW", album}));
  EXPECT_EQ(tree.Names(album + "/" + album), Strings{"041005_092511.CRW"});
}

// The program's own texts come out in the locale's character set, the paths
// beside them as the file system holds them; a character the set lacks
// shows as '?'. Each line then reads in that one set.
TEST(KiraboCli, OwnTextsInTheLocalesCharacterSetAndPathsAsTheyAre) {
  if (!HasLocaledef()) GTEST_SKIP() << "no localedef to make the locales with (Debian package locales)";
  const struct {
    const char* source;
    const char* charset;
    const char* reads;  // what the output is read as
    const char* locale;
    const char* language;     // KIRABO_LANG; empty: by the locale
    std::string folder;       // its name in the charset
    const char* shownFolder;  // that name in UTF-8
    const char* searching;    // the lines on stderr, in UTF-8, after the folder and "b.CRW"
    const char* noCaptureTime;
    const char* summary;
  } kCases[] = {
      // 表 ends in 0x5C, the byte of '\\', which stays part of its character.
      // Shift_JIS's own table reads 0x5C and 0x7E as ¥ and ‾; CP932 reads
      // them as the '\\' and '~' that were written.
      {"ja_JP", "SHIFT_JIS", "CP932", "ja_JP.SJIS", "", "\x95\x5C\x8E\x86", "表紙", "\tを検索中・・・", ": 撮影日時がありません",
       "リネーム予定 1 件、正しい名前 0 件、撮影日時なし 1 件、失敗予定 0 件"},
      {"ja_JP", "EUC-JP", "EUC-JP", "ja_JP.eucJP", "", "\xC9\xBD\xBB\xE6", "表紙", "\tを検索中・・・", ": 撮影日時がありません",
       "リネーム予定 1 件、正しい名前 0 件、撮影日時なし 1 件、失敗予定 0 件"},
      {"en_US", "ISO-8859-1", "ISO-8859-1", "en_US.ISO-8859-1", "ja", "caf\xE9", "café", "\t???????", ": ??????????",
       "?????? 1 ??????? 0 ???????? 1 ?????? 0 ?"},
  };
  CliSetting japanese;
  japanese.environment = {{"KIRABO_LANG", "ja"}, {"LC_ALL", "C.UTF-8"}};
  const std::string help = RunCli({"--help"}, japanese).out;
  TempFolder locales;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.locale);
    ASSERT_TRUE(CompileLocale(locales, c.source, c.charset, c.locale));
    TempFolder tree;
    const std::string folder = tree.Path(c.folder);
    tree.Write(c.folder + "/a.CRW", CrwFile(kOctober2004));
    tree.Write(c.folder + "/b.CRW", "not a raw file");
    CliSetting setting;
    setting.environment = {{"KIRABO_LANG", c.language}};
    CliResult result = RunCli({"--dry-run", folder}, InLocale(locales, c.locale, setting));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "1/2\t" + folder + "/a.CRW\t" + folder + "/041005_092510.CRW\n");
    const std::string shown = tree.Path(c.shownFolder);
    EXPECT_EQ(Decoded(result.err, c.reads), shown + c.searching + "\nkirabo-cli: " + shown + "/b.CRW" +
                                                   c.noCaptureTime + "\n" + c.summary + "\n");
    // The whole help, every character of it.
    if (*c.language == '\0') {
      EXPECT_EQ(Decoded(RunCli({"--help"}, InLocale(locales, c.locale, setting)).out, c.reads), help);
    }
  }
}

}  // namespace
}  // namespace kirabo::test

namespace kirabo::test {
namespace {

TEST(KiraboCli, UndoTakesBackTheLatestJobAndCanBeTakenBackInTurn) {
  TempFolder tree;
  tree.Write("photos/IMG_0001.CRW", CrwFile(kOctober2004));
  tree.Write("photos/IMG_0002.CRW", CrwFile(kOctober2004 + 1));
  CliSetting setting;
  setting.environment = {{"KIRABO_LANG", "en"}, {"XDG_STATE_HOME", tree.Path("state")}};
  const std::string photos = tree.Path("photos");
  const Strings renamed{"041005_092510.CRW", "041005_092511.CRW"}, original{"IMG_0001.CRW", "IMG_0002.CRW"};

  CliResult none = RunCli({"--undo", photos}, setting);
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(none.err, "kirabo-cli: " + photos + ": no job to undo\n");
  ASSERT_EQ(RunCli({"-q", photos}, setting).exitCode, 0);
  ASSERT_EQ(tree.Names("photos"), renamed);
  EXPECT_EQ(tree.Names("state/kirabo/jobs").size(), 1u);

  CliResult dry = RunCli({"--undo", "--dry-run", photos}, setting);
  EXPECT_EQ(dry.exitCode, 0);
  EXPECT_EQ(dry.out, "1/2\t" + photos + "/041005_092511.CRW\t" + photos + "/IMG_0002.CRW\n" + "2/2\t" + photos +
                         "/041005_092510.CRW\t" + photos + "/IMG_0001.CRW\n");
  EXPECT_EQ(dry.err, "2 would be restored, 0 would not be restored\n");
  EXPECT_EQ(tree.Names("photos"), renamed);

  CliResult undo = RunCli({"--undo", photos}, setting);
  EXPECT_EQ(undo.exitCode, 0);
  EXPECT_EQ(undo.out, dry.out);
  EXPECT_EQ(tree.Names("photos"), original);
  CliResult jobs = RunCli({"--jobs"}, setting);
  EXPECT_EQ(jobs.exitCode, 0);
  ASSERT_EQ(std::count(jobs.out.begin(), jobs.out.end(), '\n'), 2);
  EXPECT_NE(jobs.out.find("Z\t" + photos + "\t2 renamed\ttaken back\n"), std::string::npos) << jobs.out;
  EXPECT_NE(jobs.out.find("Z\t" + photos + "\t2 restored\tnot taken back\n"), std::string::npos) << jobs.out;

  // The redo meets a name taken since: that file stays, the other goes.
  tree.Write("photos/041005_092511.CRW", "mine");
  CliSetting japanese = setting;
  japanese.environment[0].second = "ja";
  CliResult dryRedo = RunCli({"--undo", "--dry-run", photos}, japanese);
  EXPECT_EQ(dryRedo.exitCode, 3);
  EXPECT_EQ(dryRedo.err, "kirabo-cli: " + photos + "/IMG_0002.CRW: 元に戻せません: 元の名前が使われています\n" +
                             "元に戻す予定 1 件、元に戻せない予定 1 件\n");
  CliResult redo = RunCli({"--undo", photos}, setting);
  EXPECT_EQ(redo.exitCode, 3);
  EXPECT_EQ(redo.err, "kirabo-cli: " + photos + "/IMG_0002.CRW: cannot undo: old name taken\n" +
                          "1 restored, 1 could not be restored\n");
  EXPECT_EQ(tree.Names("photos"), (Strings{"041005_092510.CRW", "041005_092511.CRW", "IMG_0002.CRW"}));
}

// Killed inside the fallback rename, a job leaves the photo under two names
// or an empty file at its new name; the next job clears it from the journal,
// and the photo ends under its one new name.
TEST(KiraboCli, TheNextJobClearsWhatAKillInTheFallbackRenameLeft) {
  const std::string photo = CrwFile(kOctober2004);
  for (const std::string step : {"unlink", "reservation"}) {
    SCOPED_TRACE(step);
    TempFolder tree;
    tree.Write("photos/IMG_0001.CRW", photo);
    CliSetting killed;
    killed.environment = {{"KIRABO_LANG", "en"},
                          {"XDG_STATE_HOME", tree.Path("state")},
                          {"KIRABO_TEST_KILL", step},
                          {"LD_PRELOAD", KIRABO_KILL_IN_FALLBACK},
                          {"ASAN_OPTIONS", "verify_asan_link_order=0"}};
    EXPECT_EQ(RunCli({"-q", tree.Path("photos")}, killed).exitCode, 128 + SIGKILL);
    EXPECT_EQ(tree.Names("photos"), (Strings{"041005_092510.CRW", "IMG_0001.CRW"}));
    EXPECT_EQ(tree.Read("photos/041005_092510.CRW"), step == "unlink" ? photo : "");

    CliSetting next;
    next.environment = {{"KIRABO_LANG", "en"}, {"XDG_STATE_HOME", tree.Path("state")}};
    CliResult result = RunCli({"-q", tree.Path("photos")}, next);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(tree.Names("photos"), Strings{"041005_092510.CRW"});
    EXPECT_EQ(tree.Read("photos/041005_092510.CRW"), photo);
  }
}

// Killed between two members of a group, a job leaves the companions under
// the new stem and the raw file under the old one. The next job makes the
// group whole; an undo instead gives every member its old name back.
TEST(KiraboCli, GroupCutShortByAKillIsMadeWholeByTheNextJobOrTheUndo) {
  for (const bool undo : {false, true}) {
    SCOPED_TRACE(undo ? "undo" : "next job");
    TempFolder tree;
    tree.Write("photos/IMG_0001.CRW", CrwFile(kOctober2004));
    tree.Write("photos/IMG_0001.JPG", "twin");
    tree.Write("photos/IMG_0001.CRW.xmp", "edits");
    const std::vector<std::pair<std::string, std::string>> environment = {{"KIRABO_LANG", "en"}, {"XDG_STATE_HOME", tree.Path("state")}};
    CliSetting killed;
    killed.environment = environment;
    killed.environment.push_back({"KIRABO_TEST_KILL", "rename:IMG_0001.CRW"});
    killed.environment.push_back({"LD_PRELOAD", KIRABO_KILL_IN_FALLBACK});
    killed.environment.push_back({"ASAN_OPTIONS", "verify_asan_link_order=0"});
    EXPECT_EQ(RunCli({"-q", tree.Path("photos")}, killed).exitCode, 128 + SIGKILL);
    EXPECT_EQ(tree.Names("photos"), (Strings{"041005_092510.CRW.xmp", "041005_092510.JPG", "IMG_0001.CRW"}));

    CliSetting next;
    next.environment = environment;
    CliResult result = RunCli(undo ? Strings{"-q", "--undo", tree.Path("photos")} : Strings{"-q", tree.Path("photos")}, next);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(tree.Names("photos"), undo ? (Strings{"IMG_0001.CRW", "IMG_0001.CRW.xmp", "IMG_0001.JPG"})
                                         : (Strings{"041005_092510.CRW", "041005_092510.CRW.xmp", "041005_092510.JPG"}));
  }
}

TEST(KiraboCli, JournalThatCannotBeWrittenStopsTheJobBeforeAnyRename) {
  TempFolder tree;
  tree.Write("photos/IMG_0001.CRW", CrwFile(kOctober2004));
  tree.MakeFolder("state");
  std::filesystem::permissions(tree.Path("state"), std::filesystem::perms::owner_all |
                                                       std::filesystem::perms::group_exec |
                                                       std::filesystem::perms::others_exec);
  std::filesystem::permissions(tree.root(), std::filesystem::perms::all);
  std::filesystem::permissions(tree.Path("photos"), std::filesystem::perms::all);
  CliSetting setting;
  setting.unprivileged = true;
  setting.environment = {{"KIRABO_LANG", "en"}, {"XDG_STATE_HOME", tree.Path("state")}};
  CliResult result = RunCli({tree.Path("photos")}, setting);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "kirabo-cli: cannot write the undo journal: Permission denied\n");
  EXPECT_EQ(tree.Names("photos"), Strings{"IMG_0001.CRW"});

  CliResult unjournalled = RunCli({"--no-journal", "-q", tree.Path("photos")}, setting);
  EXPECT_EQ(unjournalled.exitCode, 0);
  EXPECT_EQ(tree.Names("photos"), Strings{"041005_092510.CRW"});
}

}  // namespace
}  // namespace kirabo::test
