#include "framework/FolderDialog.h"

#include "framework/Application.h"
#include "framework/Dialog.h"
#include "framework/win32/WindowsApi.h"

#include <shlobj.h>
#include <shobjidl.h>

namespace kirabo {

namespace {

// Texts in the active code page to and from the shell's UTF-16.
std::wstring Widen(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(size_t(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
  wide.pop_back();
  return wide;
}

// Nothing when a character has no place in the code page: such a path could
// not be used by the program's own file functions.
std::optional<std::string> Narrow(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::nullopt;
  std::string narrow(size_t(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  narrow.pop_back();
  if (Widen(narrow) != text) return std::nullopt;
  return narrow;
}

HWND MainWindowHandle() {
  Dialog* mainWindow = Application::MainWindowOfInstance();
  return mainWindow != nullptr ? ToHandle(mainWindow->Window()) : nullptr;
}

// Releases a COM object at the end of its scope.
template <typename Interface>
struct Held {
  Interface* object = nullptr;
  ~Held() {
    if (object != nullptr) object->Release();
  }
};

// The system's folder dialog (Windows Vista on): the chosen folder, nothing
// on a cancel, or false when the system has no such dialog.
bool ShowItemDialog(const std::string& title, const std::string& selection, std::optional<std::string>& result) {
  Held<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog.object))))
    return false;
  FILEOPENDIALOGOPTIONS options = 0;
  if (FAILED(dialog.object->GetOptions(&options)) ||
      FAILED(dialog.object->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST)))
    return false;
  dialog.object->SetTitle(Widen(title).c_str());
  // Opened in the field's folder, so that confirming at once picks it.
  Held<IShellItem> initial;
  if (!selection.empty() &&
      SUCCEEDED(SHCreateItemFromParsingName(Widen(selection).c_str(), nullptr, IID_PPV_ARGS(&initial.object))))
    dialog.object->SetFolder(initial.object);

  result.reset();
  const HRESULT shown = dialog.object->Show(MainWindowHandle());
  if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return true;
  if (FAILED(shown)) return false;
  Held<IShellItem> chosen;
  if (FAILED(dialog.object->GetResult(&chosen.object))) return true;
  PWSTR path = nullptr;
  if (SUCCEEDED(chosen.object->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
    result = Narrow(path);
    CoTaskMemFree(path);
  }
  return true;
}

// Selects the initial folder once the dialog is up; the callback data is
// its path.
int CALLBACK SelectInitialFolder(HWND dialog, UINT notification, LPARAM, LPARAM data) {
  if (notification == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

// The older shell folder tree, for systems without the item dialog: rooted
// at the drives folder, file-system folders only.
std::optional<std::string> ShowFolderTree(const std::string& title, const std::string& selection) {
  PIDLIST_ABSOLUTE root = nullptr;
  SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &root);

  // The display name is only asked of the dialog; the path comes below.
  char name[MAX_PATH] = {};
  BROWSEINFOA description{};
  description.hwndOwner = MainWindowHandle();
  description.pidlRoot = root;
  description.pszDisplayName = name;
  description.lpszTitle = title.c_str();
  description.ulFlags = BIF_RETURNONLYFSDIRS;
  description.lpfn = &SelectInitialFolder;
  description.lParam = reinterpret_cast<LPARAM>(selection.c_str());

  std::optional<std::string> result;
  if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&description)) {
    PWSTR path = nullptr;
    if (SUCCEEDED(SHGetNameFromIDList(chosen, SIGDN_FILESYSPATH, &path))) {
      result = Narrow(path);
      CoTaskMemFree(path);
    }
    CoTaskMemFree(chosen);
  }
  CoTaskMemFree(root);
  return result;
}

}  // namespace

namespace detail {

// Owned by the main window, which it keeps disabled while it is open, so
// that a second one cannot be opened beside it. A chosen item without a
// file-system path, or one the code page cannot write, counts as a cancel.
std::optional<std::string> ShowNativeFolderDialog(const std::string& title, const std::string& selection) {
  std::optional<std::string> result;
  if (ShowItemDialog(title, selection, result)) return result;
  return ShowFolderTree(title, selection);
}

}  // namespace detail

}  // namespace kirabo
