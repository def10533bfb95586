#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/Journal.h"

namespace kirabo {

// The journals of the last this many jobs are kept.
inline constexpr size_t kKeptJournals = 50;

// The journal files in `folder`, oldest first (their names sort by the
// job's start time).
std::vector<std::string> JournalFiles(const std::string& folder);

// Removes the oldest journals until `kKeptJournals` are left, never `spare`.
void PruneJournals(const std::string& folder, const std::string& spare);

struct KeptJournal {
  std::string path;
  Journal journal;
};

// Every readable journal in `folder`, oldest first.
std::vector<KeptJournal> ReadJournals(const std::string& folder);

// The latest job on `realFolder` (every link resolved) that can be taken
// back: it renamed some file, has not been taken back, and is not an undo
// that left something behind.
std::optional<KeptJournal> LatestUndoable(const std::string& folder, const std::string& realFolder);

// The last step of a path, after its last separator.
std::string JournalName(const std::string& path);

}  // namespace kirabo
