#include "platform/HomeFolder.h"

namespace kirabo {

// "~" is an ordinary character in Windows names.
std::string WithHomeFolder(const std::string& folder) { return folder; }

}  // namespace kirabo
