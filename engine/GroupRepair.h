#pragma once

#include <string>

#include "engine/JobFileSystem.h"
#include "platform/Multibyte.h"

namespace kirabo {

// A job killed between two members of a raw file's group leaves some of them
// under the new stem and the rest under the old one. Before a job on the
// tree `realFolder` (every link resolved) renames anything, the members of
// such a group that moved take their old names back, so that the job finds
// the group whole and renames it as one. Only a member that is still the
// file the journal recorded, and whose old name is free, is moved. The
// journal that was cut short gets these renames and the end of its group,
// so that undoing it later still gives every file its first name.
void MakeCutShortGroupsWhole(JobFileSystem& fileSystem, const std::string& journalFolder,
                             const std::string& realFolder, CodePage codePage);

}  // namespace kirabo
