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
  std::string error;  // what was wrong, for UsageError
};

CliOptions ParseCommandLine(int argc, const char* const* argv);

extern const char* const kUsage;

}  // namespace kirabo::cli
