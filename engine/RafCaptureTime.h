#pragma once

#include <cstdint>
#include <optional>

#include "engine/CaptureTimeReader.h"
#include "engine/RawFile.h"

// Fujifilm's RAF keeps its Exif only in the JPEG preview that its header
// points to: the preview's APP1 "Exif" segment holds a TIFF structure.
namespace kirabo {

constexpr char kRafMagic[] = "FUJIFILMCCD-RAW ";
constexpr int64_t kRafPreviewField = 84;  // u32 offset, then u32 length, both big-endian
constexpr uint16_t kJpegStart = 0xFFD8;
constexpr uint16_t kJpegExifMarker = 0xFFE1;   // APP1
constexpr uint16_t kJpegScanMarker = 0xFFDA;   // image data follow: no metadata after it
constexpr char kJpegExifHeader[] = "Exif\0";   // with the NUL the literal adds: 6 bytes
// A preview's metadata segments come first, a handful of them.
constexpr int kMaxJpegSegments = 32;

// The capture time of the open RAF file, read from the Exif of its preview.
// The preview ends where the header says, so that no offset inside it leads
// into the raw data.
std::optional<CaptureTime> ReadRafCaptureTime(CRawFile& file);

}  // namespace kirabo
