#include "RawFileBuilder.h"

#include <stdexcept>

#include "TempFolder.h"
#include "engine/CaptureTimeReader.h"
#include "platform/UtcTime.h"

namespace kirabo::test {

std::string Le16(uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

std::string Le32(uint32_t v) { return Le16(static_cast<uint16_t>(v & 0xFFFF)) + Le16(static_cast<uint16_t>(v >> 16)); }

std::string CaptureTimeData(int64_t seconds) { return Le32(static_cast<uint32_t>(seconds)) + Le32(0) + Le32(0); }

int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second) {
  auto seconds = SecondsFromUtc({year, month, day, hour, minute, second});
  if (!seconds) throw std::invalid_argument("no such date-time");
  return *seconds;
}

CiffHeap& CiffHeap::Record(uint16_t tag, std::string_view data) {
  entries_.push_back({tag, std::string(data)});
  return *this;
}

CiffHeap& CiffHeap::InRecord(uint16_t kind, std::string_view eightBytes) {
  std::string data(eightBytes);
  data.resize(8, '\0');
  entries_.push_back({static_cast<uint16_t>(kind | 0x4000), data, true});
  return *this;
}

CiffHeap& CiffHeap::Heap(uint16_t tag, const CiffHeap& heap) { return Record(tag, heap.Build()); }

CiffHeap& CiffHeap::RawRecord(uint16_t tag, uint32_t length, uint32_t offset) {
  entries_.push_back({tag, {}, false, true, length, offset});
  return *this;
}

CiffHeap& CiffHeap::Count(uint16_t count) {
  count_ = count;
  return *this;
}

CiffHeap& CiffHeap::DirectoryOffset(uint32_t offset) {
  directoryOffset_ = offset;
  return *this;
}

std::string CiffHeap::Build() const {
  std::string data;
  std::string records;
  for (const Entry& e : entries_) {
    if (e.inRecord) {
      records += Le16(e.tag) + e.data;
    } else if (e.raw) {
      records += Le16(e.tag) + Le32(e.length) + Le32(e.offset);
    } else {
      records += Le16(e.tag) + Le32(static_cast<uint32_t>(e.data.size())) + Le32(static_cast<uint32_t>(data.size()));
      data += e.data;
    }
  }
  auto directory = static_cast<uint32_t>(data.size());
  uint16_t count = count_.value_or(static_cast<uint16_t>(entries_.size()));
  return data + Le16(count) + records + Le32(directoryOffset_.value_or(directory));
}

std::string CiffFile(const CiffHeap& root, std::string_view byteOrder, uint32_t headerLength) {
  std::string header = std::string(byteOrder) + Le32(headerLength) + "HEAPCCDR" + Le32(0x00010002);
  if (header.size() < headerLength) header.resize(headerLength, '\0');
  return header + root.Build();
}

TiffEntry Ascii(uint16_t tag, std::string_view text) {
  return {tag, 2, static_cast<uint32_t>(text.size() + 1), std::string(text) + '\0', {}};
}

TiffFile& TiffFile::Directory(std::vector<TiffEntry> entries, std::optional<uint32_t> nextOffset) {
  directories_.push_back({std::move(entries), nextOffset});
  return *this;
}

TiffFile& TiffFile::FirstOffset(uint32_t offset) {
  firstOffset_ = offset;
  return *this;
}

TiffFile& TiffFile::BigEndian() {
  bigEndian_ = true;
  return *this;
}

TiffFile& TiffFile::Magic(std::string_view twoBytes) {
  magic_ = std::string(twoBytes);
  return *this;
}

TiffFile& TiffFile::CanonMark() {
  canonMark_ = true;
  return *this;
}

std::string TiffFile::Int16(uint16_t v) const { return bigEndian_ ? Be32(v).substr(2) : Le16(v); }

std::string TiffFile::Int32(uint32_t v) const { return bigEndian_ ? Be32(v) : Le32(v); }

uint32_t TiffFile::DirectoryOffsetOf(size_t index) const {
  uint32_t offset = canonMark_ ? 16 : 8;
  for (size_t i = 0; i < index; ++i) offset += static_cast<uint32_t>(2 + 12 * directories_[i].entries.size() + 4);
  return offset;
}

std::string TiffFile::Build() const {
  std::string out = byteOrder_ + magic_.value_or(Int16(42)) +
                    Int32(firstOffset_.value_or(directories_.empty() ? 0 : DirectoryOffsetOf(0)));
  if (canonMark_) out += std::string("CR\2\0", 4) + Int32(0);
  uint32_t valuesStart = DirectoryOffsetOf(directories_.size());
  std::string values;
  for (size_t d = 0; d < directories_.size(); ++d) {
    const Dir& dir = directories_[d];
    out += Int16(static_cast<uint16_t>(dir.entries.size()));
    for (const TiffEntry& e : dir.entries) {
      out += Int16(e.tag) + Int16(e.type) + Int32(e.count);
      if (e.rawOffset) {
        out += Int32(*e.rawOffset);
      } else if (e.value.size() <= 4) {
        std::string inEntry = e.value;
        inEntry.resize(4, '\0');
        out += inEntry;
      } else {
        out += Int32(valuesStart + static_cast<uint32_t>(values.size()));
        values += e.value;
      }
    }
    uint32_t next = d + 1 < directories_.size() ? DirectoryOffsetOf(d + 1) : 0;
    out += Int32(dir.next.value_or(next));
  }
  return out + values;
}

std::string ExifTiff(TiffFile tiff, std::vector<TiffEntry> ifd0, std::vector<TiffEntry> exif,
                     std::optional<uint32_t> exifAt) {
  // The Exif directory follows IFD0, whose size the pointer entry adds to.
  auto after = static_cast<uint32_t>(tiff.DirectoryOffsetOf(0) + 2 + 12 * (ifd0.size() + 1) + 4);
  ifd0.push_back({kExifPointerTag, 4, 1, "", exifAt.value_or(after)});
  return tiff.Directory(std::move(ifd0), 0).Directory(std::move(exif), 0).Build();
}

std::string JpegSegment(uint16_t marker, std::string_view payload) {
  return Be32(marker).substr(2) + Be32(static_cast<uint32_t>(payload.size() + 2)).substr(2) + std::string(payload);
}

std::string JpegWithExif(std::string_view tiff, std::string_view before) {
  return "\xFF\xD8" + std::string(before) + JpegSegment(0xFFE1, std::string("Exif\0\0", 6) + std::string(tiff)) +
         JpegSegment(0xFFDA, "scan");
}

std::string RafFile(std::string_view jpeg, std::optional<uint32_t> offset, std::optional<uint32_t> length) {
  constexpr uint32_t kPreviewAt = 160;
  std::string header = "FUJIFILMCCD-RAW 0201FF383501FinePix S5Pro";
  header.resize(84, '\0');
  header += Be32(offset.value_or(kPreviewAt)) + Be32(length.value_or(static_cast<uint32_t>(jpeg.size())));
  header.resize(kPreviewAt, '\0');
  return header + std::string(jpeg) + std::string(256, '\xAA');
}

std::string MrwFile(std::string_view tiff, std::optional<uint32_t> ttwLength) {
  std::string blocks = std::string("\0PRD", 4) + Be32(8) + "27200001" + std::string("\0TTW", 4) +
                       Be32(ttwLength.value_or(static_cast<uint32_t>(tiff.size()))) + std::string(tiff) +
                       std::string("\0WBG", 4) + Be32(4) + "\1\1\1\1";
  return std::string("\0MRM", 4) + Be32(static_cast<uint32_t>(blocks.size())) + blocks + std::string(256, '\xAA');
}

std::string SharedTableTiff(uint16_t directories, uint16_t entries) {
  constexpr uint32_t kTable = 8;
  auto entryAt = [](uint32_t index) { return kTable + 12 * index; };
  auto directoryAt = [&](uint32_t k) { return entryAt(k) + 10; };  // the top half of entry k's value
  uint32_t total = uint32_t{entries} + directories + 1;
  uint32_t farText = entryAt(total);
  std::string out = "II" + Le16(42) + Le32(directories == 0 ? 0 : directoryAt(0));
  for (uint32_t i = 0; i < total; ++i) {
    if (i < directories) {
      out += Le16(0x0001) + Le16(3) + Le32(1) + Le32(uint32_t{entries} << 16);  // a short, then the count
    } else if (i > entries && i - entries - 1 < directories) {
      uint32_t k = i - entries - 1;  // directory k's walk ends here: link to directory k + 1
      uint32_t next = k + 1 < directories ? directoryAt(k + 1) : 0;
      out += Le16(static_cast<uint16_t>(next & 0xFFFF)) + Le16(static_cast<uint16_t>(next >> 16)) + Le32(0) + Le32(0);
    } else {
      out += Le16(0x010F) + Le16(2) + Le32(6) + Le32(farText);
    }
  }
  return out + std::string("Nikon\0", 6);
}

std::string CrwFile(int64_t seconds) { return CiffFile(CiffHeap().Record(0x180E, CaptureTimeData(seconds))); }

std::string Cr2File(std::string_view dateTime) {
  return TiffFile().Directory({Ascii(0x010F, "Canon"), Ascii(0x0132, dateTime)}).Build();
}

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string Be64(uint64_t v) { return Be32(static_cast<uint32_t>(v >> 32)) + Be32(static_cast<uint32_t>(v)); }

std::string Box(std::string_view type, std::string_view payload) {
  return BoxClaiming(static_cast<uint32_t>(8 + payload.size()), type, payload);
}

std::string LargeBox(std::string_view type, std::string_view payload) {
  return LargeBoxClaiming(16 + payload.size(), type, payload);
}

std::string BoxClaiming(uint32_t size, std::string_view type, std::string_view payload) {
  return Be32(size) + std::string(type) + std::string(payload);
}

std::string LargeBoxClaiming(uint64_t size, std::string_view type, std::string_view payload) {
  return Be32(1) + std::string(type) + Be64(size) + std::string(payload);
}

std::string UuidBox(std::string_view userType, std::string_view payload) {
  return Box("uuid", std::string(userType) + std::string(payload));
}

const std::string kCanonUuid("\x85\xC0\xB6\x87\x82\x0F\x11\xE0\x81\x11\xF4\xCE\x46\x2B\x6A\x48", 16);

std::string Cr3FileType(std::string_view brand) {
  return Box("ftyp", std::string(brand) + Be32(1) + "crx isom");
}

std::string Cmt1Box(std::string_view dateTime) {
  return Box("CMT1", TiffFile()
                         .Directory({Ascii(0x010F, "Canon"), Ascii(0x0110, "Canon EOS M50"), Ascii(0x0132, dateTime)})
                         .Build());
}

std::string Cmt2Box(std::string_view dateTimeOriginal) {
  return Box("CMT2", TiffFile().Directory({Ascii(0x9003, dateTimeOriginal)}).Build());
}

std::string Cr3File(std::optional<std::string_view> dateTime, std::optional<std::string_view> dateTimeOriginal,
                    size_t imageBytes) {
  std::string canon = Box("CNCV", "CanonCR3_001/01.09.00/00.00.00");
  if (dateTime) canon += Cmt1Box(*dateTime);
  if (dateTimeOriginal) canon += Cmt2Box(*dateTimeOriginal);
  canon += Box("CMT3", TiffFile().Directory({{0x0001, 3, 1, "", {}}}).Build());
  std::string movie = UuidBox(kCanonUuid, canon) + Box("mvhd", std::string(100, '\0'));
  return Cr3FileType() + Box("moov", movie) + Box("mdat", std::string(imageBytes, '\xFF'));
}

int64_t ReadCaptureTime(std::string_view bytes, const std::string& name) {
  TempFolder temp;
  CCaptureTimeReader reader;
  reader.Load(temp.Write(name, std::string(bytes)));
  return reader.GetCaptureTime();
}

}  // namespace kirabo::test
