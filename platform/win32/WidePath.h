#pragma once

#include <string>
#include <string_view>

#include "platform/Folder.h"

namespace kirabo {

// Text of the ANSI code page in UTF-16, and back; empty when it does not
// convert.
std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// The entry `name` of `folder` as a "\\\\?\\" path.
std::wstring EntryPath(const CFolder& folder, std::string_view name);

}  // namespace kirabo
