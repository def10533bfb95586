#pragma once

#include <functional>
#include <string>

class QMenu;
class QPoint;
class QWidget;

namespace kirabo {

// Command id of the Close item.
constexpr int kCloseCommand = 0xF060;

// The window menu of a dialog. Linux window managers keep their own, so the
// dialog brings its own: Close, then whatever the program appends. Choosing
// an item hands its command id to the owner.
class SystemMenu {
 public:
  SystemMenu(QWidget* owner, std::function<void(int)> onCommand);
  ~SystemMenu();
  SystemMenu(const SystemMenu&) = delete;
  SystemMenu& operator=(const SystemMenu&) = delete;

  void AppendSeparator();
  void AppendItem(int commandId, const std::string& text);

  void Popup(const QPoint& globalPosition);
  QMenu* Menu() const { return menu_; }

 private:
  QMenu* menu_;  // owned by the owner window
  std::function<void(int)> onCommand_;
};

}  // namespace kirabo
