#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "TempFolder.h"
#include "platform/posix/MoveFileCalls.h"

namespace kirabo {
namespace {

using test::TempFolder;

// A file system that does not know the no-replace flag: the move takes a
// hard link, then unlinks the old name.
class NoFlagCalls : public MoveFileCalls {
 public:
  using MoveFileCalls::MoveFileCalls;
  int RenameNoReplace(const std::string&, const std::string&) override {
    errno = EINVAL;
    return -1;
  }
};

// Nor hard links (FAT or exFAT through FUSE): the move reserves the name.
class NoFlagNoLinkCalls : public NoFlagCalls {
 public:
  using NoFlagCalls::NoFlagCalls;
  int Link(const std::string&, const std::string&) override {
    errno = EPERM;
    return -1;
  }
};

// The no-replace rename and its two fallbacks keep the same promises, each
// relative to a folder held open, whatever has since become of its path.
struct MoveMethod {
  const char* name;
  std::unique_ptr<MoveFileCalls> (*make)(int folder);
};

void PrintTo(const MoveMethod& method, std::ostream* out) { *out << method.name; }

template <typename Calls>
std::unique_ptr<MoveFileCalls> Make(int folder) {
  return std::make_unique<Calls>(folder);
}

class MoveFileTest : public testing::TestWithParam<MoveMethod> {
 protected:
  void SetUp() override {
    root.MakeFolder("held");
    root.MakeFolder("elsewhere");
    int error = 0;
    ASSERT_TRUE(folder.Open(root.Path("held"), error));
    std::filesystem::rename(root.Path("held"), root.Path("moved"));
    std::filesystem::create_directory_symlink("elsewhere", root.Path("held"));
    calls = GetParam().make(static_cast<int>(folder.Handle()));
  }
  MoveResult Move(const std::string& from, const std::string& to, int* systemError = nullptr) {
    return MoveFileNoReplace(from, to, systemError, *calls);
  }
  void TearDown() override { EXPECT_TRUE(root.Names("elsewhere").empty()); }

  TempFolder root;
  // Entries of the held folder, wherever it is now.
  struct Held {
    const TempFolder& root;
    std::string Path(const std::string& name) const { return root.Path("moved/" + name); }
    void Write(const std::string& name, const std::string& bytes) const { root.Write("moved/" + name, bytes); }
    std::string Read(const std::string& name) const { return root.Read("moved/" + name); }
    bool Exists(const std::string& name) const { return root.Exists("moved/" + name); }
    void MakeFolder(const std::string& name) const { root.MakeFolder("moved/" + name); }
  } temp{root};
  CFolder folder;
  std::unique_ptr<MoveFileCalls> calls;
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
  temp.Write("emptyFile", "");  // also what a run killed while it held a reservation leaves
  temp.MakeFolder("emptyFolder");
  temp.MakeFolder("fullFolder");
  temp.Write("fullFolder/inside", "");
  ASSERT_EQ(::link(temp.Path("source").c_str(), temp.Path("otherName").c_str()), 0);
  for (const char* taken : {"file", "emptyFile", "emptyFolder", "fullFolder", "otherName"}) {
    SCOPED_TRACE(taken);
    EXPECT_EQ(Move("source", taken), MoveResult::NameTaken);
    EXPECT_EQ(temp.Read("source"), "mine");
  }
  EXPECT_EQ(temp.Read("file"), "theirs");
  EXPECT_EQ(temp.Read("emptyFile"), "");
  EXPECT_TRUE(temp.Exists("fullFolder/inside"));
}

TEST_P(MoveFileTest, MovingAFileToItsOwnPathSucceedsAndChangesNothing) {
  temp.Write("041005_092510.CRW", "raw");
  EXPECT_EQ(Move("041005_092510.CRW", "041005_092510.CRW"), MoveResult::Moved);
  EXPECT_EQ(temp.Read("041005_092510.CRW"), "raw");
}

TEST_P(MoveFileTest, OtherFailuresAreNotATakenNameAndCarryTheSystemError) {
  temp.Write("source", "raw");
  temp.Write("taken", "");
  struct Case {
    const char* from;
    std::string to;
    int error;
  };
  for (const Case& c : {Case{"missing", "new", ENOENT}, Case{"missing", "taken", ENOENT},
                        Case{"source", "noFolder/new", ENOENT}, Case{"source", std::string(300, 'n'), ENAMETOOLONG}}) {
    SCOPED_TRACE(c.to);
    int error = 0;
    EXPECT_EQ(Move(c.from, c.to, &error), MoveResult::Failed);
    EXPECT_EQ(error, c.error);
  }
  EXPECT_EQ(temp.Read("source"), "raw");
}

INSTANTIATE_TEST_SUITE_P(Methods, MoveFileTest,
                         testing::Values(MoveMethod{"NoReplace", Make<MoveFileCalls>},
                                         MoveMethod{"ByLink", Make<NoFlagCalls>},
                                         MoveMethod{"ByReservation", Make<NoFlagNoLinkCalls>}),
                         [](const testing::TestParamInfo<MoveMethod>& info) { return std::string(info.param.name); });

// Another program acts on the new name just before or just after a move
// reserves it: whatever it put there stays, and so does the source.
using Interference = void (*)(const TempFolder&);

class InterferingCalls : public NoFlagNoLinkCalls {
 public:
  InterferingCalls(const TempFolder& temp, Interference before, Interference after, int renameError)
      : temp(temp), before(before), after(after), renameError(renameError) {}

  int CreateExclusive(const std::string& path) override {
    if (before) before(temp);
    int reservation = MoveFileCalls::CreateExclusive(path);
    if (after) after(temp);
    return reservation;
  }
  int Rename(const std::string& from, const std::string& to) override {
    if (renameError == 0) return MoveFileCalls::Rename(from, to);
    errno = renameError;
    return -1;
  }

 private:
  const TempFolder& temp;
  Interference before;
  Interference after;
  int renameError;
};

TEST(MoveFileByReservation, NeverReplacesWhatAnotherProgramPutsAtTheName) {
  Interference createTarget = [](const TempFolder& temp) { temp.Write("new", "theirs"); };
  Interference writeIntoReservation = [](const TempFolder& temp) {
    std::ofstream(temp.Path("new"), std::ios::binary | std::ios::app) << "theirs";
  };
  Interference replaceReservation = [](const TempFolder& temp) {
    std::rename(temp.Write("elsewhere", "").c_str(), temp.Path("new").c_str());
  };
  struct Case {
    const char* name;
    Interference before;
    Interference after;
    int renameError;
    MoveResult result;
    const char* left;  // what the new name holds afterwards; nullptr when nothing
  };
  const Case cases[] = {
      {"created before the reservation", createTarget, nullptr, 0, MoveResult::NameTaken, "theirs"},
      {"written into the reservation", nullptr, writeIntoReservation, 0, MoveResult::NameTaken, "theirs"},
      {"put in the reservation's place", nullptr, replaceReservation, 0, MoveResult::NameTaken, ""},
      {"rename fails: reservation removed", nullptr, nullptr, EIO, MoveResult::Failed, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder temp;
    temp.Write("source", "mine");
    InterferingCalls calls(temp, c.before, c.after, c.renameError);
    int error = 0;
    EXPECT_EQ(MoveFileNoReplace(temp.Path("source"), temp.Path("new"), &error, calls), c.result);
    EXPECT_EQ(error, c.renameError);
    EXPECT_EQ(temp.Read("source"), "mine");
    EXPECT_EQ(temp.Exists("new") ? temp.Read("new") : "(none)", c.left ? c.left : "(none)");
  }
}

// The reservation is told to the caller before the file moves onto it, as
// the very empty file that holds the name; a caller that cannot record it
// stops the move, and nothing is left at the new name.
TEST(MoveFileByReservation, TellsTheReservationBeforeMovingOntoIt) {
  struct Recorder : MoveReservation {
    const TempFolder& temp;
    bool answer;
    FileIdentity told;
    FileIdentity atName;
    Recorder(const TempFolder& temp, bool answer) : temp(temp), answer(answer) {}
    bool Reserved(const FileIdentity& reservation) override {
      told = reservation;
      CFolder folder;
      int error = 0;
      EXPECT_TRUE(folder.Open(temp.root(), error) && IdentifyFileIn(folder, "new", atName));
      return answer;
    }
  };
  for (bool answer : {true, false}) {
    SCOPED_TRACE(answer);
    TempFolder temp;
    temp.Write("source", "mine");
    NoFlagNoLinkCalls calls;
    Recorder recorder(temp, answer);
    int error = 0;
    EXPECT_EQ(MoveFileNoReplace(temp.Path("source"), temp.Path("new"), &error, calls, &recorder),
              answer ? MoveResult::Moved : MoveResult::Failed);
    EXPECT_EQ(recorder.told.index, recorder.atName.index);
    EXPECT_EQ(recorder.told.modified, recorder.atName.modified);
    EXPECT_EQ(recorder.told.size, 0u);
    EXPECT_EQ(error, answer ? 0 : ECANCELED);
    EXPECT_EQ(temp.Names(), std::vector<std::string>{answer ? "new" : "source"});
  }
}

}  // namespace
}  // namespace kirabo
