#include "engine/RenameWorker.h"

#include <limits>
#include <string>
#include <vector>

#include "engine/CaptureTimeReader.h"
#include "engine/FolderScanner.h"
#include "engine/JobFileSystem.h"
#include "engine/JobObserver.h"
#include "engine/NewName.h"
#include "engine/RenameJob.h"

namespace kirabo {

namespace {

bool IsKnownFormat(int32_t format) { return format == DateAndTime || format == TimeOnly; }

class JobRun {
 public:
  explicit JobRun(RenameJob& job)
      : job(job),
        fileSystem(job.fileSystem != nullptr ? *job.fileSystem : RealFileSystem()),
        codePage(ActiveCodePage()) {}

  JobEnd Run() {
    std::vector<std::string> list;
    {
      CFolderScanner scanner(fileSystem, codePage);
      scanner.CollectRawFiles(job.folder, list, job.observer, job.state);
    }
    if (!IsKnownFormat(job.format)) list.clear();

    for (size_t i = 0; i < list.size(); ++i) {
      if (StopRequestedNow()) return JobEnd::Stopped;
      FileReport report;
      report.number = i + 1;
      report.count = list.size();
      report.path = list[i];
      if (!DealWith(report)) return JobEnd::Stopped;
      Count(report.outcome);
      if (job.observer != nullptr) job.observer->OnFile(report);
    }
    // Also the check for a stop during a scan that found nothing.
    return StopRequestedNow() ? JobEnd::Stopped : JobEnd::Completed;
  }

  const JobCounts& Counts() const { return counts; }

 private:
  bool StopRequestedNow() const { return job.state.load() == StopRequested; }

  // Fills in the outcome; false when a stop came first and the file was left
  // as it was, unreported.
  bool DealWith(FileReport& report) {
    CCaptureTimeReader reader;
    reader.Load(report.path);
    std::optional<std::string> stem = NameStem(reader.GetCaptureTime(), job.format);
    if (!stem) {
      report.outcome = FileOutcome::NoCaptureTime;
      return true;
    }
    // Tries stem, stem_1, stem_2, ... until one is accepted. Only a taken
    // name moves on to the next suffix: any other failure would fail again
    // for every suffix.
    RenameParts parts = SplitForRename(report.path, codePage);
    for (int32_t attempt = 0;; ++attempt) {
      if (StopRequestedNow()) return false;
      std::string candidate = CandidatePath(parts, *stem, attempt);
      RenameResult result = fileSystem.Rename(report.path, candidate);
      if (result.outcome == RenameOutcome::Renamed) {
        report.outcome = candidate == report.path ? FileOutcome::AlreadyNamed : FileOutcome::Renamed;
        report.newPath = std::move(candidate);
        return true;
      }
      if (result.outcome == RenameOutcome::Failed || attempt == std::numeric_limits<int32_t>::max()) {
        report.outcome = FileOutcome::RenameFailed;
        report.reason = std::move(result.reason);
        return true;
      }
    }
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
    }
  }

  RenameJob& job;
  JobFileSystem& fileSystem;
  CodePage codePage;
  JobCounts counts;
};

// Idle first: on a stop that write is the acknowledgement the caller waits
// for, and on a normal end it releases a caller before the observer may wait
// for the user.
void EndJob(RenameJob& job, JobEnd end, const JobCounts& counts) {
  job.state.store(Idle);
  if (job.observer == nullptr) return;
  try {
    job.observer->OnJobEnd(end, counts);
  } catch (...) {
    // The front end could not say it (out of memory); the job is over all the same.
  }
}

}  // namespace

uint32_t RenameWorkerProc(void* param) {
  auto& job = *static_cast<RenameJob*>(param);
  // Claim the record without overwriting a stop requested before the worker
  // ran; a record already Running belongs to another worker.
  int32_t expected = Idle;
  if (!job.state.compare_exchange_strong(expected, Running)) {
    if (expected == StopRequested) EndJob(job, JobEnd::Stopped, {});
    return 0;
  }
  JobRun run(job);
  JobEnd end = JobEnd::Failed;
  try {
    end = run.Run();
  } catch (...) {
    // Out of memory while the list or a name grew: end the job rather than
    // the process.
  }
  EndJob(job, end, run.Counts());
  return 0;
}

}  // namespace kirabo
