#pragma once

namespace kirabo {

// Resource ids of the program.
enum ResourceId : int {
  kAboutDialogTemplate = 100,
  kAboutMenuString = 101,  // text of the system-menu item that opens the About box
  kMainDialogTemplate = 102,
  kAppIcon = 128,
};

// Control ids of the main dialog (the Start/Stop button is IDOK, 1).
enum MainDialogControlId : int {
  kFolderField = 1000,
  kBrowseButton = 1001,
  kStatusText = 1002,
  kFormatList = 1003,
  kExitButton = 1004,
  kUndoButton = 1005,
};

// Control id of the About box: the line with the program's name and version.
constexpr int kAboutNameText = 1100;

// Command id of the About item in the system menu.
constexpr int kAboutCommand = 0x10;

}  // namespace kirabo
