#pragma once

// The program's resource and control ids, for the code and for kirabo.rc
// alike. The resource compiler reads this file through its preprocessor and
// knows no C++: the numbers stand in #define lines of the form
// `#define NAME NUMBER`, which the Qt build's reader of the script also
// understands, and the code's names for them sit below.

#define IDD_ABOUT 100
#define IDS_ABOUT_MENU 101  // text of the system-menu item that opens the About box
#define IDD_MAIN 102
#define IDI_APP 128

// Controls of the main dialog (the Start/Stop button is IDOK, 1).
#define IDC_FOLDER 1000
#define IDC_BROWSE 1001
#define IDC_STATUS 1002
#define IDC_FORMAT 1003
#define IDC_EXIT 1004
#define IDC_UNDO 1005

// The About box's line with the program's name and version.
#define IDC_ABOUT_NAME 1100

#ifndef RC_INVOKED
namespace kirabo {

enum ResourceId : int {
  kAboutDialogTemplate = IDD_ABOUT,
  kAboutMenuString = IDS_ABOUT_MENU,
  kMainDialogTemplate = IDD_MAIN,
  kAppIcon = IDI_APP,
};

enum MainDialogControlId : int {
  kFolderField = IDC_FOLDER,
  kBrowseButton = IDC_BROWSE,
  kStatusText = IDC_STATUS,
  kFormatList = IDC_FORMAT,
  kExitButton = IDC_EXIT,
  kUndoButton = IDC_UNDO,
};

// Control id of the About box: the line with the program's name and version.
constexpr int kAboutNameText = IDC_ABOUT_NAME;

// Command id of the About item in the system menu.
constexpr int kAboutCommand = 0x10;

}  // namespace kirabo
#endif
