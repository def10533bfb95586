#include "framework/Window.h"

#include <vector>

#include "framework/win32/DialogImpl.h"
#include "framework/win32/WindowsApi.h"

namespace kirabo {

std::string ShownWindowText(HWND window) {
  std::vector<char> text(size_t(GetWindowTextLengthA(window)) + 1);
  const int length = GetWindowTextA(window, text.data(), int(text.size()));
  return std::string(text.data(), size_t(length > 0 ? length : 0));
}

namespace {

// Each line of `text` that is too wide for `window` shortened in the middle,
// keeping as much as fits of the part after the last separator.
std::string ShortenLines(HWND window, const std::string& text) {
  RECT client{};
  GetClientRect(window, &client);
  const HDC dc = GetDC(window);
  const HGDIOBJ oldFont = SelectObject(dc, HGDIOBJ(SendMessageA(window, WM_GETFONT, 0, 0)));
  std::string shortened;
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    // Room for the ellipsis that the system writes into the copy.
    std::vector<char> buffer(line.begin(), line.end());
    buffer.resize(line.size() + 5, '\0');
    RECT bounds{0, 0, client.right, client.bottom};
    DrawTextA(dc, buffer.data(), int(line.size()), &bounds,
              DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
    shortened += buffer.data();
    if (end == std::string::npos) break;
    shortened += '\n';
    start = end + 1;
  }
  SelectObject(dc, oldFont);
  ReleaseDC(window, dc);
  return shortened;
}

}  // namespace

void PostToWindowThread(NativeWindow* window, std::function<void()> call) {
  // Controls hand posted calls to the dialog they sit in.
  const HWND dialog = GetAncestor(ToHandle(window), GA_ROOT);
  if (dialog == nullptr) return;
  auto* posted = new std::function<void()>(std::move(call));
  if (!PostMessageA(dialog, kPostedCallMessage, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

void PostToWindowThreadAfter(NativeWindow* window, std::chrono::milliseconds delay, std::function<void()> call) {
  Dialog::Impl* dialog = Dialog::Impl::Of(ToHandle(window));
  if (dialog == nullptr || dialog->window == nullptr) return;
  const UINT_PTR id = ++dialog->lastTimer;
  if (SetTimer(dialog->window, id, UINT(delay.count()), nullptr) != 0) dialog->timers[id] = std::move(call);
}

bool IsWindowThread(const NativeWindow* window) {
  return window != nullptr && GetWindowThreadProcessId(ToHandle(window), nullptr) == GetCurrentThreadId();
}

std::string WindowTextOf(const NativeWindow* window) {
  const HWND handle = ToHandle(window);
  if (handle == nullptr) return std::string();
  if (Dialog::Impl* dialog = Dialog::Impl::Of(handle)) {
    const auto whole = dialog->shortenedTexts.find(handle);
    if (whole != dialog->shortenedTexts.end()) return whole->second;
  }
  return ShownWindowText(handle);
}

void ShowWindowText(NativeWindow* window, const std::string& text) {
  const HWND handle = ToHandle(window);
  if (handle == nullptr) return;
  if (Dialog::Impl* dialog = Dialog::Impl::Of(handle)) {
    const auto whole = dialog->shortenedTexts.find(handle);
    if (whole != dialog->shortenedTexts.end()) {
      whole->second = text;
      SetWindowTextA(handle, ShortenLines(handle, text).c_str());
      return;
    }
  }
  SetWindowTextA(handle, text.c_str());
}

void DeliverPostedCalls() {
  MSG message;
  while (PeekMessageA(&message, nullptr, kPostedCallMessage, kPostedCallMessage, PM_REMOVE))
    DispatchMessageA(&message);
  // Timers of merged texts, and repainting: no user input, and a window
  // that waits should not look dead.
  while (PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageA(&message);
  while (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace kirabo
