#include "platform/MoveFile.h"

#include "platform/win32/WidePath.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

MoveResult MoveFileNoReplace(const std::string& from, const std::string& to, int* systemError) {
  // Without flags the move never replaces an entry and never copies the file
  // to another volume. A move to the file's own path, or to one that differs
  // only in letter case, is done by the file system itself.
  if (::MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(), 0)) return MoveResult::Moved;
  DWORD error = ::GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return MoveResult::NameTaken;
  if (systemError != nullptr) *systemError = static_cast<int>(error);
  return MoveResult::Failed;
}

}  // namespace kirabo
