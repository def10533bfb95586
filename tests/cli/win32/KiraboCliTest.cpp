#include <gtest/gtest.h>

#include "CliRunner.h"
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

}  // namespace
}  // namespace kirabo::test
