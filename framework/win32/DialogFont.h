#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kirabo {

// A copy of an extended dialog template (DLGTEMPLATEEX) with its font's
// face name and character set replaced; the size, weight and controls stay.
// Empty when the template is not an extended one with a font, or its header
// runs past `size`.
std::vector<uint8_t> ReplaceDialogFont(const uint8_t* data, size_t size, std::u16string_view faceName, uint8_t charset);

}  // namespace kirabo
