#include "framework/Window.h"

#include "framework/win32/WindowsApi.h"

namespace kirabo {

void PostToWindowThread(NativeWindow* window, std::function<void()> call) {
  // Controls hand posted calls to the dialog they sit in.
  const HWND dialog = GetAncestor(ToHandle(window), GA_ROOT);
  if (dialog == nullptr) return;
  auto* posted = new std::function<void()>(std::move(call));
  if (!PostMessageA(dialog, kPostedCallMessage, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

bool IsWindowThread(const NativeWindow* window) {
  return window != nullptr && GetWindowThreadProcessId(ToHandle(window), nullptr) == GetCurrentThreadId();
}

void DeliverPostedCalls() {
  MSG message;
  while (PeekMessageA(&message, nullptr, kPostedCallMessage, kPostedCallMessage, PM_REMOVE))
    DispatchMessageA(&message);
  // Repainting is no user input, and a window that waits should not look dead.
  while (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace kirabo
