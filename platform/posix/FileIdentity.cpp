#include "platform/FileIdentity.h"

#include <sys/stat.h>

namespace kirabo {

bool IdentifyFile(const std::string& path, FileIdentity& identity) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return false;
  identity.device = static_cast<uint64_t>(info.st_dev);
  identity.index = static_cast<uint64_t>(info.st_ino);
  identity.size = static_cast<uint64_t>(info.st_size);
  identity.modified = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return true;
}

}  // namespace kirabo
