#include "platform/FileIdentity.h"

#include "platform/win32/HandleIdentity.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

bool IdentifyFileIn(const CFolder& folder, const std::string& name, FileIdentity& identity) {
  // No access asked for, and every kind of sharing allowed: looking must not
  // keep anyone else from the file.
  HANDLE file =
      ::CreateFileW(EntryPath(folder, name).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool known = IdentifyHandle(file, identity);
  ::CloseHandle(file);
  return known;
}

}  // namespace kirabo
