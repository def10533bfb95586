#include "framework/FolderDialog.h"

#include "framework/Application.h"
#include "framework/Dialog.h"
#include "framework/win32/WindowsApi.h"

#include <shlobj.h>

namespace kirabo {

namespace {

// Selects the initial folder once the dialog is up; the callback data is
// its path.
int CALLBACK SelectInitialFolder(HWND dialog, UINT notification, LPARAM, LPARAM data) {
  if (notification == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

}  // namespace

namespace detail {

// The shell's folder dialog, rooted at the drives folder, file-system folders
// only. Owned by the main window, which it keeps disabled while it is open,
// so that a second one cannot be opened beside it. A chosen item without a
// file-system path counts as a cancel.
std::optional<std::string> ShowNativeFolderDialog(const std::string& title, const std::string& selection) {
  PIDLIST_ABSOLUTE root = nullptr;
  SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &root);

  char name[MAX_PATH] = {};
  BROWSEINFOA description{};
  Dialog* mainWindow = Application::MainWindowOfInstance();
  description.hwndOwner = mainWindow != nullptr ? ToHandle(mainWindow->Window()) : nullptr;
  description.pidlRoot = root;
  description.pszDisplayName = name;
  description.lpszTitle = title.c_str();
  description.ulFlags = BIF_RETURNONLYFSDIRS;
  description.lpfn = &SelectInitialFolder;
  description.lParam = reinterpret_cast<LPARAM>(selection.c_str());

  std::optional<std::string> result;
  if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&description)) {
    if (SHGetPathFromIDListA(chosen, name)) result = std::string(name);
    CoTaskMemFree(chosen);
  }
  CoTaskMemFree(root);
  return result;
}

}  // namespace detail

}  // namespace kirabo
