#pragma once

#include "framework/Application.h"

namespace kirabo {

// The application: finds its settings file, then
// runs the main dialog until it closes.
class CMainApp : public Application {
 public:
  // Hands the program's resources to the framework.
  CMainApp();
  ~CMainApp() override;

  bool InitInstance() override;
  int ExitInstance() override;

  // Points the settings at Kirabo.INI in the current directory, or in the
  // user's settings folder when started from the desktop's menus. False only
  // when no path buffer could be had (after telling the user); a current
  // directory that cannot be read or is too long leaves the program without
  // settings, so nothing is read or written.
  bool UseSettingsInCurrentDirectory();

  // The settings file's path, or null; owned here.
  char* settingsPath = nullptr;
};

}  // namespace kirabo
