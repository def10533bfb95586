#pragma once

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

// Reads the statements the program's script uses: DIALOGEX with its
// controls, and STRINGTABLE. Preprocessor lines, comments and every
// other resource are passed over. Parsing stops at the first statement it
// cannot read, keeping what came before.
ResourceScript ParseResourceScript(std::string_view script);

}  // namespace kirabo
