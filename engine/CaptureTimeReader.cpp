#include "CaptureTimeReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "engine/ExifCaptureTime.h"
#include "engine/MrwCaptureTime.h"
#include "engine/RafCaptureTime.h"
#include "engine/RawFormat.h"
#include "engine/RawFormatTable.h"
#include "engine/TiffDateTime.h"

namespace kirabo {

using namespace raw;

bool CCaptureTimeReader::Load(const std::string& path) {
  captureTime = -1;
  return !file.Open(path) || ReadOpenFile(path);
}

bool CCaptureTimeReader::Load(JobFolder& folder, const std::string& name) {
  captureTime = -1;
  identified = false;
  if (!folder.OpenFile(name, file)) return true;
  identified = file.Identify(openedIdentity);
  return ReadOpenFile(name);
}

// `name` tells the format by its extension: a path or a name alike.
bool CCaptureTimeReader::ReadOpenFile(const std::string& name) {
  model.clear();
  recordBudget = kMaxHeapRecords;
  tiffEntryBudget = kMaxTiffEntries;
  tiffValueReadBudget = kMaxTiffValueReads;

  const RawFormat* format = RawFormatOfPath(name, codePage);
  // Asked for before the first bytes are waited for, the end is fetched
  // while they are: the file's two ends cost one wait rather than two.
  if (format != nullptr && format->readsFileEnd) file.WillRead(file.GetLength() - 1);
  if (format == nullptr || format->reader != RawReader::Canon) {
    RawHead head{};  // bytes the file lacks stay 0
    file.Read(head.data(), head.size());
    format = RawFormatOfContent(head);
  }
  if (format != nullptr) Read(format->reader);
  file.Close();
  if (file.Error() != 0) captureTime = -1;
  return captureTime == -1;
}

void CCaptureTimeReader::Read(RawReader reader) {
  std::optional<CaptureTime> time;
  switch (reader) {
    case RawReader::Canon:
      ReadCanonFile();
      return;
    case RawReader::ExifTiff:
      time = ReadExifCaptureTime(file, 0);
      break;
    case RawReader::Raf:
      time = ReadRafCaptureTime(file);
      break;
    case RawReader::Mrw:
      time = ReadMrwCaptureTime(file);
      break;
  }
  if (time) captureTime = *time;
}

void CCaptureTimeReader::ReadCanonFile() {
  file.SeekTo(0);
  uint16_t order = file.Read16();
  if (IsCr3File(file)) {
    ReadCr3();
  } else if (order == kIntelOrder || order == kMotorolaOrder) {
    int64_t heapStart = file.Read32();
    file.SeekTo(0);
    std::array<char, kCiffHeaderBytes> header{};  // bytes the file lacks stay NUL and never match
    file.Read(header.data(), header.size());
    int64_t length = file.GetLength();
    if (std::memcmp(header.data() + kCiffSignatureOffset, kCiffSignature, sizeof kCiffSignature - 1) == 0) {
      WalkHeap(heapStart, length - heapStart, 0);
    } else {
      WalkTiffChain(0);
    }
  }
}

// Records are walked in file order; a nested heap is walked where its record
// stands, and a capture-time record ends the walk of its own heap only.
void CCaptureTimeReader::WalkHeap(int64_t start, int64_t length, int depth) {
  if (depth > kMaxHeapDepth || start < 0 || length < kHeapDirectoryOffsetSize ||
      start > file.GetLength() - length)
    return;
  file.SeekTo(start + length - kHeapDirectoryOffsetSize);
  file.SeekTo(start + file.Read32());
  int64_t count = file.Read16();
  int64_t room = std::max<int64_t>(0, (file.GetLength() - file.GetPosition()) / kCiffRecordSize);
  count = std::min(count, room);

  for (int64_t i = 0; i < count; ++i) {
    if (recordBudget-- <= 0) return;
    int64_t record = file.GetPosition();
    uint16_t tag = file.Read16();
    uint16_t kind = tag;
    int64_t dataLength = kInRecordDataLength;
    int64_t data = record + 2;
    if (tag & kInRecordFlag) {
      kind = tag & kKindMask;
    } else {
      dataLength = file.Read32();
      data = start + file.Read32();
    }
    int64_t next = record + kCiffRecordSize;

    uint16_t group = kind >> 8;
    if (group == kSubHeapKind1 || group == kSubHeapKind2) {
      // A nested heap must lie inside this one and be smaller, so that no
      // heap can lead back to itself or to an enclosing heap.
      if (data >= start && dataLength < length && data - start <= length - dataLength)
        WalkHeap(data, dataLength, depth + 1);
    } else if (kind == kMakeModelKind) {
      file.SeekTo(data);
      make = file.ReadString();
      model = file.ReadString();
    } else if (kind == kCaptureTimeKind) {
      ReadCaptureTimeRecord(data);
      file.SeekTo(next);
      return;
    }
    file.SeekTo(next);
  }
}

// A whole stored value is unsigned: a camera clock counts on to 2106. Bytes
// the file does not supply leave those bytes of the value as they were, the
// result read as signed, so a record whose data lie past the end keeps -1.
void CCaptureTimeReader::ReadCaptureTimeRecord(int64_t position) {
  file.SeekTo(position);
  std::array<unsigned char, 4> bytes{};
  size_t got = file.Read(bytes.data(), bytes.size());
  auto value = static_cast<uint32_t>(captureTime);
  for (size_t i = 0; i < got; ++i) {
    value &= ~(0xFFu << (8 * i));
    value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  }
  captureTime = got == bytes.size() ? CaptureTime{value} : CaptureTime{static_cast<int32_t>(value)};
}

// DateTimeOriginal first; the IFD0 DateTime where that is missing or unusable.
void CCaptureTimeReader::ReadCr3() {
  Cr3TiffBlocks blocks = FindCr3TiffBlocks(file);
  if (blocks.exif) WalkTiffBlock(*blocks.exif, kDateTimeOriginalTag);
  if (captureTime == -1 && blocks.image) WalkTiffBlock(*blocks.image, kDateTimeTag);
}

// The first directory of a TIFF structure held in a box. The file ends at
// the box's end for the walk, so that no offset can lead into the image data.
void CCaptureTimeReader::WalkTiffBlock(const TiffBlock& block, uint16_t dateTag) {
  file.EndAt(block.end);
  file.SeekTo(block.start + kTiffFirstDirectoryOffset);
  file.SeekTo(block.start + file.Read32());
  WalkTiffDirectory(block.start, dateTag);
  file.EndAtFileEnd();
}

void CCaptureTimeReader::WalkTiffChain(int64_t base) {
  file.SeekTo(base);
  file.Read16();  // byte order: every value is read little-endian anyway
  file.Read16();  // magic number
  uint32_t offset = file.Read32();
  std::vector<uint32_t> visited;
  while (offset != 0 && static_cast<int>(visited.size()) < kMaxTiffDirectories && tiffEntryBudget > 0 &&
         tiffValueReadBudget > 0 && std::find(visited.begin(), visited.end(), offset) == visited.end()) {
    visited.push_back(offset);
    file.SeekTo(base + offset);
    WalkTiffDirectory(base);
    if (make == kCanonMake) return;
    // Where the directory walk left off: its next-directory field after a
    // full walk, or inside the entry after the DateTime entry otherwise.
    offset = file.Read32();
  }
}

namespace {

int64_t BytesPerValue(uint16_t type) {
  static constexpr std::array<int64_t, 13> kBytes = {1, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  return type < kBytes.size() ? kBytes[type] : 1;
}

}  // namespace

void CCaptureTimeReader::WalkTiffDirectory(int64_t base, uint16_t dateTag) {
  int64_t count = file.Read16();
  int64_t room = std::max<int64_t>(0, (file.GetLength() - file.GetPosition()) / kTiffEntrySize);
  count = std::min(count, room);
  for (int64_t i = 0; i < count; ++i) {
    if (tiffEntryBudget-- <= 0) return;
    int64_t entry = file.GetPosition();
    uint16_t tag = file.Read16();
    uint16_t type = file.Read16();
    uint32_t valueCount = file.Read32();
    // The size is taken as a signed 32-bit product, so a huge count that
    // wraps negative reads the value from the entry itself.
    auto size = static_cast<int32_t>(valueCount * static_cast<uint32_t>(BytesPerValue(type)));
    // Every value read may cost a block read away from the directory and one
    // back, whichever container and tag it is for.
    bool wanted = tag == kMakeTag || tag == kModelTag || tag == dateTag;
    if (wanted && tiffValueReadBudget-- <= 0) return;
    if (size > kTiffInlineValueBytes) file.SeekTo(base + file.Read32());

    if (tag == kMakeTag) {
      make = file.ReadString();
    } else if (tag == kModelTag) {
      model = file.ReadString();
    } else if (tag == dateTag) {
      if (auto time = ParseTiffDateTime(file.ReadString())) captureTime = *time;
    }
    file.SeekTo(entry + kTiffEntrySize);
    if (captureTime != -1) return;
  }
}

}  // namespace kirabo
