// Feeds arbitrary bytes to CCaptureTimeReader::Load. The reader opens paths,
// so each input is written to one in-memory file reached through /proc.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/CaptureTimeReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("kirabo-fuzz.crw", MFD_CLOEXEC);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0) return 0;
  if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
  kirabo::CCaptureTimeReader reader;
  bool none = reader.Load(path);
  if (none != (reader.GetCaptureTime() == -1)) __builtin_trap();
  return 0;
}
