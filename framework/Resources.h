#pragma once

#include <string>

#include "framework/Icon.h"

namespace kirabo {

// The program's resources, looked up by id: on Windows in the program's
// resource section, on Qt in what the program handed over
// (framework/ProgramResources.h).

// Empty when there is no such string.
std::string LoadResourceString(int id);

// A null icon when there is no such icon.
Icon LoadResourceIcon(int id);

}  // namespace kirabo
