#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CliTexts.h"
#include "engine/RenameJob.h"

namespace kirabo::cli {
namespace {

using Action = CliOptions::Action;

struct Case {
  std::vector<const char*> args;  // after the program name
  Action action;
  int32_t format = DateAndTime;
  bool dryRun = false;
  bool quiet = false;
  std::string folderOrError = {};
};

TEST(CliOptions, FormsErrorsAndEndOfOptions) {
  const std::vector<Case> cases = {
      {{"pics"}, Action::Run, DateAndTime, false, false, "pics"},
      {{"-f", "2", "pics"}, Action::Run, TimeOnly, false, false, "pics"},
      {{"-f", "1", "pics"}, Action::Run, DateAndTime, false, false, "pics"},
      {{"-ftime", "pics"}, Action::Run, TimeOnly, false, false, "pics"},
      {{"--format", "time", "pics"}, Action::Run, TimeOnly, false, false, "pics"},
      {{"--format=2", "pics"}, Action::Run, TimeOnly, false, false, "pics"},
      {{"--format=datetime", "pics"}, Action::Run, DateAndTime, false, false, "pics"},
      {{"-nq", "pics"}, Action::Run, DateAndTime, true, true, "pics"},
      {{"pics", "--dry-run", "--quiet"}, Action::Run, DateAndTime, true, true, "pics"},
      {{"--dry", "pics"}, Action::Run, DateAndTime, true, false, "pics"},
      {{"-q", "--", "-n"}, Action::Run, DateAndTime, false, true, "-n"},
      {{"--", "--help"}, Action::Run, DateAndTime, false, false, "--help"},
      {{"-"}, Action::Run, DateAndTime, false, false, "-"},
      {{"--undo", "-n", "pics"}, Action::Undo, DateAndTime, true, false, "pics"},
      {{"--no-journal", "pics"}, Action::Run, DateAndTime, false, false, "pics"},
      {{"--jobs"}, Action::Jobs},
      {{"--jobs", "pics"}, Action::UsageError, DateAndTime, false, false, "--jobs takes no FOLDER"},
      {{"--undo", "--jobs"}, Action::UsageError, DateAndTime, false, false, "--jobs and --undo do not go together"},
      {{"--jobs=all"}, Action::UsageError, DateAndTime, false, false, "option '--jobs' takes no value"},
      {{"-h"}, Action::Help},
      {{"pics", "--help", "--bogus"}, Action::Help},
      {{"-V"}, Action::Version},
      {{"--version"}, Action::Version},
      {{}, Action::UsageError, DateAndTime, false, false, "FOLDER is missing"},
      {{"-n", "--"}, Action::UsageError, DateAndTime, false, false, "FOLDER is missing"},
      {{"a", "b"}, Action::UsageError, DateAndTime, false, false, "more than one FOLDER given"},
      {{"--bogus", "pics"}, Action::UsageError, DateAndTime, false, false, "unrecognized option '--bogus'"},
      {{"-x", "pics"}, Action::UsageError, DateAndTime, false, false, "invalid option -- 'x'"},
      {{"-qx", "pics"}, Action::UsageError, DateAndTime, false, false, "invalid option -- 'x'"},
      {{"--quiet=yes", "pics"}, Action::UsageError, DateAndTime, false, false, "option '--quiet' takes no value"},
      {{"pics", "-f"}, Action::UsageError, DateAndTime, false, false, "option '--format' needs a value"},
      {{"pics", "--format"}, Action::UsageError, DateAndTime, false, false, "option '--format' needs a value"},
      // The numbers are the window's: there is no format 0.
      {{"--format=0", "pics"}, Action::UsageError, DateAndTime, false, false,
       "invalid format '0' (use one of 1, 2, datetime, time)"},
      {{"-f", "3", "pics"}, Action::UsageError, DateAndTime, false, false,
       "invalid format '3' (use one of 1, 2, datetime, time)"},
      {{"-f", "", "pics"}, Action::UsageError, DateAndTime, false, false,
       "invalid format '' (use one of 1, 2, datetime, time)"},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv = {"kirabo-cli"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    std::string shown;
    for (const char* arg : c.args) shown += std::string(arg) + " ";
    SCOPED_TRACE(shown);

    CliOptions options = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(options.action, c.action);
    if (c.action == Action::Run || c.action == Action::Undo) {
      EXPECT_EQ(options.journal, c.args[0] != std::string("--no-journal"));
      EXPECT_EQ(options.format, c.format);
      EXPECT_EQ(options.dryRun, c.dryRun);
      EXPECT_EQ(options.quiet, c.quiet);
      EXPECT_EQ(options.folder, c.folderOrError);
    } else if (c.action == Action::UsageError) {
      EXPECT_EQ(UsageErrorText(options, UiLanguage::English),
                c.folderOrError);
    }
  }
}

TEST(CliOptions, ReadersFromOneToSixtyFour) {
  const struct {
    std::vector<const char*> args;
    int32_t readers;  // 0: the medium's choice; -1: a usage error
  } kCases[] = {
      {{"pics"}, 0},
      {{"-j", "1", "pics"}, 1},
      {{"-j16", "pics"}, 16},
      {{"--readers=64", "pics"}, 64},
      {{"--readers", "8", "pics"}, 8},
      {{"-j", "0", "pics"}, -1},
      {{"-j", "65", "pics"}, -1},
      {{"-j", "4x", "pics"}, -1},
      {{"-j", "-2", "pics"}, -1},
  };
  for (const auto& c : kCases) {
    std::vector<const char*> argv = {"kirabo-cli"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    CliOptions options = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    if (c.readers < 0) {
      EXPECT_EQ(options.action, Action::UsageError) << c.args[1];
      EXPECT_EQ(UsageErrorText(options, UiLanguage::English),
                std::string("invalid number of readers '") + c.args[1] + "' (use 1 to 64)");
    } else {
      EXPECT_EQ(options.action, Action::Run) << c.args[0];
      EXPECT_EQ(options.readers, c.readers) << c.args[0];
    }
  }
}

}  // namespace
}  // namespace kirabo::cli
