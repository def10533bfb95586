#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "CliRunner.h"
#include "Corpus.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"

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
  EXPECT_EQ(result.out, "1/2\t" + t + "IMG_0001.CRW\t" + t + "041005_092510.CRW\n" +  //
                            "2/2\t" + t + "写真\\IMG_0002.cr2\t" + t + "写真\\041005_092510.cr2\n");
  EXPECT_EQ(result.err, t + "\tを検索中・・・\n" + t + "写真\tを検索中・・・\n" +
                            "2 renamed, 0 already named, 0 without capture time, 0 failed\n");
  EXPECT_EQ(tree.Names("trip"), (Strings{"041005_092510.CRW", "IMG_0001.THM", "写真"}));
  EXPECT_EQ(tree.Names("trip/写真"), Strings{"041005_092510.cr2"});
}

// The sample files get the names that the Linux build gives them.
TEST(KiraboCli, CorpusFilesGetTheirExpectedNames) {
  namespace fs = std::filesystem;
  std::vector<CorpusFile> expected = CorpusFiles();
  if (expected.empty()) GTEST_SKIP() << "no corpus at " << kCorpusFolder;
  TempFolder tree;
  fs::copy(kCorpusFolder, tree.Path("corpus"), fs::copy_options::recursive);
  for (const auto& entry : fs::recursive_directory_iterator(tree.Path("corpus")))
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
  CliResult result = RunCli({tree.Path("corpus")});
  ASSERT_EQ(result.exitCode, 0);

  std::map<std::string, std::string> renamed;  // old relative path with '/' -> new name
  std::istringstream lines(result.out);
  std::string prefix = tree.Path("corpus/");
  for (std::string line; std::getline(lines, line);) {
    size_t first = line.find('\t'), last = line.rfind('\t');
    std::string from = line.substr(first + 1 + prefix.size(), last - first - 1 - prefix.size());
    std::string to = line.substr(last + 1);
    std::replace(from.begin(), from.end(), '\\', '/');
    renamed[from] = to.substr(to.rfind('\\') + 1);
  }
  for (const auto& [file, time] : expected) {
    if (time == "any") continue;
    if (time == "none") {
      EXPECT_FALSE(renamed.contains(file)) << file;
      continue;
    }
    ASSERT_TRUE(renamed.contains(file)) << file;
    std::string stem = time.substr(2, 2) + time.substr(5, 2) + time.substr(8, 2) + "_" + time.substr(11, 2) +
                       time.substr(14, 2) + time.substr(17, 2);
    EXPECT_TRUE(renamed[file].starts_with(stem)) << file << " -> " << renamed[file];
  }
}

}  // namespace
}  // namespace kirabo::test
