#include "framework/MessageBox.h"

#include "framework/Dialog.h"
#include "framework/win32/WindowsApi.h"

namespace kirabo {

namespace detail {

bool ShowNativeMessageBox(Dialog* parent, const MessageBoxCall& call) {
  HWND owner = parent != nullptr ? ToHandle(parent->Window()) : nullptr;
  if (owner == nullptr) owner = GetActiveWindow();
  UINT style = MB_OK | MB_ICONINFORMATION;
  if (call.icon == MessageIcon::Exclamation) style = MB_OK | MB_ICONEXCLAMATION;
  if (call.icon == MessageIcon::Question) style = MB_YESNO | MB_ICONQUESTION;
  return MessageBoxA(owner, call.text.c_str(), call.caption.c_str(), style) == IDYES;
}

}  // namespace detail

namespace {
// Message boxes are dialogs of the system's dialog class that none of our
// own dialogs is.
BOOL CALLBACK CloseMessageBox(HWND window, LPARAM owner) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (GetWindow(window, GW_OWNER) == HWND(owner) && lstrcmpA(className, "#32770") == 0 &&
      GetPropA(window, kDialogProperty) == nullptr)
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return TRUE;
}
}  // namespace

void DismissMessageBoxes(Dialog* parent) {
  const HWND owner = parent != nullptr ? ToHandle(parent->Window()) : nullptr;
  if (owner == nullptr) return;
  EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), &CloseMessageBox, LPARAM(owner));
}

}  // namespace kirabo
