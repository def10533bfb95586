#include "framework/Controls.h"


#include "framework/win32/WindowsApi.h"

namespace kirabo {

namespace {

LRESULT Send(NativeWindow* window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return window != nullptr ? SendMessageA(ToHandle(window), message, wParam, lParam) : CB_ERR;
}

}  // namespace

void Control::Enable(bool enabled) {
  if (window_ != nullptr) EnableWindow(ToHandle(window_), enabled ? TRUE : FALSE);
}

bool Control::IsEnabled() const { return window_ != nullptr && IsWindowEnabled(ToHandle(window_)); }

std::string EditField::GetText() const { return WindowTextOf(window_); }

void EditField::SetText(const std::string& text) {
  if (window_ != nullptr) SetWindowTextA(ToHandle(window_), text.c_str());
}

int ComboBox::AddString(const std::string& text) {
  const LRESULT index = Send(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return index >= 0 ? int(index) : -1;
}

int ComboBox::GetCount() const {
  const LRESULT count = Send(window_, CB_GETCOUNT);
  return count >= 0 ? int(count) : 0;
}

int ComboBox::GetCurSel() const {
  const LRESULT selected = Send(window_, CB_GETCURSEL);
  return selected >= 0 ? int(selected) : -1;
}

void ComboBox::SetCurSel(int index) {
  if (index < 0 || index >= GetCount()) index = -1;
  Send(window_, CB_SETCURSEL, WPARAM(index));
}

}  // namespace kirabo
