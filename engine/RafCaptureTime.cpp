#include "engine/RafCaptureTime.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/ExifCaptureTime.h"

namespace kirabo {

namespace {

// The TIFF structure of the preview's Exif segment, which must lie within
// [start, end): its start, and its end.
std::optional<std::pair<int64_t, int64_t>> FindExifSegment(CRawFile& file, int64_t start, int64_t end) {
  file.SeekTo(start);
  if (file.Read16(ByteOrder::Big) != kJpegStart) return std::nullopt;
  for (int i = 0; i < kMaxJpegSegments; ++i) {
    int64_t segment = file.GetPosition();
    uint16_t marker = file.Read16(ByteOrder::Big);
    uint16_t length = file.Read16(ByteOrder::Big);  // counts itself, not the marker
    if ((marker & 0xFF00) != 0xFF00 || marker == kJpegScanMarker || length < 2) return std::nullopt;
    int64_t next = segment + 2 + length;
    if (next > end) return std::nullopt;
    if (marker == kJpegExifMarker) {
      std::array<char, sizeof kJpegExifHeader> header{};
      file.Read(header.data(), header.size());
      if (std::memcmp(header.data(), kJpegExifHeader, header.size()) == 0)
        return std::pair{segment + 4 + static_cast<int64_t>(header.size()), next};
    }
    file.SeekTo(next);
  }
  return std::nullopt;
}

}  // namespace

std::optional<CaptureTime> ReadRafCaptureTime(CRawFile& file) {
  file.SeekTo(kRafPreviewField);
  int64_t start = file.Read32(ByteOrder::Big);
  int64_t end = std::min(start + file.Read32(ByteOrder::Big), file.GetLength());
  std::optional<std::pair<int64_t, int64_t>> exif = FindExifSegment(file, start, end);
  if (!exif) return std::nullopt;
  file.EndAt(exif->second);
  std::optional<CaptureTime> time = ReadExifCaptureTime(file, exif->first);
  file.EndAtFileEnd();
  return time;
}

}  // namespace kirabo
