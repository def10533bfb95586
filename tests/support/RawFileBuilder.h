#pragma once

// Builds CIFF (.CRW), TIFF (.CR2 and other makers'), ISO base media (.CR3),
// RAF and MRW files byte by byte, so that each test shows exactly what it
// feeds the reader. CIFF and TIFF integers are little-endian unless a TIFF
// is made big-endian; box sizes and RAF and MRW fields are big-endian.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kirabo::test {

std::string Le16(uint16_t value);
std::string Le32(uint32_t value);

// The 12 data bytes of a capture-time record: seconds, zone code, zone info.
// Only the low 32 bits of `seconds` are stored, as a camera stores them.
std::string CaptureTimeData(int64_t seconds);
// Seconds since 1970 of a date-time read with UTC rules.
int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second);
// 2004-10-05 09:25:10 UTC, the time of the sample names in the window.
constexpr int32_t kOctober2004 = 1096968310;

// One CIFF heap: its records' data first, then the directory (count and
// 10-byte records), then the directory's heap-relative offset.
class CiffHeap {
 public:
  // A record whose data lie in the heap's data area.
  CiffHeap& Record(uint16_t tag, std::string_view data);
  // A record with bit 0x4000 set: its 8 data bytes stand in the record itself.
  CiffHeap& InRecord(uint16_t kind, std::string_view eightBytes);
  // A nested heap stored in this heap's data area.
  CiffHeap& Heap(uint16_t tag, const CiffHeap& heap);
  // A record with any length and offset, for hostile files.
  CiffHeap& RawRecord(uint16_t tag, uint32_t length, uint32_t offset);
  // Overrides the directory count written (default: the number of records).
  CiffHeap& Count(uint16_t count);
  // Overrides the directory offset written at the heap's end.
  CiffHeap& DirectoryOffset(uint32_t offset);

  std::string Build() const;

 private:
  struct Entry {
    uint16_t tag;
    std::string data;
    bool inRecord = false;
    bool raw = false;
    uint32_t length = 0;
    uint32_t offset = 0;
  };
  std::vector<Entry> entries_;
  std::optional<uint16_t> count_;
  std::optional<uint32_t> directoryOffset_;
};

// A whole CIFF file: byte order, header length, "HEAPCCDR", version,
// padding up to the header length, then the root heap.
std::string CiffFile(const CiffHeap& root, std::string_view byteOrder = "II", uint32_t headerLength = 26);

struct TiffEntry {
  uint16_t tag;
  uint16_t type;
  uint32_t count;
  std::string value;                  // stored in the entry when it fits, else after the directories
  std::optional<uint32_t> rawOffset;  // written as is instead of placing `value`
};

// Type-2 text with its NUL; the count includes the NUL.
TiffEntry Ascii(uint16_t tag, std::string_view text);

// A TIFF file: 8-byte header, the directories one after another, each
// linked to the next, then the values that do not fit in their entries.
class TiffFile {
 public:
  // The mark is written as given; the integers stay little-endian unless
  // BigEndian is called.
  explicit TiffFile(std::string_view byteOrder = "II") : byteOrder_(byteOrder) {}
  TiffFile& Directory(std::vector<TiffEntry> entries, std::optional<uint32_t> nextOffset = {});
  // Overrides the first-directory offset in the header.
  TiffFile& FirstOffset(uint32_t offset);
  // Integers big-endian, as in an "MM" file.
  TiffFile& BigEndian();
  // The two bytes after the mark, instead of 42 ("RO", "U\0", ...).
  TiffFile& Magic(std::string_view twoBytes);
  // Canon's "CR\2\0" and a raw-image offset after the header, as in a CR2.
  TiffFile& CanonMark();
  std::string Build() const;

  // Offset of directory `index` in the built file.
  uint32_t DirectoryOffsetOf(size_t index) const;
  // A 16- or 32-bit integer in the file's byte order.
  std::string Int16(uint16_t value) const;
  std::string Int32(uint32_t value) const;

 private:
  struct Dir {
    std::vector<TiffEntry> entries;
    std::optional<uint32_t> next;
  };
  std::string byteOrder_;
  bool bigEndian_ = false;
  std::optional<std::string> magic_;
  bool canonMark_ = false;
  std::vector<Dir> directories_;
  std::optional<uint32_t> firstOffset_;
};

// Tags of the Exif layout every maker but Canon relies on.
constexpr uint16_t kExifPointerTag = 0x8769;
constexpr uint16_t kDateTimeOriginalTag = 0x9003;
constexpr uint16_t kDateTimeDigitizedTag = 0x9004;

// `tiff` given two directories: IFD0 with `ifd0` and a pointer (tag 0x8769)
// to the second, the Exif directory with `exif`; IFD0's chain ends there.
// `exifAt` overrides the pointer's value.
std::string ExifTiff(TiffFile tiff, std::vector<TiffEntry> ifd0, std::vector<TiffEntry> exif,
                     std::optional<uint32_t> exifAt = {});

// A JPEG segment: marker, big-endian length (counting itself), payload.
std::string JpegSegment(uint16_t marker, std::string_view payload);
// A JPEG preview: SOI, `before`, an APP1 "Exif\0\0" segment holding `tiff`,
// then the start of the scan.
std::string JpegWithExif(std::string_view tiff, std::string_view before = "");
// A Fujifilm RAF: magic, version, camera id and name, the preview's offset
// and length at byte 84 (big-endian; the real ones unless given), the
// preview at byte 160, then raw data.
std::string RafFile(std::string_view jpeg, std::optional<uint32_t> offset = {}, std::optional<uint32_t> length = {});
// A Minolta MRW: "\0MRM" and its blocks' length, a PRD block, a TTW block
// holding `tiff` (its length field the real one unless given), a WBG block,
// then image data.
std::string MrwFile(std::string_view tiff, std::optional<uint32_t> ttwLength = {});

// A hostile TIFF file: `directories` chained directories that all walk one
// shared table, each `entries` entries long, almost every entry a Make text
// lying in a far block. Directory k's count is the top half of the value of
// table entry k; the tag and type of the entry just past its run hold the
// offset of directory k + 1.
std::string SharedTableTiff(uint16_t directories, uint16_t entries);

// ISO base media boxes (.CR3).
std::string Be32(uint32_t value);
std::string Be64(uint64_t value);
// A box: 32-bit size (header and payload), four-character type, payload.
std::string Box(std::string_view type, std::string_view payload);
// The same with size 1 and the size as 64 bits after the type.
std::string LargeBox(std::string_view type, std::string_view payload);
// Boxes whose size field says `size`, whatever follows (0: to the end of the file).
std::string BoxClaiming(uint32_t size, std::string_view type, std::string_view payload);
std::string LargeBoxClaiming(uint64_t size, std::string_view type, std::string_view payload);
// A uuid box: header, 16-byte user type, payload.
std::string UuidBox(std::string_view userType, std::string_view payload);
// The user type of the box holding Canon's metadata.
extern const std::string kCanonUuid;
// The ftyp box of a CR3: major brand "crx ".
std::string Cr3FileType(std::string_view brand = "crx ");
// CMT1: a TIFF structure whose IFD0 holds Make "Canon", Model and DateTime.
std::string Cmt1Box(std::string_view dateTime);
// CMT2: a TIFF structure whose first directory holds DateTimeOriginal.
std::string Cmt2Box(std::string_view dateTimeOriginal);

// Whole files as cameras lay them out, for tests about what happens to them.
// A CIFF file whose root heap holds one capture-time record.
std::string CrwFile(int64_t seconds);
// A TIFF file whose one directory holds Make "Canon" and `dateTime` as text.
std::string Cr2File(std::string_view dateTime);

// A CR3: ftyp; moov holding the Canon uuid box (CNCV, then CMT1 and CMT2
// where given, then CMT3) and an mvhd; then an mdat of `imageBytes` bytes.
std::string Cr3File(std::optional<std::string_view> dateTime, std::optional<std::string_view> dateTimeOriginal,
                    size_t imageBytes = 64);

// CaptureTime of a file saved under `name`, through a fresh reader.
int64_t ReadCaptureTime(std::string_view bytes, const std::string& name = "IMG_0001.CRW");

}  // namespace kirabo::test
