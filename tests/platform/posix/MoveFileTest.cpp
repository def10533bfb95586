#include "platform/MoveFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "TempFolder.h"

namespace kirabo {
namespace {

using test::TempFolder;

// The no-replace rename and its two fallbacks keep the same promises.
struct MoveMethod {
  const char* name;
  MoveResult (*move)(const std::string& from, const std::string& to);
};

void PrintTo(const MoveMethod& method, std::ostream* out) { *out << method.name; }

class MoveFileTest : public testing::TestWithParam<MoveMethod> {
 protected:
  MoveResult Move(const std::string& from, const std::string& to) {
    return GetParam().move(temp.Path(from), temp.Path(to));
  }
  TempFolder temp;
};

TEST_P(MoveFileTest, MovesToAFreeName) {
  temp.Write("IMG_0001.CRW", "raw");
  EXPECT_EQ(Move("IMG_0001.CRW", "041005_092510.CRW"), MoveResult::Moved);
  EXPECT_FALSE(temp.Exists("IMG_0001.CRW"));
  EXPECT_EQ(temp.Read("041005_092510.CRW"), "raw");
}

TEST_P(MoveFileTest, NeverReplacesAnEntryThatHoldsTheName) {
  temp.Write("source", "mine");
  temp.Write("file", "theirs");
  temp.MakeFolder("emptyFolder");
  temp.MakeFolder("fullFolder");
  temp.Write("fullFolder/inside", "");
  ASSERT_EQ(::link(temp.Path("source").c_str(), temp.Path("otherName").c_str()), 0);
  for (const char* taken : {"file", "emptyFolder", "fullFolder", "otherName"}) {
    SCOPED_TRACE(taken);
    EXPECT_EQ(Move("source", taken), MoveResult::NameTaken);
    EXPECT_EQ(temp.Read("source"), "mine");
  }
  EXPECT_EQ(temp.Read("file"), "theirs");
  EXPECT_TRUE(temp.Exists("fullFolder/inside"));
}

TEST_P(MoveFileTest, MovingAFileToItsOwnPathSucceedsAndChangesNothing) {
  temp.Write("041005_092510.CRW", "raw");
  EXPECT_EQ(Move("041005_092510.CRW", "041005_092510.CRW"), MoveResult::Moved);
  EXPECT_EQ(temp.Read("041005_092510.CRW"), "raw");
}

TEST_P(MoveFileTest, OtherFailuresAreNotATakenName) {
  temp.Write("source", "raw");
  temp.Write("taken", "");
  EXPECT_EQ(Move("missing", "new"), MoveResult::Failed);
  EXPECT_EQ(Move("missing", "taken"), MoveResult::Failed);
  EXPECT_EQ(Move("source", "noFolder/new"), MoveResult::Failed);
  EXPECT_EQ(Move("source", std::string(300, 'n')), MoveResult::Failed);
  EXPECT_EQ(temp.Read("source"), "raw");
}

INSTANTIATE_TEST_SUITE_P(Methods, MoveFileTest,
                         testing::Values(MoveMethod{"NoReplace", MoveFileNoReplace}, MoveMethod{"ByLink", MoveFileByLink},
                                         MoveMethod{"AfterCheck", MoveFileAfterCheck}),
                         [](const testing::TestParamInfo<MoveMethod>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kirabo
