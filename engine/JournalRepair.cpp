#include "engine/JournalRepair.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/Journal.h"
#include "engine/JournalFolder.h"
#include "engine/JournalWriter.h"
#include "platform/AppendFile.h"
#include "platform/File.h"
#include "platform/Path.h"

namespace kirabo {

namespace {

using Steps = std::vector<std::string>;

bool IsSeparator(char c) { return c == kPathSeparator || (kPathSeparator == '\\' && c == '/'); }

// The names between the separators of `path`; nothing when one of them could
// lead anywhere but down (empty, "." or "..").
std::optional<Steps> SplitSteps(std::string_view path, CodePage codePage) {
  Steps steps(1);
  for (size_t i = 0; i < path.size();) {
    size_t length = CharLength(path, i, codePage);
    if (length == 1 && IsSeparator(path[i])) {
      steps.emplace_back();
    } else {
      steps.back().append(path.substr(i, length));
    }
    i += length;
  }
  for (const std::string& step : steps) {
    if (step.empty() || step == "." || step == "..") return std::nullopt;
  }
  return steps;
}

// The steps from `top` down to `path`: none for `top` itself, nothing when
// `path` is not below it.
std::optional<Steps> StepsBelow(const std::string& top, const std::string& path, CodePage codePage) {
  if (path == top) return Steps{};
  size_t start = top.size() + (LastCharIs(top, kPathSeparator, codePage) ? 0 : 1);
  if (path.size() <= start || path.compare(0, top.size(), top) != 0 || !IsSeparator(path[start - 1])) {
    return std::nullopt;
  }
  return SplitSteps(std::string_view(path).substr(start), codePage);
}

// True when the last lines of the journal show that its job ended or that
// its leftovers were dealt with: those lines come last, so a long journal's
// end alone tells most journals apart without reading them whole.
bool EndsSettled(const std::string& path) {
  constexpr int64_t kTailBytes = 4096;
  CFile file;
  if (!file.Open(path)) return false;
  std::string tail(static_cast<size_t>(std::min(file.GetLength(), kTailBytes)), '\0');
  if (!file.Seek(file.GetLength() - static_cast<int64_t>(tail.size()))) return false;
  tail.resize(file.Read(tail.data(), tail.size()));
  // Names hold no raw line feeds: each one ends a line.
  return tail.find("\nend\t") != std::string::npos || tail.find("\nrepaired\t") != std::string::npos;
}

bool IsReservation(const FileIdentity& entry, const FileIdentity& recorded) {
  return entry.device == recorded.device && entry.index == recorded.index && entry.size == 0 &&
         entry.modified == recorded.modified;
}

// The folder a journal record's rename was made in, reached from the tree
// the job holds, and the record's two names in it.
struct RecordPlace {
  std::unique_ptr<JobFolder> below;  // when the folder is not the tree itself
  JobFolder* folder = nullptr;
  std::string oldName;
  std::string newName;
};

// Nothing when the record is no rename within one folder below the tree, or
// that folder cannot be opened. `steps` lead from the tree to the killed
// job's folder.
std::optional<RecordPlace> PlaceOf(JobFolder& tree, Steps steps, const Journal& journal, const JournalRename& rename,
                                   CodePage codePage) {
  const std::string& top = journal.tree.empty() ? journal.folder : journal.tree;
  std::optional<Steps> from = StepsBelow(top, rename.from, codePage);
  std::optional<Steps> to = StepsBelow(top, rename.to, codePage);
  // A job renames inside one folder.
  if (!from || !to || from->empty() || from->size() != to->size() ||
      !std::equal(from->begin(), from->end() - 1, to->begin())) {
    return std::nullopt;
  }
  steps.insert(steps.end(), from->begin(), from->end() - 1);
  RecordPlace place;
  place.folder = &tree;
  if (!steps.empty()) {
    place.below = tree.OpenFolderBelow(steps);
    place.folder = place.below.get();
  }
  if (place.folder == nullptr) return std::nullopt;
  place.oldName = from->back();
  place.newName = to->back();
  return place;
}

// Lines added to a killed job's journal, each in the lane of the renames it
// concerns.
class RepairLines {
 public:
  RepairLines(CAppendFile& file, uint32_t lastLane) : file(file), lane(lastLane) {}

  bool Append(uint32_t lineLane, const std::string& lines) {
    if (lines.empty()) return true;
    if (file.Append(JournalLinesInLane(lineLane, lane, lines)) != 0) return false;
    lane = lineLane;
    return true;
  }

 private:
  CAppendFile& file;
  uint32_t lane;
};

// Deals with what a killed job's rename that may have been cut short left;
// the lines to add to its journal.
std::string RepairLastRename(JobFolder& tree, const Steps& steps, const Journal& journal, const JournalRename& last,
                             CodePage codePage) {
  if (!last.made) return {};
  std::optional<RecordPlace> place = PlaceOf(tree, steps, journal, last, codePage);
  FileIdentity atOld;
  FileIdentity atNew;
  if (!place || !place->folder->Identify(place->oldName, atOld) || !atOld.SameFileAndSize(last.identity) ||
      !place->folder->Identify(place->newName, atNew)) {
    return {};
  }
  std::string reason;
  if (atNew.SameFileAndSize(last.identity)) {
    // Two names of one file; where letter case is all that differs they may
    // be one entry, and removing one would remove the file.
    if (UpperAscii(place->oldName, codePage) != UpperAscii(place->newName, codePage)) {
      place->folder->Remove(place->oldName, reason);
    }
    return {};
  }
  if (last.reserved && IsReservation(atNew, last.reservation) && place->folder->Remove(place->newName, reason)) {
    return JournalNotMadeLine();
  }
  return {};
}

// A job killed between two members of a raw file's group left some under the
// new stem and the rest under the old one. Each member that moved takes its
// old name back, if it is still the recorded file and that name is free, so
// that the next job renames the group whole; each of these renames goes into
// the journal, in the group's lane, before it is tried, so undoing that job
// still gives every file its first name.
void TakeBackCutShortGroup(JobFolder& tree, const Steps& steps, const Journal& journal, const CutShortGroup& group,
                           RepairLines& lines, CodePage codePage) {
  for (size_t i = journal.renames.size(); i-- > group.first;) {
    const JournalRename& rename = journal.renames[i];
    if (!rename.made || rename.lane != group.lane) continue;
    std::optional<RecordPlace> place = PlaceOf(tree, steps, journal, rename, codePage);
    FileIdentity now;
    FileIdentity old;
    if (!place || !place->folder->Identify(place->newName, now) || !now.SameFileAndSize(rename.identity) ||
        place->folder->Identify(place->oldName, old)) {
      continue;
    }
    if (!lines.Append(group.lane, JournalRenameLine(rename.to, rename.from, now))) return;
    if (place->folder->Rename(place->newName, place->oldName, nullptr).outcome != RenameOutcome::Renamed) {
      lines.Append(group.lane, JournalNotMadeLine());
    }
  }
  lines.Append(group.lane, JournalGroupEndLine());
}

}  // namespace

void RepairKilledJobs(JobFileSystem& fileSystem, const std::string& folder, const std::string& realFolder,
                      const std::string& journalFolder, CodePage codePage) {
  std::unique_ptr<JobFolder> tree;
  for (const std::string& path : JournalFiles(journalFolder)) {
    // Most journals are of other folders: their header is enough.
    Journal journal;
    if (!ReadJournalFile(path, journal, true)) continue;
    std::optional<Steps> below = StepsBelow(realFolder, journal.folder, codePage);
    std::string text;
    if (!below || EndsSettled(path) || !ReadJournalText(path, text) || !ParseJournal(text, journal)) continue;
    if (!journal.end.empty() || journal.repaired || journal.lastLineCut) continue;
    // Opened only when no running job holds it, and only when nothing was
    // added since it was read.
    CAppendFile file;
    if (file.OpenExisting(path) != 0 || file.Length() != static_cast<int64_t>(text.size())) continue;
    if (!tree) {
      std::string reason;
      tree = fileSystem.OpenTree(folder, reason);
      if (!tree) return;
    }
    // The last renames first: a group member left under two names would
    // otherwise keep its old name apart from the group.
    RepairLines lines(file, journal.lastLane);
    bool written = true;
    for (size_t last : journal.lastRenames) {
      const JournalRename& rename = journal.renames[last];
      written = written && lines.Append(rename.lane, RepairLastRename(*tree, *below, journal, rename, codePage));
    }
    if (!written) continue;
    for (const CutShortGroup& group : journal.cutShortGroups) {
      TakeBackCutShortGroup(*tree, *below, journal, group, lines, codePage);
    }
    if (file.Append(JournalRepairedLine(UtcTimeNow())) == 0) file.Sync();
  }
}

}  // namespace kirabo
