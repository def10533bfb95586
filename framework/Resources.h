#pragma once

#include <string>

#include "framework/Icon.h"

namespace kirabo {

// The program's resources, looked up by id like a Windows resource section.
// The framework declares them; the program's res/ supplies them.

// Empty when there is no such string.
std::string LoadResourceString(int id);

// A null icon when there is no such icon.
Icon LoadResourceIcon(int id);

}  // namespace kirabo
