#pragma once

#include <string>

#include "platform/FileIdentity.h"
#include "platform/Folder.h"

namespace kirabo {

enum class MoveResult {
  Moved,      // done; also for a file moved to its own name
  NameTaken,  // another entry holds the new name (EEXIST, ENOTEMPTY); nothing changed
  Failed,     // any other reason: source gone, read-only, permission, name too long, I/O
};

// Hears of the empty file that the fallback move below reserves the new name
// with, so that whoever runs the move can tell that file later from anyone
// else's (after a kill between the reservation and the move onto it).
class MoveReservation {
 public:
  virtual ~MoveReservation() = default;
  // `reservation` holds the new name now and the file is about to be moved
  // onto it; false gives the move up: the reservation is removed again and
  // the move fails with ECANCELED.
  virtual bool Reserved(const FileIdentity& reservation) = 0;
};

// Renames the entry `from` of `folder` to `to` in the same folder without
// ever replacing an entry that holds `to`. Moving a file to its own name, or
// to one that differs only in letter case and names the same file
// (case-insensitive file systems), succeeds and changes nothing but the case.
// On `Failed`, stores the system's error code (errno, or GetLastError on
// Windows) in `systemError` when given; otherwise leaves it alone.
//
// Windows never replaces in this move. On POSIX systems, file systems that
// refuse the no-replace flag get a hard link then an unlink; where hard links
// are impossible too, `to` is first reserved by creating an empty file there
// exclusively, and the file is renamed onto that reservation, which is
// removed again if the rename fails. Only a kill between those two steps can
// leave the empty reservation behind; later runs find it an ordinary file
// holding the name, never one to replace, unless `reservation` was told of it
// and its teller removes it.
MoveResult MoveFileNoReplace(const CFolder& folder, const std::string& from, const std::string& to,
                             int* systemError = nullptr, MoveReservation* reservation = nullptr);

// Removes the file `name` of `folder` (never a folder); 0, or the system's
// error code.
int RemoveFileIn(const CFolder& folder, const std::string& name);

// The system's error code that moving `from` out of its name in `folder`
// would fail with whatever the new name, as far as can be told without
// moving (a folder the user may not write to, another user's file in a
// sticky folder); 0 when nothing is known against it.
int PredictMoveError(const CFolder& folder, const std::string& from);

}  // namespace kirabo
