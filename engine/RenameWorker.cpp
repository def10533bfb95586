#include "engine/RenameWorker.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/FolderCursor.h"
#include "engine/FolderContents.h"
#include "engine/FolderLanes.h"
#include "engine/FolderScanner.h"
#include "engine/GroupRename.h"
#include "engine/JobFileSystem.h"
#include "engine/JobJournal.h"
#include "engine/JobObserver.h"
#include "engine/JobSteps.h"
#include "engine/JournalRepair.h"
#include "engine/NameFormats.h"
#include "engine/NewName.h"
#include "engine/ReadAhead.h"
#include "engine/RenameJob.h"
#include "platform/Folder.h"

namespace kirabo {

namespace {

// Files queued per lane at most: enough to reach the next folders while
// the first ones are renamed, few enough to keep memory flat.
constexpr size_t kFilesPerLane = 128;

class JobRun {
 public:
  explicit JobRun(RenameJob& job)
      : job(job),
        fileSystem(job.fileSystem != nullptr ? *job.fileSystem : RealFileSystem()),
        codePage(ActiveCodePage()),
        journal(job) {}

  JobEnd Run() {
    // The readers list the folders too, where reading several at once pays.
    const int32_t readers = job.readers > 0 ? job.readers : DefaultReadersFor(job.folder);
    if (journal.IsOn()) {
      std::string realFolder;
      if (!fileSystem.ResolveFolder(job.folder, realFolder)) realFolder = job.folder;
      std::string tree;
      if (!MakeLexicalAbsolute(job.folder, tree)) tree = job.folder;
      // What killed jobs left comes before anything else this job does.
      RepairKilledJobs(fileSystem, job.folder, realFolder, job.journalFolder, codePage);
      if (!journal.Start(realFolder, tree, readers > 1)) return JobEnd::JournalFailed;
    }
    {
      CFolderScanner scanner(fileSystem, codePage, readers);
      scanner.CollectRawFiles(job.folder, scan, job.observer, job.state);
    }
    counts.unlistedFolders = scan.unlistedFolders;
    if (FindNameFormat(job.format) == nullptr) scan.files.clear();

    if (readers > 1 && scan.files.size() > 1) {
      std::deque<Dealt> dealt;
      // After `dealt`, so that it ends first: its tasks fill it in.
      CFolderLanes lanes(readers, static_cast<size_t>(readers) * kFilesPerLane);
      if (lanes.Running()) return RunInLanes(lanes, dealt);
    }
    // Ends before the job does: its readers are joined when the renames stop.
    CReadAhead readAhead(scan, readers, job.state);
    FolderCursor cursor(scan);
    for (size_t i = 0; i < scan.files.size(); ++i) {
      if (StopRequestedNow()) return JobEnd::Stopped;
      const ScannedFile& file = scan.files[i];
      FileReport report = ReportOn(i);
      std::optional<CaptureTimeRead> read = readAhead.TakeCaptureTime(i);
      std::shared_ptr<JobFolder> folder = cursor.Hold(file.folder, report.reason);
      if (!folder) {
        report.outcome = FileOutcome::RenameFailed;
      } else if (!DealWith(*folder, file, std::move(read), report, nullptr, journal)) {
        return journalFailed ? JobEnd::JournalFailed : JobEnd::Stopped;
      }
      Tell(report);
    }
    // A stop during a scan that found nothing, or after the last file, is
    // seen as the job ends.
    return JobEnd::Completed;
  }

  const JobCounts& Counts() const { return counts; }
  JobJournal& Journal() { return journal; }

 private:
  // A file dealt with in a lane, told once the files before it have been.
  struct Dealt {
    FileReport report;
    std::vector<std::string> shared;  // companions several raw files share, met first with this file
    bool done = false;                // false when a stop came first
    bool outOfMemory = false;
  };

  bool StopRequestedNow() const { return job.state.load() == StopRequested; }

  FileReport ReportOn(size_t index) const {
    FileReport report;
    report.number = index + 1;
    report.count = scan.files.size();
    report.path = scan.files[index].path;
    return report;
  }

  // Each folder's files are dealt with one after another, as the sequential
  // job does, and the files of several folders at once: a folder's names are
  // its own, so none changes. A link to a file, which a rename elsewhere could
  // redirect, is read and renamed alone at its turn. The files are told in
  // list order. Each thread records its renames in a lane of the journal.
  JobEnd RunInLanes(CFolderLanes& lanes, std::deque<Dealt>& dealt) {
    FolderCursor cursor(scan);
    bool stopped = false;
    bool outOfMemory = false;
    auto tellOldest = [&] {
      lanes.TakeOldest();
      Dealt& oldest = dealt.front();
      outOfMemory = outOfMemory || oldest.outOfMemory;
      stopped = stopped || (!oldest.done && !oldest.outOfMemory);
      if (oldest.done) {
        if (job.observer != nullptr) {
          for (const std::string& path : oldest.shared) job.observer->OnCompanionShared(path);
        }
        Tell(oldest.report);
      }
      dealt.pop_front();
    };
    for (size_t i = 0; i < scan.files.size() && !outOfMemory; ++i) {
      if (StopRequestedNow() || journalFailed) {
        stopped = true;
        break;
      }
      while (!lanes.HasRoom()) tellOldest();
      const ScannedFile& file = scan.files[i];
      Dealt& slot = dealt.emplace_back();
      slot.report = ReportOn(i);
      std::shared_ptr<JobFolder> folder = cursor.Hold(file.folder, slot.report.reason);
      lanes.Queue(file.isLink ? CFolderLanes::kAlone : file.folder, [this, &slot, &file, folder](uint32_t thread) {
        try {
          if (StopRequestedNow() || journalFailed) return;
          if (!folder) {
            slot.report.outcome = FileOutcome::RenameFailed;
            slot.done = true;
          } else {
            JobJournal lane = journal.LaneOf(thread + 1);
            slot.done = DealWith(*folder, file, std::nullopt, slot.report, &slot.shared, lane);
          }
        } catch (...) {
          slot.outOfMemory = true;
        }
      });
    }
    while (!dealt.empty()) tellOldest();
    if (outOfMemory) return JobEnd::Failed;
    if (journalFailed) return JobEnd::JournalFailed;
    return stopped ? JobEnd::Stopped : JobEnd::Completed;
  }

  void Tell(const FileReport& report) {
    Count(report.outcome);
    counts.companions += report.companions.size();
    if (job.observer != nullptr) job.observer->OnFile(report);
  }

  // Fills in the outcome; false when a stop came first, or the journal could
  // not hold the rename, and the file was left as it was, unreported. A file
  // the readers left alone is read here, through the folder held open.
  // `shared` (when not null) gathers the companions several raw files share
  // rather than telling them at once. The renames go into `lane` of the
  // journal.
  bool DealWith(JobFolder& folder, const ScannedFile& file, std::optional<CaptureTimeRead> read,
                FileReport& report, std::vector<std::string>* shared, JobJournal& lane) {
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
    FolderContents& contents = ContentsOf(folder, file.folder, report.path, shared);
    const std::string folderPath = SplitForRename(report.path, codePage).folderPrefix;
    std::vector<std::unique_ptr<JobFolder>> companionFolders;
    std::vector<GroupMember> members = CompanionMembers(folder, contents, file.name, folderPath, companionFolders);
    GroupMember raw{&folder, &contents.names, folderPath, file.name, SplitForRename(file.name, codePage).extension, {}};
    // The journal tells the file by its identity, which the rename keeps: as
    // the read found it, which saves a share a round trip, unless the file is
    // a link, whose rename moves the link itself.
    if (read->identified && !file.isLink) {
      raw.identity = read->identity;
    } else if (journal.IsOn() && !folder.Identify(file.name, raw.identity)) {
      report.outcome = FileOutcome::RenameFailed;
      report.reason = std::strerror(ENOENT);
      return true;
    }
    members.push_back(std::move(raw));
    GroupResult result = RenameGroup(members, *stem, lane, job.state);
    switch (result.outcome) {
      case GroupOutcome::Interrupted:
        if (result.journalFailed) journalFailed = true;
        return false;
      case GroupOutcome::AlreadyNamed:
        report.outcome = FileOutcome::AlreadyNamed;
        report.newPath = report.path;
        return true;
      case GroupOutcome::Failed:
        report.outcome = FileOutcome::RenameFailed;
        report.reason = std::move(result.reason);
        if (result.failedMember + 1 < members.size()) {
          const GroupMember& failed = members[result.failedMember];
          report.failedCompanion = failed.folderPath + failed.name;
        }
        return true;
      case GroupOutcome::Renamed:
        break;
    }
    report.outcome = FileOutcome::Renamed;
    report.newPath = members.back().folderPath + result.newNames.back();
    for (size_t i = 0; i + 1 < members.size(); ++i) {
      report.companions.push_back(
          {members[i].folderPath + members[i].name, members[i].folderPath + result.newNames[i]});
    }
    return true;
  }

  // The folder's names and companions from its listing at the first file
  // dealt with in it, when the companions that several raw files share are
  // told.
  FolderContents& ContentsOf(JobFolder& folder, size_t index, const std::string& path,
                             std::vector<std::string>* shared) {
    {
      std::lock_guard lock(foldersMutex);
      auto known = folders.find(index);
      if (known != folders.end()) return known->second;
    }
    // Listed outside the lock: only this folder's own lane lists it.
    FolderContents listed = ListFolderContents(folder, job.withCompanions, codePage);
    std::unique_lock lock(foldersMutex);
    FolderContents& contents = folders.try_emplace(index, std::move(listed)).first->second;
    lock.unlock();
    const std::string folderPath = SplitForRename(path, codePage).folderPrefix;
    for (const std::string& name : contents.shared) {
      if (shared != nullptr) shared->push_back(folderPath + name);
      else if (job.observer != nullptr) job.observer->OnCompanionShared(folderPath + name);
    }
    return contents;
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
  std::atomic<bool> journalFailed = false;
  ScanResult scan;
  // By the scan's folder index; the lock guards the map, each folder's
  // contents are its lane's alone.
  std::mutex foldersMutex;
  std::unordered_map<size_t, FolderContents> folders;
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
