#include "framework/Paint.h"

#include "framework/Dialog.h"
#include "framework/win32/WindowsApi.h"

namespace kirabo {

Size SystemIconSize() { return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)}; }

struct PaintContext::Impl {
  explicit Impl(HWND window) : window(window), dc(BeginPaint(window, &paint)) {}
  ~Impl() { EndPaint(window, &paint); }
  HWND window;
  PAINTSTRUCT paint{};
  HDC dc;
};

PaintContext::PaintContext(Dialog& dialog) : impl_(std::make_unique<Impl>(ToHandle(dialog.Window()))) {}

PaintContext::~PaintContext() = default;

void PaintContext::EraseIconBackground() {
  SendMessageA(impl_->window, WM_ICONERASEBKGND, WPARAM(impl_->dc), 0);
}

void PaintContext::DrawIcon(int x, int y, const Icon& icon) {
  if (!icon.IsNull()) ::DrawIcon(impl_->dc, x, y, icon.Native()->handle);
}

}  // namespace kirabo
