#include "app/MainApp.h"

#include <climits>
#include <cstring>
#include <new>
#include <string>

#include "app/CommandLine.h"
#include "app/MainDialog.h"
#include "framework/MessageBox.h"
#include "framework/ProgramResources.h"
#include "framework/Translate.h"
#include "platform/CurrentDirectory.h"
#include "platform/Path.h"
#include "platform/SettingsFolder.h"
#include "res/AppIcon.h"
#include "res/ResourceIds.h"
#include "res/ResourceScriptText.h"
#include "res/translations/TextTable.h"

namespace kirabo {

namespace {
constexpr size_t kSettingsPathSize = PATH_MAX;
constexpr char kSettingsFileName[] = "Kirabo.INI";
constexpr char kSettingsFolderName[] = "Kirabo";

// Folder + separator + "Kirabo.INI" into `buffer`; false when the folder
// cannot be had or the whole path does not fit. The folder is the current
// directory, unless that is where the desktop's menus start programs (the
// home folder, the install folder), which is no place for a settings file:
// then it is the user's settings folder.
bool ComposeSettingsPath(char* buffer, size_t size) {
  std::string path;
  if (!CurrentDirectory(path)) return false;
  std::string userFolder;
  if (IsDesktopStartFolder(path) && UserSettingsFolder(kSettingsFolderName, userFolder)) path = userFolder;
  path += kPathSeparator;
  path += kSettingsFileName;
  if (path.size() >= size) return false;
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return true;
}
}  // namespace

CMainApp::CMainApp() {
  SetProgramResources({kResourceScriptText, kResourceIdsText, kAppIcon, AppIconImages(), &TextIn});
}

CMainApp::~CMainApp() { delete[] settingsPath; }

bool CMainApp::UseSettingsInCurrentDirectory() {
  SetProfileName(nullptr);
  delete[] settingsPath;
  settingsPath = new (std::nothrow) char[kSettingsPathSize];
  if (settingsPath == nullptr) {
    ShowMessageBox(nullptr, Translate("MainApp", "メモリ不足エラーです。"), MessageIcon::Exclamation);
    return false;
  }
  if (!ComposeSettingsPath(settingsPath, kSettingsPathSize)) {
    delete[] settingsPath;
    settingsPath = nullptr;
    return true;
  }
  SetProfileName(settingsPath);
  return true;
}

bool CMainApp::InitInstance() {
  if (!UseSettingsInCurrentDirectory()) return false;
  CMainDialog dialog;
  dialog.folderArgument = FolderArgument(Arguments());
  SetMainWindow(&dialog);
  dialog.DoModal();
  SetMainWindow(nullptr);
  return false;
}

int CMainApp::ExitInstance() {
  if (settingsPath != nullptr) {
    SetProfileName(nullptr);
    delete[] settingsPath;
    settingsPath = nullptr;
  }
  return Application::ExitInstance();
}

}  // namespace kirabo
