// kirabo-cli: runs one rename job from the command line, for scripts,
// headless machines and large batches.

#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/CliOptions.h"
#include "cli/ConsoleObserver.h"
#include "cli/DryRunFileSystem.h"
#include "cli/SystemConsole.h"
#include "engine/JobFileSystem.h"
#include "engine/RenameJob.h"
#include "engine/RenameWorker.h"
#include "platform/FolderExists.h"
#include "platform/UiLanguage.h"
#include "res/Version.h"
#include "res/translations/TextTable.h"

namespace {

using kirabo::cli::CliOptions;

constexpr int kExitDone = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRenameFailed = 3;
constexpr int kExitStopped = 130;

bool CheckFolder(const std::string& folder) {
  int error = 0;
  if (kirabo::FolderExists(folder, &error)) return true;
  std::fprintf(stderr, "kirabo-cli: %s: %s\n", folder.c_str(), error != 0 ? std::strerror(error) : "not a folder");
  return false;
}

int RunJob(const CliOptions& options) {
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
  settings.language = kirabo::UiLanguageFromEnvironment();
  kirabo::cli::ConsoleObserver observer(settings, job.state);
  job.observer = &observer;

  kirabo::cli::InstallStopHandlers(job.state);
  kirabo::RenameWorkerProc(&job);
  kirabo::cli::RemoveStopHandlers();

  int outputError = observer.OutputError();
  if (outputError == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout))) outputError = errno;
  if (outputError != 0) {
    std::fprintf(stderr, "kirabo-cli: cannot write the output: %s\n", std::strerror(outputError));
    return kExitFailure;
  }
  if (kirabo::cli::StopWasRequested()) {
    std::fprintf(stderr, "%s\n", kirabo::TextIn(settings.language, "Cli", "中断しました"));
    return kExitStopped;
  }
  if (observer.End() == kirabo::JobEnd::Failed) {
    std::fputs("kirabo-cli: out of memory\n", stderr);
    return kExitFailure;
  }
  const kirabo::JobCounts& counts = observer.Counts();
  if (!options.quiet) std::fprintf(stderr, "%s\n", kirabo::cli::SummaryLine(counts).c_str());
  return counts.renameFailed > 0 ? kExitRenameFailed : kExitDone;
}

int Main(int argc, char** argv) {
  CliOptions options = kirabo::cli::ParseCommandLine(argc, argv);
  switch (options.action) {
    case CliOptions::Action::Help:
      std::fputs(kirabo::cli::Usage().c_str(), stdout);
      return kExitDone;
    case CliOptions::Action::Version:
      std::printf("kirabo-cli %s\n", kirabo::kVersion);
      return kExitDone;
    case CliOptions::Action::UsageError:
      std::fprintf(stderr, "kirabo-cli: %s\nTry 'kirabo-cli --help' for more information.\n", options.error.c_str());
      return kExitUsage;
    case CliOptions::Action::Run:
      break;
  }
  if (!CheckFolder(options.folder)) return kExitFailure;
  kirabo::cli::PrepareConsole();
  return RunJob(options);
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  try {
    return Main(argc, argv);
  } catch (...) {
    std::fputs("kirabo-cli: out of memory\n", stderr);
    return kExitFailure;
  }
}
