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

std::unique_ptr<JobFolder> OpenBelow(JobFolder& tree, const Steps& steps) {
  std::unique_ptr<JobFolder> folder;
  std::string reason;
  for (const std::string& step : steps) {
    folder = (folder ? *folder : tree).OpenFolder(step, reason);
    if (!folder) return nullptr;
  }
  return folder;
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

// Deals with what the last rename of a killed job may have left; the lines
// to add to its journal before it is marked.
std::string RepairLastRename(JobFolder& tree, Steps steps, const Journal& journal, CodePage codePage) {
  if (journal.renames.empty() || !journal.renames.back().made) return {};
  const JournalRename& last = journal.renames.back();
  const std::string& top = journal.tree.empty() ? journal.folder : journal.tree;
  std::optional<Steps> from = StepsBelow(top, last.from, codePage);
  std::optional<Steps> to = StepsBelow(top, last.to, codePage);
  // A job renames inside one folder.
  if (!from || !to || from->empty() || from->size() != to->size() ||
      !std::equal(from->begin(), from->end() - 1, to->begin())) {
    return {};
  }
  steps.insert(steps.end(), from->begin(), from->end() - 1);
  JobFolder* folder = &tree;
  std::unique_ptr<JobFolder> below;
  if (!steps.empty()) {
    below = OpenBelow(tree, steps);
    folder = below.get();
  }
  const std::string& oldName = from->back();
  const std::string& newName = to->back();
  FileIdentity atOld;
  FileIdentity atNew;
  if (folder == nullptr || !folder->Identify(oldName, atOld) || !atOld.SameFileAndSize(last.identity) ||
      !folder->Identify(newName, atNew)) {
    return {};
  }
  std::string reason;
  if (atNew.SameFileAndSize(last.identity)) {
    // Two names of one file; where letter case is all that differs they may
    // be one entry, and removing one would remove the file.
    if (UpperAscii(oldName, codePage) != UpperAscii(newName, codePage)) folder->Remove(oldName, reason);
    return {};
  }
  if (last.reserved && IsReservation(atNew, last.reservation) && folder->Remove(newName, reason)) {
    return JournalNotMadeLine();
  }
  return {};
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
    std::string lines = RepairLastRename(*tree, std::move(*below), journal, codePage);
    if (file.Append(lines + JournalRepairedLine(UtcTimeNow())) == 0) file.Sync();
  }
}

}  // namespace kirabo
