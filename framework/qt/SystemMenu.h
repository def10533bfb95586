#pragma once

#include <functional>

#include "framework/SystemMenu.h"

class QMenu;
class QPoint;
class QWidget;

namespace kirabo {

// Linux window managers keep their own window menu, so the dialog brings
// its own: Close, then whatever the program appends.
class QtSystemMenu : public SystemMenu {
 public:
  QtSystemMenu(QWidget* owner, std::function<void(int)> onCommand);

  void AppendSeparator() override;
  void AppendItem(int commandId, const std::string& text) override;

  void Popup(const QPoint& globalPosition);
  QMenu* Menu() const { return menu_; }

 private:
  QMenu* menu_;  // owned by the owner window
  std::function<void(int)> onCommand_;
};

}  // namespace kirabo
