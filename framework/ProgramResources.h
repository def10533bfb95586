#pragma once

#include <span>
#include <string_view>

#include "platform/UiLanguage.h"

namespace kirabo {

// What the program gives the framework of its own, before Run. The Windows
// build has its templates, strings and icon linked in and finds them through
// the system; the Qt front end reads templates and strings from the resource
// script's text and draws the icon from XPM images. Views and arrays must
// outlive the program's windows.
struct ProgramResources {
  std::string_view script;         // the resource script (.rc) as text
  std::string_view idDefinitions;  // the `#define NAME NUMBER` lines naming the script's ids
  int iconId = 0;
  std::span<const char* const* const> iconImages;  // that icon as XPM images, one per size
  // `source` of `context` as it reads in `language`; the Win32 front end
  // translates with it, the Qt one loads Qt's compiled translations.
  const char* (*text)(UiLanguage language, const char* context, const char* source) = nullptr;
};

void SetProgramResources(const ProgramResources& resources);
const ProgramResources& GetProgramResources();

}  // namespace kirabo
