#include "framework/Dialog.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Translate.h"
#include "framework/win32/DialogFont.h"
#include "framework/win32/DialogImpl.h"

namespace kirabo {

namespace {

HINSTANCE Program() { return GetModuleHandleA(nullptr); }

// The template as the program's language wants it drawn: the resource
// itself, or a copy of it. A Japanese font draws the backslash as a yen sign,
// which would turn every path into Z:¥photos¥... in English; there the copy
// gets the system's dialog font instead.
class TemplateInLanguage {
 public:
  explicit TemplateInLanguage(int templateId) {
    const HRSRC found = FindResourceA(Program(), MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (found == nullptr) return;
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(Program(), found)));
    if (data == nullptr) return;
    template_ = reinterpret_cast<LPCDLGTEMPLATEA>(data);
    const Application* app = Application::Instance();
    if (app == nullptr || app->Language() == "ja") return;
    copy_ = ReplaceDialogFont(data, SizeofResource(Program(), found), u"MS Shell Dlg 2", DEFAULT_CHARSET);
    if (!copy_.empty()) template_ = reinterpret_cast<LPCDLGTEMPLATEA>(copy_.data());
  }

  // Null when the program has no such template.
  LPCDLGTEMPLATEA Get() const { return template_; }

 private:
  std::vector<uint8_t> copy_;
  LPCDLGTEMPLATEA template_ = nullptr;
};

}  // namespace

Dialog::Impl* Dialog::Impl::Of(HWND window) {
  const HWND dialog = GetAncestor(window, GA_ROOT);
  return dialog != nullptr ? static_cast<Impl*>(GetPropA(dialog, kDialogProperty)) : nullptr;
}

INT_PTR CALLBACK Dialog::Impl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Impl* impl = nullptr;
  if (message == WM_INITDIALOG) {
    impl = reinterpret_cast<Impl*>(lParam);
    impl->window = window;
    SetWindowLongPtrA(window, DWLP_USER, LONG_PTR(impl));
    SetPropA(window, kDialogProperty, HANDLE(impl));
  } else {
    impl = reinterpret_cast<Impl*>(GetWindowLongPtrA(window, DWLP_USER));
  }
  return impl != nullptr ? impl->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR Dialog::Impl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      if (HMENU menu = ::GetSystemMenu(window, FALSE)) systemMenu = std::make_unique<Win32SystemMenu>(menu);
      TranslateTexts();
      TakeOverPathEllipsis();
      return owner.OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      // Clicks, and Enter and Esc, which the dialog turns into IDOK and
      // IDCANCEL; edit and list notifications carry other codes.
      if (HIWORD(wParam) == BN_CLICKED) owner.OnCommand(LOWORD(wParam));
      if (HIWORD(wParam) == EN_CHANGE) owner.OnEditChange(LOWORD(wParam));
      return TRUE;
    case WM_SYSCOMMAND:
      passOn = false;
      owner.OnSysCommand(int(wParam));
      return passOn ? FALSE : TRUE;
    case WM_PAINT:
      passOn = false;
      owner.OnPaint();
      return passOn ? FALSE : TRUE;
    case WM_QUERYDRAGICON:
      return INT_PTR(icon);
    case WM_HELP:
      // The system sends it for F1 in any of the dialog's windows; Shift+F1
      // and the like are left alone.
      if (GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) owner.OnHelp();
      return TRUE;
    case kPostedCallMessage: {
      std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lParam));
      (*call)();
      return TRUE;
    }
    case WM_TIMER:
      RunTimer(wParam);
      return TRUE;
    case WM_DESTROY:
      DropPostedCalls();
      for (const auto& timer : timers) KillTimer(window, timer.first);
      timers.clear();
      RemovePropA(window, kDialogProperty);
      return FALSE;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, DWLP_USER, 0);
      window = nullptr;
      systemMenu.reset();
      return FALSE;
    default:
      return FALSE;
  }
}

// Calls posted for a window that goes are never run; their memory is freed.
void Dialog::Impl::DropPostedCalls() {
  MSG message;
  while (PeekMessageA(&message, window, kPostedCallMessage, kPostedCallMessage, PM_REMOVE))
    delete reinterpret_cast<std::function<void()>*>(message.lParam);
}

// The system's static text draws a path-ellipsis text on one line only; the
// dialog shortens each line itself and lets the control wrap them.
void Dialog::Impl::TranslateTexts() {
  const std::string context = DialogTextContext(templateId);
  auto translate = [&](HWND item) {
    const std::string text = ShownWindowText(item);
    if (text.empty()) return;
    const std::string translated = Translate(context.c_str(), text.c_str());
    if (translated != text) SetWindowTextA(item, translated.c_str());
  };
  translate(window);
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    // A list's or a field's text is the user's, not the template's.
    if (lstrcmpiA(className, "ComboBox") == 0 || lstrcmpiA(className, "Edit") == 0) continue;
    translate(child);
  }
}

void Dialog::Impl::TakeOverPathEllipsis() {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    if (lstrcmpiA(className, "Static") != 0 || (style & SS_PATHELLIPSIS) == 0) continue;
    SetWindowLongPtrA(child, GWL_STYLE, style & ~LONG_PTR(SS_PATHELLIPSIS));
    shortenedTexts[child] = ShownWindowText(child);
  }
}

void Dialog::Impl::RunTimer(UINT_PTR id) {
  KillTimer(window, id);
  const auto found = timers.find(id);
  if (found == timers.end()) return;
  const std::function<void()> call = std::move(found->second);
  timers.erase(found);
  call();
}

// A dialog opened without a parent belongs to the main window, which stays
// disabled while it is open.
HWND Dialog::Impl::OwnerWindow() const {
  if (parent != nullptr) return ToHandle(parent->Window());
  Dialog* mainWindow = Application::MainWindowOfInstance();
  if (mainWindow != nullptr && mainWindow != &owner) return ToHandle(mainWindow->Window());
  return nullptr;
}

Dialog::Dialog(int templateId, Dialog* parent) : impl_(std::make_unique<Impl>(*this, templateId, parent)) {}

Dialog::~Dialog() {
  if (impl_->window != nullptr) DestroyWindow(impl_->window);
}

int Dialog::DoModal() {
  const TemplateInLanguage dialogTemplate(impl_->templateId);
  if (dialogTemplate.Get() == nullptr) return -1;
  impl_->modal = true;
  const INT_PTR result = DialogBoxIndirectParamA(Program(), dialogTemplate.Get(), impl_->OwnerWindow(),
                                                 &Impl::Procedure, reinterpret_cast<LPARAM>(impl_.get()));
  impl_->modal = false;
  return int(result);
}

bool Dialog::Create() {
  if (impl_->window != nullptr) return true;
  const TemplateInLanguage dialogTemplate(impl_->templateId);
  if (dialogTemplate.Get() == nullptr) return false;
  const HWND window = CreateDialogIndirectParamA(Program(), dialogTemplate.Get(), impl_->OwnerWindow(),
                                                 &Impl::Procedure, reinterpret_cast<LPARAM>(impl_.get()));
  if (window == nullptr) return false;
  ShowWindow(window, SW_SHOW);
  return true;
}

void Dialog::EndDialog(int result) {
  if (impl_->window == nullptr) return;
  if (impl_->modal)
    ::EndDialog(impl_->window, result);
  else
    DestroyWindow(impl_->window);
}

NativeWindow* Dialog::Window() const { return ToNative(impl_->window); }

NativeWindow* Dialog::GetDlgItem(int id) const {
  return impl_->window != nullptr ? ToNative(::GetDlgItem(impl_->window, id)) : nullptr;
}

SystemMenu* Dialog::GetSystemMenu() const { return impl_->systemMenu.get(); }

bool Dialog::IsIconic() const { return impl_->window != nullptr && ::IsIconic(impl_->window); }

Size Dialog::ClientSize() const {
  RECT client{};
  if (impl_->window != nullptr) GetClientRect(impl_->window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

void Dialog::SetIcon(const Icon& icon) {
  if (impl_->window == nullptr || icon.IsNull()) return;
  impl_->icon = icon.Native()->handle;
  SendMessageA(impl_->window, WM_SETICON, ICON_BIG, LPARAM(impl_->icon));
  SendMessageA(impl_->window, WM_SETICON, ICON_SMALL, LPARAM(impl_->icon));
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnSysCommand(int) { impl_->passOn = true; }

void Dialog::OnPaint() { impl_->passOn = true; }

}  // namespace kirabo
