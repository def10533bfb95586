#pragma once

#include <string>

namespace kirabo {

// `source`, a program text written in Japanese, in the language the
// application speaks: its translation in `context` (Qt's loaded translator,
// or on Windows the table made from the same translation file), or `source`
// unchanged where none translates it.
std::string Translate(const char* context, const char* source);

// The context of the texts of dialog template `templateId`: its title and
// the texts of its controls are looked up there when the dialog is built.
std::string DialogTextContext(int templateId);

}  // namespace kirabo
