#pragma once

#include <span>

namespace kirabo {

// The program's icon as XPM images, 32x32 and 16x16, for front ends that
// draw it themselves; the Windows build has kirabo.ico in its resources.
std::span<const char* const* const> AppIconImages();

}  // namespace kirabo
