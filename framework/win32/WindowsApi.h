#pragma once

// windows.h for the Win32 side of framework/, and only for it.
#include <string>

#include "platform/win32/WindowsApi.h"

#include "framework/Icon.h"
#include "framework/Window.h"

// windows.h turns these names into macros for their A or W functions, or into
// numbers, which would silently rename or break our own names.
#undef GetProfileString
#undef GetProfileInt
#undef WriteProfileString
#undef IDOK
#undef IDCANCEL

namespace kirabo {

struct NativeIcon {
  HICON handle;
};

inline HWND ToHandle(const NativeWindow* window) { return reinterpret_cast<HWND>(const_cast<NativeWindow*>(window)); }
inline NativeWindow* ToNative(HWND window) { return reinterpret_cast<NativeWindow*>(window); }

// The text the system holds for `window`: as shown, which for a shortened
// path is the shortened one (WindowTextOf gives the whole).
std::string ShownWindowText(HWND window);

// Carries a posted call to the dialog that owns the window it was posted to:
// lParam is a heap-allocated std::function<void()> that the receiver runs and
// deletes.
constexpr UINT kPostedCallMessage = WM_APP + 1;

// Marks the windows of our own dialogs, so they are told from message boxes.
constexpr char kDialogProperty[] = "KiraboDialog";

}  // namespace kirabo
