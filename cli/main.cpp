// kirabo-cli: runs one rename job from the command line, for scripts,
// headless machines and large batches.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/CliOptions.h"
#include "cli/CliTexts.h"
#include "cli/ConsoleObserver.h"
#include "cli/DryRunFileSystem.h"
#include "cli/SystemConsole.h"
#include "engine/JobFileSystem.h"
#include "engine/RenameJob.h"
#include "engine/RenameWorker.h"
#include "platform/UiLanguage.h"
#include "res/Version.h"
#include "res/translations/TextTable.h"

namespace {

using kirabo::UiLanguage;
using kirabo::cli::CliOptions;
using kirabo::cli::CliText;

constexpr int kExitDone = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRenameFailed = 3;
constexpr int kExitStopped = 130;

// "kirabo-cli: TEXT" on a line of its own.
void Complain(const std::string& text) { std::fprintf(stderr, "kirabo-cli: %s\n", text.c_str()); }

bool CheckFolder(const std::string& folder, UiLanguage language) {
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0) {
    Complain(folder + ": " + std::strerror(errno));
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    Complain(folder + ": " + CliText(language, "フォルダではありません"));
    return false;
  }
  return true;
}

int RunJob(const CliOptions& options, UiLanguage language) {
  kirabo::cli::DryRunFileSystem dryRun(kirabo::RealFileSystem());
  kirabo::RenameJob job;
  job.folder = options.folder;
  job.format = options.format;
  job.readers = options.readers;
  if (options.dryRun) job.fileSystem = &dryRun;

  kirabo::cli::ConsoleSettings settings;
  settings.folder = options.folder;
  settings.quiet = options.quiet;
  settings.progress = !options.quiet && ::isatty(STDERR_FILENO) == 1;
  settings.stdoutIsTerminal = ::isatty(STDOUT_FILENO) == 1;
  settings.codePage = kirabo::ActiveCodePage();
  settings.language = language;
  kirabo::cli::ConsoleObserver observer(settings, job.state);
  job.observer = &observer;

  kirabo::cli::InstallStopHandlers(job.state);
  kirabo::RenameWorkerProc(&job);
  kirabo::cli::RemoveStopHandlers();

  int outputError = observer.OutputError();
  if (outputError == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout))) outputError = errno;
  if (outputError != 0) {
    Complain(CliText(language, "出力を書き込めません") + ": " + std::strerror(outputError));
    return kExitFailure;
  }
  if (observer.End() == kirabo::JobEnd::Failed) {
    Complain(CliText(language, "メモリが足りません"));
    return kExitFailure;
  }
  const std::string summary = kirabo::cli::SummaryLine(observer.Counts(), options.dryRun, language);
  if (kirabo::cli::StopWasRequested()) {
    // A terminal has echoed ^C where the cursor stood: the line is cleared
    // so the message starts one of its own.
    if (::isatty(STDERR_FILENO) == 1) std::fputs("\r\033[K", stderr);
    std::fprintf(stderr, "%s\n", CliText(language, "中断しました").c_str());
    if (!options.quiet) std::fprintf(stderr, "%s\n", summary.c_str());
    return kExitStopped;
  }
  if (!options.quiet) std::fprintf(stderr, "%s\n", summary.c_str());
  return observer.Counts().renameFailed > 0 ? kExitRenameFailed : kExitDone;
}

int Main(int argc, char** argv, UiLanguage language) {
  CliOptions options = kirabo::cli::ParseCommandLine(argc, argv);
  switch (options.action) {
    case CliOptions::Action::Help:
      std::fputs(kirabo::cli::UsageText(language).c_str(), stdout);
      return kExitDone;
    case CliOptions::Action::Version:
      std::printf("kirabo-cli %s\n", kirabo::kVersion);
      return kExitDone;
    case CliOptions::Action::UsageError:
      Complain(kirabo::WithArgument(CliText(language, options.error), options.errorArgument));
      std::fprintf(stderr, "%s\n", CliText(language, "詳しくは 'kirabo-cli --help' を実行してください。").c_str());
      return kExitUsage;
    case CliOptions::Action::Run:
      break;
  }
  if (!CheckFolder(options.folder, language)) return kExitFailure;
  kirabo::cli::PrepareConsole();
  return RunJob(options, language);
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const UiLanguage language = kirabo::UiLanguageFromEnvironment();
  try {
    return Main(argc, argv, language);
  } catch (...) {
    std::fprintf(stderr, "kirabo-cli: %s\n", kirabo::TextIn(language, "Cli", "メモリが足りません"));
    return kExitFailure;
  }
}
