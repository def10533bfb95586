#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "framework/DialogTemplate.h"

namespace kirabo {

// What a front end without a resource compiler takes from the program's
// resource script: the dialog templates and the string table. Texts stay UTF-8, as the script holds them.
struct ResourceScript {
  std::map<int, DialogTemplate> dialogs;
  std::map<int, std::string> strings;
};

// The names a header gives numbers by `#define NAME NUMBER` lines; other
// lines are passed over.
using ResourceSymbols = std::map<std::string, int64_t, std::less<>>;
ResourceSymbols ReadDefines(std::string_view header);

// Reads the statements the program's script uses: DIALOGEX with its
// controls, and STRINGTABLE, where an id may be one of `symbols`.
// Preprocessor lines, comments and every other resource are passed over.
// Parsing stops at the first statement it cannot read, keeping what came
// before.
ResourceScript ParseResourceScript(std::string_view script, const ResourceSymbols& symbols = {});

}  // namespace kirabo
