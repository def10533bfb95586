#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/Dialog.h"
#include "framework/win32/SystemMenu.h"
#include "framework/win32/WindowsApi.h"

namespace kirabo {

struct Dialog::Impl {
  Impl(Dialog& owner, int templateId, Dialog* parent) : owner(owner), templateId(templateId), parent(parent) {}

  // The dialog that `window` is, or sits in; null when it is none of ours.
  static Impl* Of(HWND window);
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  HWND OwnerWindow() const;
  void DropPostedCalls();
  void TakeOverPathEllipsis();
  // The template's texts, Japanese, in the application's language: one
  // template serves every language.
  void TranslateTexts();
  void RunTimer(UINT_PTR id);

  Dialog& owner;
  int templateId;
  Dialog* parent;
  HWND window = nullptr;
  bool modal = false;
  HICON icon = nullptr;
  std::unique_ptr<Win32SystemMenu> systemMenu;
  // Set by the default hooks: the platform's own handling is wanted.
  bool passOn = false;
  // Calls waiting for their timer, by timer id.
  std::map<UINT_PTR, std::function<void()>> timers;
  UINT_PTR lastTimer = 0;
  // Static texts that show long lines shortened in the middle, with the
  // whole text each was given.
  std::map<HWND, std::string> shortenedTexts;
};

}  // namespace kirabo
