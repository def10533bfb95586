#include "platform/FileIdentity.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/posix/StatIdentity.h"

namespace kirabo {

bool IdentifyFileIn(const CFolder& folder, const std::string& name, FileIdentity& identity) {
  struct stat info {};
  if (::fstatat(static_cast<int>(folder.Handle()), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
  identity = IdentityOf(info);
  return true;
}

}  // namespace kirabo
