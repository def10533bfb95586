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
#include "cli/CliTexts.h"
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
  int error = 0;
  if (kirabo::FolderExists(folder, &error)) return true;
  Complain(folder + ": " + (error != 0 ? std::string(std::strerror(error)) : CliText(language, "フォルダではありません")));
  return false;
}

// Where the journals are kept; false, said, when it cannot be made.
bool JournalFolder(std::string& folder, UiLanguage language) {
  if (int error = kirabo::JobJournalFolder(folder)) {
    Complain(CliText(language, "取り消し用の記録を書き込めません") + ": " + std::system_category().message(error));
    return false;
  }
  return true;
}

// Runs `proc` on `job` and says how it went; the exit status.
int RunJob(const CliOptions& options, UiLanguage language, uint32_t (*proc)(void*), kirabo::RenameJob& job) {
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
  settings.language = language;
  kirabo::cli::ConsoleObserver observer(settings, job.state);
  job.observer = &observer;

  kirabo::cli::InstallStopHandlers(job.state);
  proc(&job);
  kirabo::cli::RemoveStopHandlers();

  int outputError = observer.OutputError();
  if (outputError == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout))) outputError = errno;
  if (outputError != 0) {
    Complain(CliText(language, "出力を書き込めません") + ": " + std::strerror(outputError));
    return kExitFailure;
  }
  if (observer.End() == kirabo::JobEnd::JournalFailed) {
    Complain(CliText(language, "取り消し用の記録を書き込めません") + ": " + observer.JournalError());
    return kExitFailure;
  }
  if (observer.End() == kirabo::JobEnd::Failed) {
    Complain(CliText(language, "メモリが足りません"));
    return kExitFailure;
  }
  const std::string summary = kirabo::cli::SummaryLine(observer.Counts(), options.dryRun, settings.undo, language);
  if (kirabo::cli::StopWasRequested()) {
    // A terminal has echoed ^C where the cursor stood: the line is cleared
    // so the message starts one of its own.
    if (::isatty(STDERR_FILENO) == 1) std::fputs("\r\033[K", stderr);
    std::fprintf(stderr, "%s\n", CliText(language, "中断しました").c_str());
    if (!options.quiet) std::fprintf(stderr, "%s\n", summary.c_str());
    return kExitStopped;
  }
  if (!options.quiet) std::fprintf(stderr, "%s\n", summary.c_str());
  const kirabo::JobCounts& counts = observer.Counts();
  return counts.renameFailed + counts.unlistedFolders > 0 ? kExitRenameFailed : kExitDone;
}

int Rename(const CliOptions& options, UiLanguage language) {
  kirabo::RenameJob job;
  job.folder = options.folder;
  job.format = options.format;
  job.readers = options.readers;
  job.withCompanions = options.companions;
  if (options.journal && !options.dryRun && !JournalFolder(job.journalFolder, language)) return kExitFailure;
  return RunJob(options, language, kirabo::RenameWorkerProc, job);
}

int Undo(const CliOptions& options, UiLanguage language) {
  std::string journals;
  std::string realFolder;
  if (!JournalFolder(journals, language)) return kExitFailure;
  std::optional<kirabo::KeptJournal> latest;
  if (kirabo::ResolveRealPath(options.folder, realFolder)) latest = kirabo::LatestUndoable(journals, realFolder);
  if (!latest) {
    Complain(kirabo::WithArgument(CliText(language, "%1: 取り消すジョブがありません"), options.folder));
    return kExitFailure;
  }
  kirabo::RenameJob job;
  job.folder = options.folder;
  job.undoJournal = latest->path;
  if (options.journal) job.journalFolder = journals;
  return RunJob(options, language, kirabo::UndoWorkerProc, job);
}

// One line per kept journal: start time, folder, files renamed, taken back.
// Its words stay English in every language: scripts read them.
int ListJobs(UiLanguage language) {
  std::string journals;
  if (!JournalFolder(journals, language)) return kExitFailure;
  kirabo::CodePage codePage = kirabo::ActiveCodePage();
  for (const kirabo::KeptJournal& kept : kirabo::ReadJournals(journals)) {
    const kirabo::Journal& journal = kept.journal;
    std::printf("%s\t%s\t%zu %s\t%s\n", journal.started.c_str(),
                kirabo::cli::EscapeForLine(journal.folder, codePage).c_str(), journal.MadeRenames(),
                journal.undoes.empty() ? "renamed" : "restored", journal.takenBack ? "taken back" : "not taken back");
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    Complain(CliText(language, "出力を書き込めません") + ": " + std::strerror(errno));
    return kExitFailure;
  }
  return kExitDone;
}

int Main(int argc, char** argv, UiLanguage language) {
  // Before the first line, the help's too: on Windows the console then reads
  // the code page the lines are written in.
  kirabo::cli::PrepareConsole();
  CliOptions options = kirabo::cli::ParseCommandLine(argc, argv);
  switch (options.action) {
    case CliOptions::Action::Help:
      std::fputs(kirabo::cli::UsageText(language).c_str(), stdout);
      return kExitDone;
    case CliOptions::Action::Version:
      std::printf("kirabo-cli %s\n", kirabo::kVersion);
      return kExitDone;
    case CliOptions::Action::UsageError:
      Complain(kirabo::cli::UsageErrorText(options, language));
      std::fprintf(stderr, "%s\n", CliText(language, "詳しくは 'kirabo-cli --help' を実行してください。").c_str());
      return kExitUsage;
    case CliOptions::Action::Jobs:
      return ListJobs(language);
    case CliOptions::Action::Run:
    case CliOptions::Action::Undo:
      break;
  }
  if (!CheckFolder(options.folder, language)) return kExitFailure;
  return options.action == CliOptions::Action::Undo ? Undo(options, language) : Rename(options, language);
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const UiLanguage language = kirabo::UiLanguageFromEnvironment();
  // Converted while there is memory to convert it.
  std::string outOfMemory;
  try {
    outOfMemory = CliText(language, "メモリが足りません");
    return Main(argc, argv, language);
  } catch (...) {
    std::fprintf(stderr, "kirabo-cli: %s\n",
                 outOfMemory.empty() ? kirabo::TextIn(language, "Cli", "メモリが足りません") : outOfMemory.c_str());
    return kExitFailure;
  }
}
