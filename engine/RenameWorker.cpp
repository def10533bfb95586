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
#include "engine/FolderContents.h"
#include "engine/FolderScanner.h"
#include "engine/GroupRename.h"
#include "engine/GroupRepair.h"
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
      MakeCutShortGroupsWhole(fileSystem, job.journalFolder, realFolder, codePage);
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
    FolderContents& contents = ContentsOf(folder, file.folder, report.path);
    std::vector<std::unique_ptr<JobFolder>> companionFolders;
    std::vector<GroupMember> members = Companions(folder, contents, file, report.path, companionFolders);
    GroupMember raw{&folder, &contents.names, SplitForRename(report.path, codePage).folderPrefix, file.name,
                    SplitForRename(file.name, codePage).extension, {}};
    // The journal tells the file by its identity, which the rename keeps.
    if (journal.IsOn() && !folder.Identify(file.name, raw.identity)) {
      report.outcome = FileOutcome::RenameFailed;
      report.reason = std::strerror(ENOENT);
      return true;
    }
    members.push_back(std::move(raw));
    GroupResult result = RenameGroup(members, *stem, journal, job.state);
    switch (result.outcome) {
      case GroupOutcome::Interrupted:
        journalFailed = result.journalFailed;
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
    counts.companions += report.companions.size();
    return true;
  }

  // The members of `file`'s group but the raw file itself, each held in its
  // folder (Capture One's settings folders are opened into `held`). A
  // companion gone since the listing is left out.
  std::vector<GroupMember> Companions(JobFolder& folder, FolderContents& contents, const ScannedFile& file,
                                      const std::string& path, std::vector<std::unique_ptr<JobFolder>>& held) {
    std::vector<GroupMember> members;
    auto found = contents.companions.find(file.name);
    if (found == contents.companions.end()) return members;
    const std::string folderPath = SplitForRename(path, codePage).folderPrefix;
    for (const Companion& companion : found->second) {
      GroupMember member{&folder, &contents.names, folderPath + companion.folder, companion.name, companion.tail, {}};
      if (!companion.folder.empty()) {
        auto settings = contents.companionFolders.find(companion.folder);
        if (settings == contents.companionFolders.end()) continue;
        member.folder = OpenBelow(folder, settings->second.entries, held);
        if (member.folder == nullptr) continue;
        member.names = &settings->second.names;
      }
      if (!member.folder->Identify(member.name, member.identity)) continue;
      members.push_back(std::move(member));
    }
    return members;
  }

  // The folder reached from `folder` through `entries`, kept open in `held`.
  static JobFolder* OpenBelow(JobFolder& folder, const std::vector<std::string>& entries,
                              std::vector<std::unique_ptr<JobFolder>>& held) {
    JobFolder* at = &folder;
    std::string reason;
    for (const std::string& entry : entries) {
      std::unique_ptr<JobFolder> below = at->OpenFolder(entry, reason);
      if (!below) return nullptr;
      at = below.get();
      held.push_back(std::move(below));
    }
    return at;
  }

  // The folder's names and companions from its listing at the first file
  // dealt with in it, when the companions that several raw files share are
  // told.
  FolderContents& ContentsOf(JobFolder& folder, size_t index, const std::string& path) {
    auto known = folders.find(index);
    if (known != folders.end()) return known->second;
    FolderContents& contents =
        folders.try_emplace(index, ListFolderContents(folder, job.withCompanions, codePage)).first->second;
    if (job.observer != nullptr) {
      const std::string folderPath = SplitForRename(path, codePage).folderPrefix;
      for (const std::string& name : contents.shared) job.observer->OnCompanionShared(folderPath + name);
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
  bool journalFailed = false;
  ScanResult scan;
  std::unordered_map<size_t, FolderContents> folders;  // by the scan's folder index
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
