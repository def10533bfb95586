#pragma once

#include <string>

#include "platform/Multibyte.h"

namespace kirabo {

// Lets the user choose the folder to process in the system's folder dialog.
class CFolderPicker {
 public:
  virtual ~CFolderPicker() = default;

  // Opens the folder dialog with `initialFolder` selected. When the user
  // confirms a folder, `result` receives its path ending in one separator
  // and the result is true. `result` is emptied whenever the dialog opens.
  // False when `result` is null or the user cancelled.
  bool PickFolder(std::string* result, std::string initialFolder);
};

// Removes one final separator, if the text ends in one.
void TrimFinalSeparator(std::string& path, CodePage codePage);

// Appends a separator to a non-empty text that does not end in one.
void EnsureFinalSeparator(std::string& path, CodePage codePage);

}  // namespace kirabo
