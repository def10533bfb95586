#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/FolderNames.h"
#include "engine/JobFileSystem.h"
#include "engine/JobJournal.h"
#include "platform/FileIdentity.h"

namespace kirabo {

// One file of a raw file's group, held in its folder: the companions come
// first, the raw file last.
struct GroupMember {
  JobFolder* folder = nullptr;
  FolderNames* names = nullptr;  // its folder's names as the job sees them
  std::string folderPath;        // its folder's path with a separator at the end
  std::string name;              // its name now
  std::string tail;              // what follows the stem in every name it takes
  FileIdentity identity;         // for the journal
};

enum class GroupOutcome {
  Renamed,       // every member under the new stem
  AlreadyNamed,  // the raw file had its name: no member was touched
  Failed,        // a member could not be renamed; those before it were put back
  Interrupted,   // a stop came first, or the journal failed; nothing changed
};

struct GroupResult {
  GroupOutcome outcome = GroupOutcome::Renamed;
  std::vector<std::string> newNames;  // Renamed: each member's, in the members' order
  size_t failedMember = 0;            // Failed: which one
  std::string reason;                 // Failed: the system's reason, in its words
  bool journalFailed = false;         // Interrupted by the journal rather than a stop
};

// Renames every member to stem + tail, or stem + "_j" + tail with the lowest
// j that is free for all of them, never replacing an entry. The members'
// own names count as free for themselves; so does the new stem for a raw
// file that already has it, which leaves the group as it is. Each rename is
// in the journal before it is tried, and a group of several members between
// group lines. Names taken meanwhile move the group to the next suffix; any
// other refusal puts the renamed members back under their old names.
GroupResult RenameGroup(const std::vector<GroupMember>& members, const std::string& stem, JobJournal& journal,
                        const std::atomic<int32_t>& state);

}  // namespace kirabo
