#pragma once

#include <cstdint>
#include <string>

namespace kirabo {

// True when `folder` lies on a spinning disk, where reading several files at
// once makes the head seek between them and is slower than one at a time.
// SSDs, network shares, FUSE and memory file systems, and any folder whose
// medium cannot be told, are not.
bool IsOnRotationalDisk(const std::string& folder);

// True when `path` is itself a symbolic link (or, on Windows, another
// reparse point), whatever it leads to; false when it cannot be examined.
bool IsSymbolicLink(const std::string& path);

#ifndef _WIN32
// The Linux side of IsOnRotationalDisk, over a sysfs tree at `sysfsRoot`
// ("/sys" on a running system): the block device `major`:`minor`, or the disk
// it is a partition of, says "1" in queue/rotational. No such device (a
// network, FUSE or memory file system) is not rotational.
bool IsRotationalBlockDevice(const std::string& sysfsRoot, uint32_t major, uint32_t minor);
#endif

}  // namespace kirabo
