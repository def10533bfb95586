#include "cli/CliOptions.h"

#include <getopt.h>

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "engine/NameFormats.h"
#include "platform/Path.h"

namespace kirabo::cli {

namespace {

// Options without a letter.
enum : int { kUndo = 256, kJobs, kNoJournal, kRawOnly };

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
    {"raw-only", no_argument, nullptr, kRawOnly},
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

// "1, 2, datetime, time"
std::string FormatChoices() {
  std::string choices;
  for (const std::string& word : FormatWords()) choices += (choices.empty() ? "" : ", ") + word;
  return choices;
}

bool ParseReaders(std::string_view value, int32_t& readers) {
  int32_t parsed = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
  if (error != std::errc() || end != value.data() + value.size() || parsed < 1 || parsed > kMostReaders) return false;
  readers = parsed;
  return true;
}

CliOptions UsageError(const char* error, std::vector<std::string> arguments = {}) {
  CliOptions options;
  options.action = CliOptions::Action::UsageError;
  options.error = error;
  options.errorArguments = std::move(arguments);
  return options;
}

// getopt reports a long option given a value it does not take with that
// option's short letter, and an unknown short letter with the letter itself.
CliOptions UnknownOption(int shortOption, const char* element) {
  if (shortOption == 0) return UsageError("不明なオプション '%1'", {element});
  if (const char* name = LongName(shortOption)) return UsageError("オプション '--%1' は値を取りません", {name});
  return UsageError("不正なオプション -- '%1'", {std::string(1, static_cast<char>(shortOption))});
}

}  // namespace

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
          return UsageError("不正な形式 '%1' (%2 のいずれか)", {optarg, FormatChoices()});
        }
        break;
      case 'j':
        static_assert(kMostReaders == 64, "the usage error names the limit");
        if (!ParseReaders(optarg, options.readers)) return UsageError("不正な読み込み数 '%1' (1 から 64)", {optarg});
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
      case kRawOnly:
        options.companions = false;
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
          return UnknownOption(optopt, args[optind - 1]);
        return UsageError("オプション '--%1' には値が必要です", {LongName(optopt)});
      default:
        return UnknownOption(optopt, args[optind - 1]);
    }
  }
  if (jobs) {
    if (options.action == CliOptions::Action::Undo) return UsageError("--jobs と --undo は一緒に使えません");
    if (optind != argc) return UsageError("--jobs はフォルダを取りません");
    options.action = CliOptions::Action::Jobs;
    return options;
  }
  if (optind == argc) return UsageError("フォルダが指定されていません");
  if (argc - optind > 1) return UsageError("フォルダが 2 つ以上指定されています");
  options.folder = args[optind];
  return options;
}

}  // namespace kirabo::cli
