// Feeds arbitrary bytes to CCaptureTimeReader::Load. The reader opens paths,
// so each input is written to one in-memory file reached through /proc. That
// path has no extension, so the reader tells the format by content and every
// reader is reached; the same file is then read once more through a link
// named as a Canon raw file, which Canon's reader reads whatever it holds.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/CaptureTimeReader.h"

namespace {

std::string folder;  // holds the link; removed at exit

void RemoveLink() {
  unlink((folder + "/IMG_0001.CR2").c_str());
  rmdir(folder.c_str());
}

void Read(const std::string& path) {
  kirabo::CCaptureTimeReader reader;
  bool none = reader.Load(path);
  if (none != (reader.GetCaptureTime() == -1)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("kirabo-fuzz", MFD_CLOEXEC);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  static const std::string canonPath = [] {
    std::string pattern = "/tmp/kirabo-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return std::string();
    folder = pattern;
    std::atexit(RemoveLink);
    std::string link = folder + "/IMG_0001.CR2";
    return symlink(path.c_str(), link.c_str()) == 0 ? link : std::string();
  }();
  if (fd < 0 || ftruncate(fd, 0) != 0) return 0;
  if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
  Read(path);
  if (!canonPath.empty()) Read(canonPath);
  return 0;
}
