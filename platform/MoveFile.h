#pragma once

#include <string>

namespace kirabo {

enum class MoveResult {
  Moved,      // done; also for a file moved to its own path
  NameTaken,  // another entry holds the new path (EEXIST, ENOTEMPTY); nothing changed
  Failed,     // any other reason: source gone, read-only, permission, name too long, I/O
};

// Renames `from` to `to` without ever replacing an entry that holds `to`.
// Moving a file to its own path, or to one that differs only in letter case
// and names the same file (case-insensitive file systems), succeeds and
// changes nothing but the case. On `Failed`, stores the system's error code
// (errno) in `systemError` when given; otherwise leaves it alone.
MoveResult MoveFileNoReplace(const std::string& from, const std::string& to, int* systemError = nullptr);

// The fallbacks that MoveFileNoReplace takes on file systems that refuse the
// no-replace flag: a hard link then an unlink, and where hard links are not
// possible, a test that `to` is free followed by a plain rename. The last one
// leaves a short window in which an entry created under `to` by another
// process would be replaced.
MoveResult MoveFileByLink(const std::string& from, const std::string& to, int* systemError = nullptr);
MoveResult MoveFileAfterCheck(const std::string& from, const std::string& to, int* systemError = nullptr);

}  // namespace kirabo
