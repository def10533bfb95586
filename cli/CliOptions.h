#pragma once

#include <cstdint>
#include <string>

namespace kirabo::cli {

struct CliOptions {
  enum class Action { Run, Undo, Jobs, Help, Version, UsageError };
  Action action = Action::Run;
  int32_t format = 0;  // a NameFormat
  bool dryRun = false;
  bool quiet = false;
  bool journal = true;  // false: --no-journal
  int32_t readers = 0;  // 0: as the folder's medium suits
  std::string folder;
  // UsageError: what was wrong, a text of the translation file whose "%1"
  // stands for `errorArgument`.
  const char* error = "";
  std::string errorArgument;
};

CliOptions ParseCommandLine(int argc, const char* const* argv);

}  // namespace kirabo::cli
