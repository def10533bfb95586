#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/NameFormats.h"

namespace kirabo::cli {

struct CliOptions {
  enum class Action { Run, Undo, Jobs, Help, Version, UsageError };
  Action action = Action::Run;
  int32_t format = NameFormats()[0].format;
  bool dryRun = false;
  bool quiet = false;
  bool journal = true;  // false: --no-journal
  int32_t readers = 0;  // 0: as the folder's medium suits
  std::string folder;
  std::string error;  // what was wrong, for UsageError
};

CliOptions ParseCommandLine(int argc, const char* const* argv);

// The text of --help.
std::string Usage();

// What -f takes: every format's number, then every format's name.
std::vector<std::string> FormatWords();

}  // namespace kirabo::cli
