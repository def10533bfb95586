#include "app/CommandLine.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "engine/RawFormatList.h"
#include "res/Version.h"

namespace kirabo {

namespace {

constexpr char kHelpHead[] =
    "Usage: kirabo [-h | --help] [-V | --version] [FOLDER]\n"
    "Opens Kirabo's window, which renames the raw files of a folder and every\n"
    "folder below it after the time each picture was taken. Raw files, with their\n"
    "extensions in any letter case:\n";

constexpr char kHelpTail[] =
    "FOLDER, when given, stands in the folder field instead of the last one used.\n"
    "The last folder and name format are kept in Kirabo.INI in the current folder,\n"
    "or in ~/.config/kirabo when the current folder is the home folder (as when\n"
    "started from the desktop's menu).\n"
    "\n"
    "  -h, --help     show this help\n"
    "  -V, --version  show the version\n"
    "\n"
    "Qt's own options, such as -platform or -style, are passed on to Qt.\n"
    "To rename without a window, use kirabo-cli (see kirabo-cli --help).\n";

// A failed write (a full disk, a closed pipe) must not end with status 0.
int ExitStatusOfOutput() { return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1; }

}  // namespace

std::optional<int> AnswerCommandLine(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--") break;
    if (arg == "-h" || arg == "--help") {
      std::fputs((kHelpHead + RawFormatLines("  ", 78) + kHelpTail).c_str(), stdout);
      return ExitStatusOfOutput();
    }
    if (arg == "-V" || arg == "--version") {
      std::printf("kirabo %s\n", kVersion);
      return ExitStatusOfOutput();
    }
  }
  return std::nullopt;
}

std::optional<std::string> FolderArgument(const std::vector<std::string>& arguments) {
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (optionsEnded || !argument.starts_with('-')) return argument;
  }
  return std::nullopt;
}

}  // namespace kirabo
