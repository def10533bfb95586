#include "engine/GroupRepair.h"

#include <memory>
#include <vector>

#include "engine/Journal.h"
#include "engine/JournalFolder.h"
#include "platform/AppendFile.h"
#include "platform/Path.h"

namespace kirabo {

namespace {

class GroupRepair {
 public:
  GroupRepair(JobFileSystem& fileSystem, const std::string& journalPath, CodePage codePage)
      : fileSystem(fileSystem), codePage(codePage) {
    // Refused while a running job holds its journal: that group is not cut
    // short, only under way.
    opened = journalFile.OpenExisting(journalPath) == 0;
  }

  // The group's renames taken back, the last first; then its end.
  void Repair(const Journal& journal) {
    if (!opened) return;
    for (size_t i = journal.renames.size(); i-- > *journal.cutShortGroup;) {
      if (journal.renames[i].made) TakeBack(journal.renames[i]);
    }
    journalFile.Append(JournalGroupEndLine());
    journalFile.Sync();
  }

 private:
  void TakeBack(const JournalRename& rename) {
    const size_t separator = FindLastChar(rename.from, kPathSeparator, codePage);
    if (separator == std::string::npos) return;
    const std::string folderPath = rename.from.substr(0, separator + 1);
    // Jobs rename within one folder: any other record is not theirs.
    if (rename.to.size() <= folderPath.size() || rename.to.compare(0, folderPath.size(), folderPath) != 0) return;
    const std::string oldName = rename.from.substr(folderPath.size());
    const std::string newName = rename.to.substr(folderPath.size());
    if (FindLastChar(newName, kPathSeparator, codePage) != std::string::npos) return;
    JobFolder* folder = Hold(folderPath);
    FileIdentity now;
    FileIdentity old;
    if (folder == nullptr || !folder->Identify(newName, now) || !now.SameFileAndSize(rename.identity) ||
        folder->Identify(oldName, old)) {
      return;
    }
    // Recorded before it is tried, as every rename.
    if (journalFile.Append(JournalRenameLine(rename.to, rename.from, now)) != 0) return;
    if (folder->Rename(newName, oldName, nullptr).outcome != RenameOutcome::Renamed) {
      journalFile.Append(JournalNotMadeLine());
    }
  }

  JobFolder* Hold(const std::string& folderPath) {
    if (folderPath != heldPath) {
      std::string reason;
      held = fileSystem.OpenTree(folderPath, reason);
      heldPath = folderPath;
    }
    return held.get();
  }

  JobFileSystem& fileSystem;
  CodePage codePage;
  CAppendFile journalFile;
  bool opened = false;
  std::string heldPath;
  std::unique_ptr<JobFolder> held;
};

}  // namespace

void MakeCutShortGroupsWhole(JobFileSystem& fileSystem, const std::string& journalFolder,
                             const std::string& realFolder, CodePage codePage) {
  // Every job on the tree starts here, so only the latest can have left a
  // group cut short; most journals are of other folders, and their header
  // is enough to pass them by.
  std::vector<std::string> files = JournalFiles(journalFolder);
  for (auto path = files.rbegin(); path != files.rend(); ++path) {
    Journal journal;
    if (!ReadJournalFile(*path, journal, true) || journal.folder != realFolder) continue;
    if (!journal.undoes.empty()) continue;  // an undo renames no groups
    // A last line cut short by the kill would swallow the first line added.
    if (ReadJournalFile(*path, journal) && journal.end.empty() && journal.cutShortGroup && !journal.takenBack &&
        !journal.lastLineCut) {
      GroupRepair(fileSystem, *path, codePage).Repair(journal);
    }
    return;
  }
}

}  // namespace kirabo
