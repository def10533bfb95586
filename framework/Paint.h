#pragma once

#include <memory>

#include "framework/Icon.h"

namespace kirabo {

class Dialog;

struct Size {
  int width = 0;
  int height = 0;
};

// The size the system draws icons at in a minimised window.
Size SystemIconSize();

// Painting of a dialog's client area, from OnPaint; painting ends when the
// object goes.
class PaintContext {
 public:
  explicit PaintContext(Dialog& dialog);
  ~PaintContext();
  PaintContext(const PaintContext&) = delete;
  PaintContext& operator=(const PaintContext&) = delete;

  // Fills the background a minimised window's icon is drawn on.
  void EraseIconBackground();
  // Draws `icon` at its system size with its top-left corner at x, y.
  void DrawIcon(int x, int y, const Icon& icon);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kirabo
