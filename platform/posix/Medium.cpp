#include "platform/Medium.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <fstream>

namespace kirabo {

namespace {

// "1" or "0" in a sysfs attribute; nothing when it cannot be read.
int ReadFlag(const std::string& path) {
  std::ifstream file(path);
  char flag = 0;
  if (!(file >> flag)) return -1;
  return flag == '1' ? 1 : 0;
}

}  // namespace

bool IsRotationalBlockDevice(const std::string& sysfsRoot, uint32_t major, uint32_t minor) {
  const std::string device = sysfsRoot + "/dev/block/" + std::to_string(major) + ":" + std::to_string(minor);
  int rotational = ReadFlag(device + "/queue/rotational");
  // A partition has no queue of its own: the entry is a link into its disk's
  // folder, and ".." after the link is that disk.
  if (rotational < 0) rotational = ReadFlag(device + "/../queue/rotational");
  return rotational == 1;
}

bool IsOnRotationalDisk(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) return false;
  return IsRotationalBlockDevice("/sys", major(info.st_dev), minor(info.st_dev));
}

bool IsSymbolicLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace kirabo
