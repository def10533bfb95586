#include "platform/Medium.h"

#include "platform/win32/WindowsApi.h"

#include <winioctl.h>

namespace kirabo {

bool IsOnRotationalDisk(const std::string& folder) {
  // The volume, whether it has a drive letter or is mounted on a folder; a
  // network share has no volume name and is not rotational.
  char mountPoint[MAX_PATH];
  char volume[MAX_PATH];
  if (!::GetVolumePathNameA(folder.c_str(), mountPoint, MAX_PATH) ||
      !::GetVolumeNameForVolumeMountPointA(mountPoint, volume, MAX_PATH))
    return false;
  std::string device = volume;  // "\\?\Volume{GUID}\": without the last separator it names the device
  if (!device.empty() && device.back() == '\\') device.pop_back();
  // No access rights asked: querying the device's properties needs none, so
  // this works without administrator rights.
  HANDLE handle = ::CreateFileA(device.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  STORAGE_PROPERTY_QUERY query{};
  query.PropertyId = StorageDeviceSeekPenaltyProperty;
  query.QueryType = PropertyStandardQuery;
  DEVICE_SEEK_PENALTY_DESCRIPTOR penalty{};
  DWORD got = 0;
  bool answered = ::DeviceIoControl(handle, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, &penalty,
                                    sizeof penalty, &got, nullptr) &&
                  got >= sizeof penalty;
  ::CloseHandle(handle);
  return answered && penalty.IncursSeekPenalty;
}

bool IsSymbolicLink(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace kirabo
