// kirabo-cli: runs one rename job from the command line, for scripts,
// headless machines and large batches.

#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>

#include "cli/CliOptions.h"
#include "cli/ConsoleObserver.h"
#include "cli/DryRunFileSystem.h"
#include "cli/SystemConsole.h"
#include "engine/JobFileSystem.h"
#include "engine/JournalFolder.h"
#include "engine/RenameJob.h"
#include "engine/RenameWorker.h"
#include "engine/UndoWorker.h"
#include "platform/FolderExists.h"
#include "platform/RealPath.h"
#include "platform/StateFolder.h"
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

bool JournalFolder(std::string& folder) {
  if (int error = kirabo::JobJournalFolder(folder)) {
    std::fprintf(stderr, "kirabo-cli: cannot write the undo journal: %s\n",
                 std::system_category().message(error).c_str());
    return false;
  }
  return true;
}

// Runs `proc` on `job` and says how it went; the exit status.
int RunJob(const CliOptions& options, uint32_t (*proc)(void*), kirabo::RenameJob& job) {
  kirabo::cli::DryRunFileSystem dryRun(kirabo::RealFileSystem());
  job.pretend = options.dryRun;
  if (options.dryRun) job.fileSystem = &dryRun;

  kirabo::cli::ConsoleSettings settings;
  settings.folder = options.folder;
  settings.quiet = options.quiet;
  settings.undo = options.action == CliOptions::Action::Undo;
  settings.progress = !options.quiet && ::isatty(STDERR_FILENO) == 1;
  settings.stdoutIsTerminal = ::isatty(STDOUT_FILENO) == 1;
  settings.codePage = kirabo::ActiveCodePage();
  settings.language = kirabo::UiLanguageFromEnvironment();
  kirabo::cli::ConsoleObserver observer(settings, job.state);
  job.observer = &observer;

  kirabo::cli::InstallStopHandlers(job.state);
  proc(&job);
  kirabo::cli::RemoveStopHandlers();

  int outputError = observer.OutputError();
  if (outputError == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout))) outputError = errno;
  if (outputError != 0) {
    std::fprintf(stderr, "kirabo-cli: cannot write the output: %s\n", std::strerror(outputError));
    return kExitFailure;
  }
  if (observer.End() == kirabo::JobEnd::JournalFailed) {
    std::fprintf(stderr, "kirabo-cli: cannot write the undo journal: %s\n", observer.JournalError().c_str());
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
  if (!options.quiet) std::fprintf(stderr, "%s\n", kirabo::cli::SummaryLine(counts, settings.undo).c_str());
  return counts.renameFailed + counts.unlistedFolders > 0 ? kExitRenameFailed : kExitDone;
}

int Rename(const CliOptions& options) {
  kirabo::RenameJob job;
  job.folder = options.folder;
  job.format = options.format;
  job.readers = options.readers;
  if (options.journal && !options.dryRun && !JournalFolder(job.journalFolder)) return kExitFailure;
  return RunJob(options, kirabo::RenameWorkerProc, job);
}

int Undo(const CliOptions& options) {
  std::string journals;
  std::string realFolder;
  if (!JournalFolder(journals)) return kExitFailure;
  std::optional<kirabo::KeptJournal> latest;
  if (kirabo::ResolveRealPath(options.folder, realFolder)) latest = kirabo::LatestUndoable(journals, realFolder);
  if (!latest) {
    std::fprintf(stderr, "kirabo-cli: %s: no job to undo\n", options.folder.c_str());
    return kExitFailure;
  }
  kirabo::RenameJob job;
  job.folder = options.folder;
  job.undoJournal = latest->path;
  if (options.journal) job.journalFolder = journals;
  return RunJob(options, kirabo::UndoWorkerProc, job);
}

// One line per kept journal: start time, folder, files renamed, taken back.
int ListJobs() {
  std::string journals;
  if (!JournalFolder(journals)) return kExitFailure;
  kirabo::CodePage codePage = kirabo::ActiveCodePage();
  for (const kirabo::KeptJournal& kept : kirabo::ReadJournals(journals)) {
    const kirabo::Journal& journal = kept.journal;
    std::printf("%s\t%s\t%zu %s\t%s\n", journal.started.c_str(),
                kirabo::cli::EscapeForLine(journal.folder, codePage).c_str(), journal.MadeRenames(),
                journal.undoes.empty() ? "renamed" : "restored", journal.takenBack ? "taken back" : "not taken back");
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "kirabo-cli: cannot write the output: %s\n", std::strerror(errno));
    return kExitFailure;
  }
  return kExitDone;
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
    case CliOptions::Action::Jobs:
      return ListJobs();
    case CliOptions::Action::Run:
    case CliOptions::Action::Undo:
      break;
  }
  if (!CheckFolder(options.folder)) return kExitFailure;
  kirabo::cli::PrepareConsole();
  return options.action == CliOptions::Action::Undo ? Undo(options) : Rename(options);
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
