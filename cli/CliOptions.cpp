#include "cli/CliOptions.h"

#include <string_view>

#include "engine/RenameJob.h"

namespace kirabo::cli {

const char* const kUsage =
    "Usage: kirabo-cli [--format=0|1] [--dry-run] [--quiet] FOLDER\n"
    "Renames the Canon raw files (.CRW, .CR2) in FOLDER and every folder below it\n"
    "after the time the picture was taken, keeping each file's extension. A taken\n"
    "name gets _1, _2, ... before the extension; no file is ever replaced.\n"
    "\n"
    "  --format=0, --format=datetime  yymmdd_hhmmss, e.g. 041005_092510.CRW (default)\n"
    "  --format=1, --format=time      hhmmss, e.g. 092510.CRW\n"
    "  --dry-run   rename nothing; print the lines a real run would print\n"
    "  --quiet     print neither the folders searched nor the summary\n"
    "  --help      show this help\n"
    "  --version   show the version\n"
    "\n"
    "Each renamed file gives one line on standard output:\n"
    "  i/N<TAB>old path<TAB>new path\n"
    "where i counts every raw file found and N is their number; paths begin with\n"
    "FOLDER as given. Each folder searched gives a line 'FOLDER<TAB>を検索中・・・'\n"
    "on standard error. In printed paths a backslash is written as \\\\, a tab as\n"
    "\\t, a line feed as \\n and any other control byte as \\xHH.\n"
    "\n"
    "A file that already has its name prints nothing. A file left with its old\n"
    "name gives a line on standard error, also with --quiet:\n"
    "  kirabo-cli: PATH: no capture time\n"
    "  kirabo-cli: PATH: cannot rename: REASON\n"
    "The job ends with 'N renamed, N already named, N without capture time,\n"
    "N failed' (or 'no raw files found') on standard error, unless --quiet.\n"
    "On a terminal, standard error also shows the file at hand as '[i/N] name'.\n"
    "\n"
    "SIGINT (Ctrl-C) or SIGTERM stops the job before its next file or rename;\n"
    "a file is never left half-renamed. So does a failed write to standard\n"
    "output (a closed pipe).\n"
    "\n"
    "Exit status: 0 no rename failed, 1 FOLDER does not exist or is no folder,\n"
    "or the output could not be written, 2 usage error, 3 at least one rename\n"
    "failed, 130 stopped.\n";

namespace {

bool ParseFormat(std::string_view value, int32_t& format) {
  if (value == "0" || value == "datetime") {
    format = DateAndTime;
  } else if (value == "1" || value == "time") {
    format = TimeOnly;
  } else {
    return false;
  }
  return true;
}

CliOptions UsageError(std::string error) {
  CliOptions options;
  options.action = CliOptions::Action::UsageError;
  options.error = std::move(error);
  return options;
}

}  // namespace

CliOptions ParseCommandLine(int argc, const char* const* argv) {
  CliOptions options;
  bool haveFolder = false;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (!optionsEnded && arg.starts_with("-") && arg != "-") {
      if (arg == "--") {
        optionsEnded = true;
      } else if (arg == "--help" || arg == "-h") {
        options.action = CliOptions::Action::Help;
        return options;
      } else if (arg == "--version") {
        options.action = CliOptions::Action::Version;
        return options;
      } else if (arg == "--dry-run") {
        options.dryRun = true;
      } else if (arg == "--quiet" || arg == "-q") {
        options.quiet = true;
      } else if (arg.starts_with("--format=")) {
        if (!ParseFormat(arg.substr(9), options.format)) return UsageError("unknown format: " + std::string(arg));
      } else {
        return UsageError("unknown option: " + std::string(arg));
      }
    } else if (haveFolder) {
      return UsageError("more than one FOLDER given");
    } else {
      options.folder = arg;
      haveFolder = true;
    }
  }
  if (!haveFolder) return UsageError("FOLDER is missing");
  return options;
}

}  // namespace kirabo::cli
