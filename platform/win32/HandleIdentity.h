#pragma once

#include "platform/FileIdentity.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

// What an open handle tells of its file, as the journal records it; false
// when the system will not say.
inline bool IdentifyHandle(HANDLE file, FileIdentity& identity) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileInformationByHandle(file, &info) == 0) return false;
  identity.device = info.dwVolumeSerialNumber;
  identity.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  identity.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  identity.modified = static_cast<int64_t>((static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                           info.ftLastWriteTime.dwLowDateTime);
  return true;
}

}  // namespace kirabo
