#pragma once

#include <sys/stat.h>

#include "platform/FileIdentity.h"

namespace kirabo {

// What stat tells of a file, as the journal records it.
inline FileIdentity IdentityOf(const struct stat& info) {
  FileIdentity identity;
  identity.device = static_cast<uint64_t>(info.st_dev);
  identity.index = static_cast<uint64_t>(info.st_ino);
  identity.size = static_cast<uint64_t>(info.st_size);
  identity.modified = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return identity;
}

}  // namespace kirabo
