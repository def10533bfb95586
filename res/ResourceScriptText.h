#pragma once

#include <string_view>

namespace kirabo {

// The text of res/kirabo.rc, built into the program.
extern const std::string_view kResourceScriptText;

}  // namespace kirabo
