#include "platform/FileIdentity.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace kirabo {

bool IdentifyFileIn(const CFolder& folder, const std::string& name, FileIdentity& identity) {
  struct stat info {};
  if (::fstatat(static_cast<int>(folder.Handle()), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
  identity.device = static_cast<uint64_t>(info.st_dev);
  identity.index = static_cast<uint64_t>(info.st_ino);
  identity.size = static_cast<uint64_t>(info.st_size);
  identity.modified = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return true;
}

}  // namespace kirabo
