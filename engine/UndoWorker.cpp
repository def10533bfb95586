#include "engine/UndoWorker.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/FolderByPath.h"
#include "engine/FolderNames.h"
#include "engine/JobFileSystem.h"
#include "engine/JobJournal.h"
#include "engine/JobSteps.h"
#include "engine/Journal.h"
#include "engine/JournalFolder.h"
#include "engine/JournalRepair.h"
#include "engine/JournalWriter.h"
#include "engine/RenameJob.h"
#include "platform/Multibyte.h"
#include "platform/Path.h"

namespace kirabo {

namespace {

class UndoRun {
 public:
  explicit UndoRun(RenameJob& job)
      : job(job),
        fileSystem(job.fileSystem != nullptr ? *job.fileSystem : RealFileSystem()),
        codePage(ActiveCodePage()),
        journal(job) {}

  JobEnd Run() {
    Journal target;
    if (!ReadJournalFile(job.undoJournal, target)) {
      journalError = "cannot read " + job.undoJournal;
      return JobEnd::JournalFailed;
    }
    if (!journal.Start(target.folder, target.tree, false, job.undoJournal)) return JobEnd::JournalFailed;
    if (journal.IsOn()) RepairKilledJobs(fileSystem, job.folder, target.folder, job.journalFolder, codePage);
    std::vector<const JournalRename*> renames;
    for (auto rename = target.renames.rbegin(); rename != target.renames.rend(); ++rename) {
      if (rename->made) renames.push_back(&*rename);
    }
    for (size_t i = 0; i < renames.size(); ++i) {
      if (job.state.load() == StopRequested) return JobEnd::Stopped;
      FileReport report;
      report.number = i + 1;
      report.count = renames.size();
      report.path = renames[i]->to;
      report.newPath = renames[i]->from;
      if (!TakeBack(*renames[i], report)) {
        if (journalFailed) return JobEnd::JournalFailed;
        continue;
      }
      if (report.outcome == FileOutcome::Renamed) {
        ++counts.renamed;
      } else {
        ++counts.renameFailed;
      }
      if (job.observer != nullptr) job.observer->OnFile(report);
    }
    return JobEnd::Completed;
  }

  // The end line of the undo's own journal, then the mark on the journal
  // taken back when nothing was left behind.
  JobEnd Finish(JobEnd end) {
    end = journal.Finish(end, counts.renameFailed);
    if (end == JobEnd::Completed && counts.renameFailed == 0 && !job.pretend) {
      MarkTakenBack(job.undoJournal, journal.IsOn() ? JournalName(journal.Path()) : std::string("-"));
    }
    return end;
  }

  const JobCounts& Counts() const { return counts; }
  std::string JournalError() const { return journalError.empty() ? journal.Error() : journalError; }

 private:
  // Fills in the outcome; false when there is nothing to report (the file
  // was never renamed, or is back already) or the journal failed.
  bool TakeBack(const JournalRename& rename, FileReport& report) {
    size_t separator = FindLastChar(rename.from, kPathSeparator, codePage);
    std::string folderPath = rename.from.substr(0, separator + 1);
    std::string oldName = rename.from.substr(folderPath.size());
    size_t newSeparator = FindLastChar(rename.to, kPathSeparator, codePage);
    std::string newName = rename.to.substr(newSeparator + 1);
    // A job renames inside one folder only: a record that leaves it is not
    // one of the job's renames as it made them.
    if (rename.to.compare(0, newSeparator + 1, folderPath) != 0) return Refuse(report, kUndoChanged);
    JobFolder* folder = held.Hold(folderPath);
    FileIdentity now;
    bool present = folder != nullptr && folder->Identify(newName, now);
    if (!present || !now.SameFileAndSize(rename.identity)) {
      FileIdentity old;
      if (folder != nullptr && folder->Identify(oldName, old) && old.SameFileAndSize(rename.identity)) return false;
      return Refuse(report, present ? kUndoChanged : kUndoMissing);
    }
    FolderNames& names = NamesIn(*folder, folderPath);
    // The file's present name is no obstacle to its old one (they may differ
    // only in letter case).
    names.Release(newName);
    if (names.IsTaken(oldName)) {
      names.Take(newName);
      return Refuse(report, kUndoNameTaken);
    }
    if (!journal.Before(rename.to, rename.from, now)) {
      names.Take(newName);
      journalFailed = true;
      return false;
    }
    RenameResult result = folder->Rename(newName, oldName, &journal);
    if (result.outcome == RenameOutcome::Failed && journal.HasFailed()) {
      // The reservation could not be recorded, so the rename was given up.
      names.Take(newName);
      journalFailed = true;
      return false;
    }
    if (result.outcome != RenameOutcome::Renamed) {
      journal.NotMade();
      names.Take(newName);
      return Refuse(report, result.outcome == RenameOutcome::NameTaken ? std::string(kUndoNameTaken) : result.reason);
    }
    names.Take(oldName);
    report.outcome = FileOutcome::Renamed;
    return true;
  }

  static bool Refuse(FileReport& report, std::string reason) {
    report.outcome = FileOutcome::RenameFailed;
    report.reason = std::move(reason);
    return true;
  }

  // As in a job: the folder's listing when first met, then the undo's own
  // renames; the no-replace rename catches whatever changed meanwhile.
  FolderNames& NamesIn(JobFolder& folder, const std::string& folderPath) {
    auto known = folders.find(folderPath);
    if (known == folders.end()) known = folders.try_emplace(folderPath, NamesListedIn(folder, codePage)).first;
    return known->second;
  }

  RenameJob& job;
  JobFileSystem& fileSystem;
  CodePage codePage;
  JobJournal journal;
  JobCounts counts;
  bool journalFailed = false;
  std::string journalError;
  FolderByPath held{fileSystem};  // the files of a folder that cannot be opened count as missing
  std::unordered_map<std::string, FolderNames> folders;  // by folder path with its separator
};

}  // namespace

uint32_t UndoWorkerProc(void* param) {
  auto& job = *static_cast<RenameJob*>(param);
  if (!ClaimJob(job)) return 0;
  UndoRun run(job);
  JobEnd end = JobEnd::Failed;
  try {
    end = run.Finish(run.Run());
  } catch (...) {
    // Out of memory: end the undo rather than the process; what was
    // restored stays restored.
  }
  EndJob(job, end, run.Counts(), run.JournalError());
  return 0;
}

const char* UndoReasonText(std::string_view reason) {
  if (reason == kUndoMissing) return "見つかりません";
  if (reason == kUndoChanged) return "変更されています";
  if (reason == kUndoNameTaken) return "元の名前が使われています";
  return nullptr;
}

}  // namespace kirabo
