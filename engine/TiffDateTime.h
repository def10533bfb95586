#pragma once

#include <optional>
#include <string_view>

#include "engine/CaptureTimeReader.h"

namespace kirabo {

// Turns a TIFF date-time text "YYYY:MM:DD HH:MM:SS" into a CaptureTime with
// UTC rules, so the name shows the camera's clock on every host. Nothing for a
// text that does not give all six fields, a field out of range (the
// "0000:00:00 00:00:00" of an unset clock among them), or a moment before
// 1970 or after 2099 (names show the year's last two digits).
std::optional<CaptureTime> ParseTiffDateTime(std::string_view text);

}  // namespace kirabo
