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
  bool companions = true;  // false: --raw-only
  int32_t readers = 0;  // 0: as the folder's medium suits
  std::string folder;
  // UsageError: what was wrong, a text of the translation file whose "%1",
  // "%2", ... stand for `errorArguments`.
  const char* error = "";
  std::vector<std::string> errorArguments;
};

CliOptions ParseCommandLine(int argc, const char* const* argv);

// What -f takes: every format's number, then every format's name.
std::vector<std::string> FormatWords();

}  // namespace kirabo::cli
