#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kirabo {

// The raw formats as the helps list them, from the raw-format table: each
// maker with its extensions, the rows of one maker together, wrapped into
// lines of at most `width` characters that begin with `indent`:
// "  Canon .CRW .CR2 .CR3, Nikon .NEF .NRW, ...\n".
std::string RawFormatLines(std::string_view indent, size_t width);

}  // namespace kirabo
