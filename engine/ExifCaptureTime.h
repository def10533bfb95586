#pragma once

#include <cstdint>
#include <optional>

#include "engine/CaptureTimeReader.h"
#include "engine/RawFile.h"

namespace kirabo {

// The capture time of a TIFF structure whose header starts at `base` and whose
// offsets count from there, as every maker but Canon writes it: IFD0 points
// (tag 0x8769) to the Exif directory, which holds DateTimeOriginal (0x9003)
// and DateTimeDigitized (0x9004); the first usable of the two, in that order.
// IFD0's own DateTime is never taken: it changes whenever a program writes
// the file. The byte order is the structure's own ("II" or "MM"); the magic
// after it varies among makers and is not tested.
//
// Only the two directories and the date texts are read: no offset chain can
// loop, and an entry budget bounds the directories' length.
std::optional<CaptureTime> ReadExifCaptureTime(CRawFile& file, int64_t base);

}  // namespace kirabo
