#pragma once

#include <memory>

#include "framework/Dialog.h"
#include "framework/win32/SystemMenu.h"
#include "framework/win32/WindowsApi.h"

namespace kirabo {

struct Dialog::Impl {
  Impl(Dialog& owner, int templateId, Dialog* parent) : owner(owner), templateId(templateId), parent(parent) {}

  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  HWND OwnerWindow() const;
  void AddInitialListEntries();
  void DropPostedCalls();

  Dialog& owner;
  int templateId;
  Dialog* parent;
  HWND window = nullptr;
  bool modal = false;
  HICON icon = nullptr;
  std::unique_ptr<Win32SystemMenu> systemMenu;
  // Set by the default hooks: the platform's own handling is wanted.
  bool passOn = false;
};

}  // namespace kirabo
