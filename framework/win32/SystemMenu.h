#pragma once

#include "framework/SystemMenu.h"
#include "framework/win32/WindowsApi.h"

namespace kirabo {

// The window's own system menu; its items send WM_SYSCOMMAND to the dialog.
class Win32SystemMenu : public SystemMenu {
 public:
  explicit Win32SystemMenu(HMENU menu) : menu_(menu) {}

  void AppendSeparator() override { AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr); }
  void AppendItem(int commandId, const std::string& text) override {
    AppendMenuA(menu_, MF_STRING, UINT_PTR(commandId), text.c_str());
  }

 private:
  HMENU menu_;
};

}  // namespace kirabo
