#pragma once

#include <string>

#include <QIcon>

#include "framework/DialogTemplate.h"

namespace kirabo {

// The program's resources, looked up by id like a Windows resource section.
// The framework declares them; the program's res/ library supplies them.

// Null when the program has no template with that id.
const DialogTemplate* FindDialogTemplate(int id);

// Empty when there is no such string.
std::string LoadResourceString(int id);

// A null icon when there is no such icon.
QIcon LoadResourceIcon(int id);

}  // namespace kirabo
