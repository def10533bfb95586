#pragma once

#include <string>

#include "engine/JobFileSystem.h"
#include "platform/Multibyte.h"

namespace kirabo {

// What earlier jobs left when they were killed, dealt with once by the next
// job on the same folder before it looks at the folder. Run once per job,
// after its own journal is open; each journal of a killed job (no end line,
// no running program holding it) of `realFolder` or of a folder inside it is
// read once and then marked so that no later job looks at it again. Jobs on a
// folder that holds `realFolder` are left to a job on that folder.
//
// The last rename of such a job (of each lane, where its renames overlapped)
// may have been cut short, on file systems where the rename is a hard link
// then an unlink, or an empty reservation then a rename onto it:
// - the file under both its names (the link made, not yet the unlink): the
//   old name goes, which finishes the rename as recorded;
// - the reservation still empty and unchanged since it was recorded, the file
//   still under its old name: the reservation goes and the rename is marked
//   not made, so this job can give the file that very name.
// Anything else (another file at a name, a reservation written into or
// replaced, one the journal does not name) is left alone. Then, when the job
// was killed between two members of a raw file's group (of any lane), the members that
// moved take their old names back (each only if it is still the recorded
// file and its old name is free), so that this job renames the group whole.
// Every folder is reached from the tree the job holds, one held folder at a
// time.
void RepairKilledJobs(JobFileSystem& fileSystem, const std::string& folder, const std::string& realFolder,
                      const std::string& journalFolder, CodePage codePage);

}  // namespace kirabo
