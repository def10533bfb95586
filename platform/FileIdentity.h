#pragma once

#include <cstdint>
#include <string>

namespace kirabo {

// Tells one file from another whatever its name: a renamed file keeps it, a
// file put in its place under the same name does not.
struct FileIdentity {
  uint64_t device = 0;  // device, or the volume serial number on Windows
  uint64_t index = 0;   // inode, or the file index on Windows
  uint64_t size = 0;
  int64_t modified = 0;  // nanoseconds since 1970, or a FILETIME on Windows

  // The same file with the same size; the time is kept for the reader.
  bool SameFileAndSize(const FileIdentity& other) const {
    return device == other.device && index == other.index && size == other.size;
  }
};

// The identity of the entry at `path` itself (a link is not followed);
// false when there is no entry or it cannot be examined.
bool IdentifyFile(const std::string& path, FileIdentity& identity);

}  // namespace kirabo
