#pragma once

#include <cstdint>
#include <string_view>

namespace kirabo {

// Takes back the job whose journal is `undoJournal` of the RenameJob* `job`,
// on the calling thread; the result is always 0. Its renames are undone in
// the reverse order, each only when the file at the new name is still the
// one renamed (same identity and size) and the old name is free (a name
// equal but for ASCII letter case is taken; nothing is replaced). The
// observer hears of each file as of a job's: Renamed for one restored (the
// path its new name, newPath its old one), RenameFailed with the reason for
// one left alone; a rename that never happened (its file still has its old
// name) is passed over in silence. The undo keeps a journal of its own, so
// that it can be taken back in turn; when it ends with everything restored,
// the journal it took back is marked so. A folder of the journal is reached
// by its path and held open while its renames are taken back: every look and
// rename in it stays in that folder, whatever is swapped in its place
// meanwhile.
uint32_t UndoWorkerProc(void* job);

// The reasons an undo gives for a file it leaves alone (besides the
// system's own).
inline constexpr char kUndoMissing[] = "missing";
inline constexpr char kUndoChanged[] = "changed since";
inline constexpr char kUndoNameTaken[] = "old name taken";

// The text the program's translation file holds for one of the reasons above
// (its Japanese source), so that each front end says it in the user's
// language; null for any other reason, the system's, shown as it is.
const char* UndoReasonText(std::string_view reason);

}  // namespace kirabo
