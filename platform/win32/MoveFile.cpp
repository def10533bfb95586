#include "platform/MoveFile.h"

#include "platform/win32/WidePath.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

// MoveFileEx never replaces on its own, so no name is ever reserved here.
MoveResult MoveFileNoReplace(const CFolder& folder, const std::string& from, const std::string& to,
                             int* systemError, MoveReservation*) {
  // Without flags the move never replaces an entry and never copies the file
  // to another volume. A move to the file's own name, or to one that differs
  // only in letter case, is done by the file system itself. The folder's
  // handle keeps its path leading to it.
  if (::MoveFileExW(EntryPath(folder, from).c_str(), EntryPath(folder, to).c_str(), 0)) return MoveResult::Moved;
  DWORD error = ::GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return MoveResult::NameTaken;
  if (systemError != nullptr) *systemError = static_cast<int>(error);
  return MoveResult::Failed;
}

int RemoveFileIn(const CFolder& folder, const std::string& name) {
  if (::DeleteFileW(EntryPath(folder, name).c_str())) return 0;
  return static_cast<int>(::GetLastError());
}

int PredictMoveError(const CFolder& folder, const std::string& from) {
  // Windows tells nothing more before the move than whether the file is there.
  if (::GetFileAttributesW(EntryPath(folder, from).c_str()) != INVALID_FILE_ATTRIBUTES) return 0;
  return static_cast<int>(::GetLastError());
}

}  // namespace kirabo
