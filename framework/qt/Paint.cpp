#include "framework/Paint.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "framework/qt/QtWindow.h"

namespace kirabo {

Size SystemIconSize() {
  const int side = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
  return {side, side};
}

struct PaintContext::Impl {
  explicit Impl(QWidget* window) : painter(window) {}
  QPainter painter;
};

PaintContext::PaintContext(Dialog& dialog) : impl_(std::make_unique<Impl>(DialogWidget(dialog))) {}

PaintContext::~PaintContext() = default;

// Qt clears a window's background before it is painted.
void PaintContext::EraseIconBackground() {}

void PaintContext::DrawIcon(int x, int y, const Icon& icon) {
  if (icon.IsNull()) return;
  const Size size = SystemIconSize();
  icon.Native()->icon.paint(&impl_->painter, x, y, size.width, size.height);
}

}  // namespace kirabo
