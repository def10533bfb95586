#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "CliRunner.h"
#include "Corpus.h"
#include "TempFolder.h"
#include "platform/Path.h"

namespace kirabo::test {
namespace {

// Every sample file with a known capture time gets the name that time gives,
// the same on every system.
TEST(KiraboCli, CorpusFilesGetTheirExpectedNames) {
  namespace fs = std::filesystem;
  std::vector<CorpusFile> expected = CorpusFiles();
  ASSERT_FALSE(expected.empty()) << "no sample files at " << kCorpusFolder;
  TempFolder tree;
  fs::copy(kCorpusFolder, tree.Path("corpus"), fs::copy_options::recursive);
  // The samples are kept read-only; their copies must be renamable.
  for (const auto& entry : fs::recursive_directory_iterator(tree.Path("corpus")))
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
  fs::permissions(tree.Path("corpus"), fs::perms::owner_write, fs::perm_options::add);
  CliResult result = RunCli({tree.Path("corpus")});
  ASSERT_EQ(result.exitCode, 0);

  std::map<std::string, std::string> renamed;  // old relative path with '/' -> new name
  std::istringstream lines(result.out);
  std::string prefix = tree.Path("corpus/");
  for (std::string line; std::getline(lines, line);) {
    size_t first = line.find('\t'), last = line.rfind('\t');
    std::string from = line.substr(first + 1 + prefix.size(), last - first - 1 - prefix.size());
    std::replace(from.begin(), from.end(), kPathSeparator, '/');
    std::string to = line.substr(last + 1);
    renamed[from] = to.substr(to.rfind(kPathSeparator) + 1);
  }
  for (const auto& [file, time] : expected) {
    if (time == "any") continue;
    if (time == "none") {
      EXPECT_FALSE(renamed.contains(file)) << file;
      continue;
    }
    ASSERT_TRUE(renamed.contains(file)) << file;
    // "2003-11-10 17:39:26" -> "031110_173926"
    std::string stem = time.substr(2, 2) + time.substr(5, 2) + time.substr(8, 2) + "_" + time.substr(11, 2) +
                       time.substr(14, 2) + time.substr(17, 2);
    EXPECT_TRUE(renamed[file].starts_with(stem)) << file << " -> " << renamed[file];
  }
}

}  // namespace
}  // namespace kirabo::test
