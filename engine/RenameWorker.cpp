#include "engine/RenameWorker.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/FolderCursor.h"
#include "engine/FolderNames.h"
#include "engine/FolderScanner.h"
#include "engine/JobFileSystem.h"
#include "engine/JobJournal.h"
#include "engine/JobObserver.h"
#include "engine/JobSteps.h"
#include "engine/NameFormats.h"
#include "engine/NewName.h"
#include "engine/ReadAhead.h"
#include "engine/RenameJob.h"

namespace kirabo {

namespace {

class JobRun {
 public:
  explicit JobRun(RenameJob& job)
      : job(job),
        fileSystem(job.fileSystem != nullptr ? *job.fileSystem : RealFileSystem()),
        codePage(ActiveCodePage()),
        journal(job) {}

  JobEnd Run() {
    if (journal.IsOn()) {
      std::string realFolder;
      if (!fileSystem.ResolveFolder(job.folder, realFolder)) realFolder = job.folder;
      if (!journal.Start(realFolder)) return JobEnd::JournalFailed;
    }
    // The readers list the folders too, where reading several at once pays.
    const int32_t readers = job.readers > 0 ? job.readers : DefaultReadersFor(job.folder);
    {
      CFolderScanner scanner(fileSystem, codePage, readers);
      scanner.CollectRawFiles(job.folder, scan, job.observer, job.state);
    }
    counts.unlistedFolders = scan.unlistedFolders;
    if (FindNameFormat(job.format) == nullptr) scan.files.clear();

    // Ends before the job does: its readers are joined when the renames stop.
    CReadAhead readAhead(scan, readers, job.state);
    FolderCursor cursor(scan);
    for (size_t i = 0; i < scan.files.size(); ++i) {
      if (StopRequestedNow()) return JobEnd::Stopped;
      const ScannedFile& file = scan.files[i];
      FileReport report;
      report.number = i + 1;
      report.count = scan.files.size();
      report.path = file.path;
      std::optional<CaptureTimeRead> read = readAhead.TakeCaptureTime(i);
      std::shared_ptr<JobFolder> folder = cursor.Hold(file.folder, report.reason);
      if (!folder) {
        report.outcome = FileOutcome::RenameFailed;
      } else if (!DealWith(*folder, file, std::move(read), report)) {
        return journalFailed ? JobEnd::JournalFailed : JobEnd::Stopped;
      }
      Count(report.outcome);
      if (job.observer != nullptr) job.observer->OnFile(report);
    }
    // A stop during a scan that found nothing, or after the last file, is
    // seen as the job ends.
    return JobEnd::Completed;
  }

  const JobCounts& Counts() const { return counts; }
  JobJournal& Journal() { return journal; }

 private:
  bool StopRequestedNow() const { return job.state.load() == StopRequested; }

  // Fills in the outcome; false when a stop came first, or the journal could
  // not hold the rename, and the file was left as it was, unreported. A file
  // the readers left alone is read here, through the folder held open.
  bool DealWith(JobFolder& folder, const ScannedFile& file, std::optional<CaptureTimeRead> read,
                FileReport& report) {
    if (!read) read = folder.ReadCaptureTime(file.name);
    if (!read->readable) {
      report.outcome = FileOutcome::CannotRead;
      report.reason = std::move(read->reason);
      return true;
    }
    std::optional<std::string> stem = NameStem(read->captureTime, job.format);
    if (!stem) {
      report.outcome = FileOutcome::NoCaptureTime;
      return true;
    }
    const std::string& ownName = file.name;
    // The journal tells the file by its identity, which the rename keeps.
    FileIdentity identity;
    if (journal.IsOn() && !folder.Identify(ownName, identity)) {
      report.outcome = FileOutcome::RenameFailed;
      report.reason = std::strerror(ENOENT);
      return true;
    }
    RenameParts parts = SplitForRename(report.path, codePage);
    FolderNames& names = NamesIn(folder, file.folder);
    // The file's own name is free for the file itself: when it is the first
    // free candidate, the file keeps it.
    names.Release(ownName);
    for (;;) {
      if (StopRequestedNow()) {
        names.Take(ownName);
        return false;
      }
      int32_t attempt = names.FirstFreeAttempt(*stem, parts.extension);
      if (attempt < 0) {
        names.Take(ownName);
        report.outcome = FileOutcome::RenameFailed;
        report.reason = std::strerror(EEXIST);
        return true;
      }
      std::string name = CandidateName(*stem, parts.extension, attempt);
      if (name == ownName) {
        names.Take(ownName);
        report.outcome = FileOutcome::AlreadyNamed;
        report.newPath = report.path;
        return true;
      }
      std::string candidate = parts.folderPrefix + name;
      if (!journal.Before(report.path, candidate, identity)) {
        names.Take(ownName);
        journalFailed = true;
        return false;
      }
      RenameResult result = folder.Rename(ownName, name);
      if (result.outcome != RenameOutcome::Renamed) journal.NotMade();
      if (result.outcome == RenameOutcome::Failed) {
        // Any other failure would fail again for every suffix.
        names.Take(ownName);
        report.outcome = FileOutcome::RenameFailed;
        report.reason = std::move(result.reason);
        return true;
      }
      // Taken meanwhile by someone else, or now ours: either way it is taken.
      names.Take(name);
      if (result.outcome == RenameOutcome::Renamed) {
        report.outcome = FileOutcome::Renamed;
        report.newPath = std::move(candidate);
        return true;
      }
    }
  }

  // The folder's names from its listing at the first file dealt with in it;
  // a folder that cannot be listed starts with none, and the no-replace
  // rename still refuses every taken name.
  FolderNames& NamesIn(JobFolder& folder, size_t index) {
    auto known = folders.find(index);
    if (known != folders.end()) return known->second;
    return folders.try_emplace(index, NamesListedIn(folder, codePage)).first->second;
  }

  void Count(FileOutcome outcome) {
    switch (outcome) {
      case FileOutcome::Renamed:
        ++counts.renamed;
        break;
      case FileOutcome::AlreadyNamed:
        ++counts.alreadyNamed;
        break;
      case FileOutcome::NoCaptureTime:
        ++counts.noCaptureTime;
        break;
      case FileOutcome::RenameFailed:
        ++counts.renameFailed;
        break;
      case FileOutcome::CannotRead:
        ++counts.cannotRead;
        break;
    }
  }

  RenameJob& job;
  JobFileSystem& fileSystem;
  CodePage codePage;
  JobCounts counts;
  JobJournal journal;
  bool journalFailed = false;
  ScanResult scan;
  std::unordered_map<size_t, FolderNames> folders;  // by the scan's folder index
};

}  // namespace

uint32_t RenameWorkerProc(void* param) {
  auto& job = *static_cast<RenameJob*>(param);
  if (!ClaimJob(job)) return 0;
  JobRun run(job);
  JobEnd end = JobEnd::Failed;
  try {
    end = run.Run();
    end = run.Journal().Finish(end, run.Counts().renameFailed);
  } catch (...) {
    // Out of memory while the list or a name grew: end the job rather than
    // the process.
  }
  EndJob(job, end, run.Counts(), run.Journal().Error());
  return 0;
}

}  // namespace kirabo
