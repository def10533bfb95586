#include "cli/CliOptions.h"

#include <getopt.h>

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "engine/NameFormats.h"
#include "platform/Path.h"

namespace kirabo::cli {

// What differs between the systems: how the language is chosen, how paths
// print, and what stops a job.
#ifdef _WIN32
#define KIRABO_LANGUAGE_CHOICE                                               \
  "KIRABO_LANG=ja, or by a Japanese Windows display language).\n"           \
  "Printed paths show each character as it is: Windows names hold no tabs,\n" \
  "line feeds or other control characters.\n"
#define KIRABO_STOP_SIGNALS "Ctrl-C or Ctrl-Break stops the job before its next file or rename;\n"
#define KIRABO_HELP_OPTIONS "  -h, --help, /?       show this help\n"
#else
#define KIRABO_LANGUAGE_CHOICE                                                   \
  "KIRABO_LANG=ja, or by a Japanese LANGUAGE, LC_ALL, LC_MESSAGES or LANG).\n" \
  "In printed paths a backslash is written as \\\\, a tab as \\t, a line feed\n" \
  "as \\n, and each byte of any other control character (C0, DEL, C1), of a\n" \
  "bidirectional override or isolate, or of no character of the locale's\n"    \
  "character set as \\xHH.\n"
#define KIRABO_STOP_SIGNALS "SIGINT (Ctrl-C) or SIGTERM stops the job before its next file or rename;\n"
#define KIRABO_HELP_OPTIONS "  -h, --help           show this help\n"
#endif

namespace {

// Options without a letter.
enum : int { kUndo = 256, kJobs, kNoJournal };

constexpr char kUsageHead[] =
    "Usage: kirabo-cli [-f FORMAT] [-j N] [-n] [-q] [--no-journal] [--] FOLDER\n"
    "       kirabo-cli --undo [-n] [-q] [--no-journal] [--] FOLDER\n"
    "       kirabo-cli --jobs\n"
    "Renames the raw files in FOLDER and every folder below it after the time\n"
    "the picture was taken, keeping each file's extension. Raw files: Canon (.CRW,\n"
    ".CR2, .CR3), Nikon (.NEF, .NRW), Sony (.ARW, .SR2, .SRF), Fujifilm (.RAF),\n"
    "Panasonic and Leica (.RW2, .RWL), Olympus and OM System (.ORF, .ORI), Pentax\n"
    "(.PEF), Hasselblad (.3FR, .FFF), Phase One and Leaf (.IIQ, .MOS), Samsung\n"
    "(.SRW), Minolta (.MRW), Epson (.ERF), Mamiya (.MEF), Kodak (.KDC, .DCR) and\n"
    "DNG, in any letter case.\n"
    "A taken name gets _1, _2, ... before the extension; no file is ever replaced.\n"
    "\n"
    "  -f, --format=FORMAT  the new names' format, the first being the default:\n";

// The time the examples of the formats are taken at, as in the window.
constexpr UtcDateTime kExampleTime{2004, 10, 5, 9, 25, 10};

constexpr char kUsageTail[] =
    "  -j, --readers=N      read the capture times of N files at once, ahead of\n"
    "                       the renames (1 to 64; 1 reads one file at a time);\n"
    "                       the default is 1 on a spinning disk, 16 elsewhere\n"
    "  -n, --dry-run        rename nothing; print the lines a real run would print\n"
    "  -q, --quiet          print neither the folders searched nor the summary\n"
    "  --undo               take back the latest job on FOLDER not yet taken back\n"
    "  --jobs               list the jobs kept in the journal folder\n"
    "  --no-journal         keep no journal of this job: it cannot be undone\n"
    KIRABO_HELP_OPTIONS
    "  -V, --version        show the version\n"
    "  --                   end of options: FOLDER may begin with '-'\n"
    "\n"
    "Each renamed file gives one line on standard output:\n"
    "  i/N<TAB>old path<TAB>new path\n"
    "where i counts every raw file found and N is their number; paths begin with\n"
    "FOLDER as given. Each folder searched gives a line 'FOLDER<TAB>searching...'\n"
    "on standard error ('FOLDER<TAB>を検索中・・・' in Japanese: chosen by\n"
    KIRABO_LANGUAGE_CHOICE
    "\n"
    "A file that already has its name prints nothing. A folder that cannot be\n"
    "listed, and a file left with its old name, give a line on standard error,\n"
    "also with --quiet:\n"
    "  kirabo-cli: FOLDER: cannot list: REASON\n"
    "  kirabo-cli: PATH: no capture time\n"
    "  kirabo-cli: PATH: cannot rename: REASON\n"
    "The job ends with 'N renamed, N already named, N without capture time,\n"
    "N failed' (or 'no raw files found'), then ', N folders not listed' when\n"
    "some were not, on standard error, unless --quiet.\n"
    "On a terminal, standard error also shows the file at hand as '[i/N] name'.\n"
    "\n"
    "Every job but a dry run first writes a journal of its renames to\n"
    "$XDG_STATE_HOME/kirabo/jobs (by default ~/.local/state/kirabo/jobs;\n"
    "%LOCALAPPDATA%\\Kirabo\\jobs on Windows); the last 50 are kept. Each line\n"
    "is written before its rename is tried; when that cannot be done the job\n"
    "stops with 'kirabo-cli: cannot write the undo journal: REASON'.\n"
    "--undo renames the job's files back in the reverse order, each only when\n"
    "the file at the new name is still the same file and the old name is free\n"
    "(letter case ignored); it never replaces a file. Others give a line\n"
    "  kirabo-cli: PATH: cannot undo: REASON\n"
    "(missing, changed since, old name taken, or the system's reason) and the\n"
    "undo ends with 'N restored, N could not be restored'. An undo is a job\n"
    "with its own journal: --undo again takes it back in turn. --jobs prints\n"
    "one line per kept journal: start time (UTC), folder, files renamed, and\n"
    "whether it was taken back.\n"
    "\n"
    KIRABO_STOP_SIGNALS
    "a file is never left half-renamed. So does a failed write to standard\n"
    "output (a closed pipe).\n"
    "\n"
    "Exit status: 0 no rename failed, 1 FOLDER does not exist or is no folder,\n"
    "the output or the journal could not be written, or there is no job to\n"
    "undo, 2 usage error, 3 at least one rename (or restore) failed or folder\n"
    "not listed, 130 stopped.\n";

constexpr char kShortOptions[] = ":f:j:nqhV";  // leading ':' tells a missing value from an unknown option
constexpr int32_t kMostReaders = 64;

const option kLongOptions[] = {
    {"format", required_argument, nullptr, 'f'},
    {"readers", required_argument, nullptr, 'j'},
    {"dry-run", no_argument, nullptr, 'n'},
    {"quiet", no_argument, nullptr, 'q'},
    {"undo", no_argument, nullptr, kUndo},
    {"jobs", no_argument, nullptr, kJobs},
    {"no-journal", no_argument, nullptr, kNoJournal},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};

const option* LongOption(int shortOption) {
  for (const option* o = kLongOptions; o->name != nullptr; ++o) {
    if (o->val == shortOption) return o;
  }
  return nullptr;
}

const char* LongName(int shortOption) {
  const option* o = LongOption(shortOption);
  return o == nullptr ? nullptr : o->name;
}

bool ParseFormat(std::string_view value, int32_t& format) {
  for (const NameFormatRow& row : NameFormats()) {
    if (value == row.cliNumber || value == row.cliName) {
      format = row.format;
      return true;
    }
  }
  return false;
}

// "0, 1, datetime or time"
std::string FormatChoices() {
  const std::vector<std::string> words = FormatWords();
  std::string choices;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) choices += i + 1 == words.size() ? " or " : ", ";
    choices += words[i];
  }
  return choices;
}

bool ParseReaders(std::string_view value, int32_t& readers) {
  int32_t parsed = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
  if (error != std::errc() || end != value.data() + value.size() || parsed < 1 || parsed > kMostReaders) return false;
  readers = parsed;
  return true;
}

CliOptions UsageError(std::string error) {
  CliOptions options;
  options.action = CliOptions::Action::UsageError;
  options.error = std::move(error);
  return options;
}

// getopt reports a long option given a value it does not take with that
// option's short letter, and an unknown short letter with the letter itself.
std::string UnknownOption(int shortOption, const char* element) {
  if (shortOption == 0) return std::string("unrecognized option '") + element + "'";
  if (const char* name = LongName(shortOption)) return std::string("option '--") + name + "' takes no value";
  return std::string("invalid option -- '") + static_cast<char>(shortOption) + "'";
}

}  // namespace

std::string Usage() {
  std::string usage = kUsageHead;
  size_t width = 0;
  for (const NameFormatRow& row : NameFormats()) width = std::max(width, row.cliNumber.size() + row.cliName.size());
  for (const NameFormatRow& row : NameFormats()) {
    std::string spellings = std::string(row.cliNumber) + " or " + std::string(row.cliName);
    spellings.resize(width + 6, ' ');  // " or " and two blanks before the pattern
    usage += "                         " + spellings + ShownPattern(row.pattern) + ", e.g. " +
             StemFromPattern(row.pattern, kExampleTime) + ".CRW\n";
  }
  return usage + kUsageTail;
}

std::vector<std::string> FormatWords() {
  std::vector<std::string> words;
  for (const NameFormatRow& row : NameFormats()) words.emplace_back(row.cliNumber);
  for (const NameFormatRow& row : NameFormats()) words.emplace_back(row.cliName);
  return words;
}

CliOptions ParseCommandLine(int argc, const char* const* argv) {
  // getopt reorders its array so that options may follow FOLDER; it does so
  // on a copy, and never writes to the strings.
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) args.push_back(const_cast<char*>(argv[i]));
  args.push_back(nullptr);

  CliOptions options;
  bool jobs = false;
  // Windows programs answer "/?" with their help.
  if (kPathSeparator == '\\' && argc == 2 && std::string_view(argv[1]) == "/?") {
    options.action = CliOptions::Action::Help;
    return options;
  }
  optind = 0;  // start afresh, in case the parser ran before
  opterr = 0;  // errors are reported by the caller, in one line
  for (;;) {
    int c = getopt_long(argc, args.data(), kShortOptions, kLongOptions, nullptr);
    if (c == -1) break;
    switch (c) {
      case 'f':
        if (!ParseFormat(optarg, options.format)) {
          return UsageError(std::string("invalid format '") + optarg + "' (use " + FormatChoices() + ")");
        }
        break;
      case 'j':
        if (!ParseReaders(optarg, options.readers)) {
          return UsageError(std::string("invalid number of readers '") + optarg + "' (use 1 to " +
                            std::to_string(kMostReaders) + ")");
        }
        break;
      case 'n':
        options.dryRun = true;
        break;
      case 'q':
        options.quiet = true;
        break;
      case kUndo:
        options.action = CliOptions::Action::Undo;
        break;
      case kJobs:
        jobs = true;
        break;
      case kNoJournal:
        options.journal = false;
        break;
      case 'h':
        options.action = CliOptions::Action::Help;
        return options;
      case 'V':
        options.action = CliOptions::Action::Version;
        return options;
      case ':':
        // The getopt of mingw-w64 reports "--quiet=yes" here too, glibc's as an
        // unknown option.
        if (const option* o = LongOption(optopt); o != nullptr && o->has_arg == no_argument)
          return UsageError(UnknownOption(optopt, args[optind - 1]));
        return UsageError("option '--" + std::string(LongName(optopt)) + "' needs a value");
      default:
        return UsageError(UnknownOption(optopt, args[optind - 1]));
    }
  }
  if (jobs) {
    if (options.action == CliOptions::Action::Undo) return UsageError("--jobs and --undo do not go together");
    if (optind != argc) return UsageError("--jobs takes no FOLDER");
    options.action = CliOptions::Action::Jobs;
    return options;
  }
  if (optind == argc) return UsageError("FOLDER is missing");
  if (argc - optind > 1) return UsageError("more than one FOLDER given");
  options.folder = args[optind];
  return options;
}

}  // namespace kirabo::cli
