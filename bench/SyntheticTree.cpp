#include "SyntheticTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/UtcTime.h"

namespace kirabo::bench {

namespace {

constexpr int32_t kFirstCaptureTime = 1096968310;  // 2004-10-05 09:25:10
constexpr int32_t kSecondsBetweenShots = 37;
constexpr uint32_t kCiffHeaderLength = 26;
constexpr uint16_t kCiffCaptureTime = 0x180E;
constexpr uint16_t kTiffMake = 0x010F;
constexpr uint16_t kTiffDateTime = 0x0132;
constexpr uint16_t kTiffAscii = 2;

void Put16(std::string& bytes, uint16_t value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>(value >> 8);
}

void Put32(std::string& bytes, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

uint64_t FileSize(size_t index, bool small) {
  if (small) return 4096 + index * 7919 % 4096;
  const uint64_t megabyte = 1 << 20;
  return 10 * megabyte + (index * 7919 % (15 * megabyte));
}

// CRW: header and the capture-time record's data at the start, the root
// heap's directory and its offset in the last 16 bytes.
bool WriteCrw(int fd, int32_t captureTime, uint64_t size) {
  std::string head = "II";
  Put32(head, kCiffHeaderLength);
  head += "HEAPCCDR";
  head.resize(kCiffHeaderLength, '\0');
  Put32(head, static_cast<uint32_t>(captureTime));  // heap offset 0
  Put32(head, 0);                                   // time zone code
  Put32(head, 0);                                   // time zone info

  const uint64_t heapLength = size - kCiffHeaderLength;
  const uint64_t directoryOffset = heapLength - 16;
  std::string tail;
  Put16(tail, 1);
  Put16(tail, kCiffCaptureTime);
  Put32(tail, 12);  // data length
  Put32(tail, 0);   // data offset in the heap
  Put32(tail, static_cast<uint32_t>(directoryOffset));
  return pwrite(fd, head.data(), head.size(), 0) == static_cast<ssize_t>(head.size()) &&
         pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(size - tail.size())) ==
             static_cast<ssize_t>(tail.size());
}

// CR2: TIFF header, IFD0 with Make and DateTime, their texts after it.
bool WriteCr2(int fd, int32_t captureTime) {
  UtcDateTime t = BreakDownUtc(captureTime);
  char dateTime[20];
  std::snprintf(dateTime, sizeof dateTime, "%04d:%02d:%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  const uint32_t ifdOffset = 8;
  const uint32_t valuesOffset = ifdOffset + 2 + 2 * 12 + 4;
  std::string bytes = "II";
  Put16(bytes, 42);
  Put32(bytes, ifdOffset);
  Put16(bytes, 2);
  Put16(bytes, kTiffMake);
  Put16(bytes, kTiffAscii);
  Put32(bytes, 6);
  Put32(bytes, valuesOffset);
  Put16(bytes, kTiffDateTime);
  Put16(bytes, kTiffAscii);
  Put32(bytes, 20);
  Put32(bytes, valuesOffset + 6);
  Put32(bytes, 0);  // no next directory
  bytes.append("Canon\0", 6);
  bytes.append(dateTime, 20);
  return pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
}

bool WriteRawFile(const std::string& path, bool crw, int32_t captureTime, uint64_t size) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = ftruncate(fd, static_cast<off_t>(size)) == 0 && (crw ? WriteCrw(fd, captureTime, size) : WriteCr2(fd, captureTime));
  return close(fd) == 0 && ok;
}

bool WriteSmallFile(const std::string& path, std::string_view bytes) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  return close(fd) == 0 && ok;
}

void CollectFolders(const std::string& folder, int levelsBelow, int branches, std::vector<std::string>& folders) {
  folders.push_back(folder);
  if (levelsBelow == 0) return;
  for (int b = 0; b < branches; ++b) {
    CollectFolders(folder + "/L" + std::to_string(levelsBelow) + "_" + std::to_string(b), levelsBelow - 1, branches,
                   folders);
  }
}

}  // namespace

bool BuildSyntheticTree(const std::string& root, const TreeShape& shape, BuiltTree& built) {
  std::vector<std::string> folders;
  CollectFolders(root, shape.depth, shape.branches, folders);
  for (size_t f = 1; f < folders.size(); ++f) {
    if (mkdir(folders[f].c_str(), 0755) != 0) return false;
  }
  built = BuiltTree{0, 0, folders.size(), 0, 0};

  std::vector<int32_t> captureTimes(shape.files);
  for (size_t i = 0; i < shape.files; ++i) {
    // Files fill the folders in blocks, so neighbours share a folder.
    size_t folder = i * folders.size() / shape.files;
    bool sharesFolderWithTwoBefore = i >= 2 && (i - 2) * folders.size() / shape.files == folder;
    // The file two before has the same extension, so the names collide.
    bool collides = i % 10 == 9 && sharesFolderWithTwoBefore;
    captureTimes[i] = collides ? captureTimes[i - 2] : kFirstCaptureTime + static_cast<int32_t>(i) * kSecondsBetweenShots;
    int32_t captureTime = captureTimes[i];
    if (collides) ++built.collidingFiles;
    bool crw = i % 2 == 0;
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%05zu.%s", i, crw ? "CRW" : "CR2");
    uint64_t size = FileSize(i, shape.small);
    if (!WriteRawFile(folders[folder] + "/" + name, crw, captureTime, size)) return false;
    ++built.files;
    built.apparentBytes += size;
    if (!shape.companions) continue;
    std::string stem = folders[folder] + "/" + std::string(name, std::strchr(name, '.'));
    for (const char* tail : {".JPG", ".xmp"}) {
      if (!WriteSmallFile(stem + tail, tail)) return false;
      ++built.companions;
    }
  }
  return true;
}

}  // namespace kirabo::bench
