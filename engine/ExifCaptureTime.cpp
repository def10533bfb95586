#include "engine/ExifCaptureTime.h"

#include <algorithm>

#include "engine/RawFormat.h"
#include "engine/TiffDateTime.h"

namespace kirabo {

using namespace raw;

namespace {

struct Entry {
  uint16_t tag;
  uint32_t count;
  int64_t valueField;  // file position of the entry's last 4 bytes
};

class CExifWalk {
 public:
  CExifWalk(CRawFile& file, int64_t base, ByteOrder order) : file_(file), base_(base), order_(order) {}

  // Calls `onEntry` for each entry of the directory at `offset`, as far as
  // the file holds them and the budget allows, until it returns false.
  template <typename OnEntry>
  void ForEachEntry(uint32_t offset, OnEntry onEntry) {
    file_.SeekTo(base_ + offset);
    int64_t count = file_.Read16(order_);
    int64_t room = std::max<int64_t>(0, (file_.GetLength() - file_.GetPosition()) / kTiffEntrySize);
    count = std::min(count, room);
    for (int64_t i = 0; i < count && entryBudget_-- > 0; ++i) {
      int64_t at = file_.GetPosition();
      uint16_t tag = file_.Read16(order_);
      file_.Read16(order_);  // field type: a date is text, one byte per value
      Entry entry{tag, file_.Read32(order_), at + 8};
      if (!onEntry(entry)) return;
      file_.SeekTo(at + kTiffEntrySize);
    }
  }

  uint32_t ReadLong(const Entry& entry) {
    file_.SeekTo(entry.valueField);
    return file_.Read32(order_);
  }

  std::optional<CaptureTime> ReadDateTime(const Entry& entry) {
    file_.SeekTo(entry.valueField);
    if (entry.count > kTiffInlineValueBytes) file_.SeekTo(base_ + file_.Read32(order_));
    return ParseTiffDateTime(file_.ReadString());
  }

 private:
  CRawFile& file_;
  int64_t base_;
  ByteOrder order_;
  int entryBudget_ = kMaxExifEntries;
};

}  // namespace

std::optional<CaptureTime> ReadExifCaptureTime(CRawFile& file, int64_t base) {
  file.SeekTo(base);
  uint16_t mark = file.Read16();
  if (mark != kIntelOrder && mark != kMotorolaOrder) return std::nullopt;
  ByteOrder order = mark == kIntelOrder ? ByteOrder::Little : ByteOrder::Big;
  file.Read16(order);  // magic
  uint32_t firstDirectory = file.Read32(order);
  CExifWalk walk(file, base, order);

  std::optional<uint32_t> exifDirectory;
  walk.ForEachEntry(firstDirectory, [&](const Entry& entry) {
    if (entry.tag == kExifDirectoryTag) exifDirectory = walk.ReadLong(entry);
    return !exifDirectory;
  });
  if (!exifDirectory) return std::nullopt;

  // Each date is read once, from its first entry, so that a directory full
  // of date entries costs no more than a camera's.
  std::optional<CaptureTime> original, digitized;
  bool originalSeen = false, digitizedSeen = false;
  walk.ForEachEntry(*exifDirectory, [&](const Entry& entry) {
    if (entry.tag == kDateTimeOriginalTag && !originalSeen) {
      originalSeen = true;
      original = walk.ReadDateTime(entry);
    } else if (entry.tag == kDateTimeDigitizedTag && !digitizedSeen) {
      digitizedSeen = true;
      digitized = walk.ReadDateTime(entry);
    }
    return !original;
  });
  return original ? original : digitized;
}

}  // namespace kirabo
