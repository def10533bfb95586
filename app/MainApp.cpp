#include "app/MainApp.h"

#include <climits>
#include <cstring>
#include <new>
#include <string>

#include "app/MainDialog.h"
#include "framework/MessageBox.h"
#include "framework/Translate.h"
#include "platform/CurrentDirectory.h"
#include "platform/Path.h"

namespace kirabo {

namespace {
constexpr size_t kSettingsPathSize = PATH_MAX;
constexpr char kSettingsFileName[] = "Kirabo.INI";

// Current directory + separator + "Kirabo.INI" into `buffer`; false when the
// directory cannot be had or the whole path does not fit.
bool ComposeSettingsPath(char* buffer, size_t size) {
  std::string path;
  if (!CurrentDirectory(path)) return false;
  path += kPathSeparator;
  path += kSettingsFileName;
  if (path.size() >= size) return false;
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return true;
}
}  // namespace

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
  if (ProfileName() != nullptr && !UseSettingsInCurrentDirectory()) return false;
  CMainDialog dialog;
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
