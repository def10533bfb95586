#pragma once

#include <string_view>

namespace kirabo {

// The texts of res/kirabo.rc and of res/ResourceIds.h, whose ids the script
// names, built into the program.
extern const std::string_view kResourceScriptText;
extern const std::string_view kResourceIdsText;

}  // namespace kirabo
