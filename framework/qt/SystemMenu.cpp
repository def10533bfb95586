#include "framework/qt/SystemMenu.h"

#include <QAction>
#include <QMenu>

#include "framework/Translate.h"
#include "framework/qt/Text.h"

namespace kirabo {

QtSystemMenu::QtSystemMenu(QWidget* owner, std::function<void(int)> onCommand)
    : menu_(new QMenu(owner)), onCommand_(std::move(onCommand)) {
  AppendItem(kCloseCommand, Translate("SystemMenu", "閉じる(&C)"));
}

void QtSystemMenu::AppendSeparator() { menu_->addSeparator(); }

void QtSystemMenu::AppendItem(int commandId, const std::string& text) {
  QAction* action = menu_->addAction(ToQString(text));
  action->setData(commandId);
  QObject::connect(action, &QAction::triggered, menu_, [this, commandId] { onCommand_(commandId); });
}

void QtSystemMenu::Popup(const QPoint& globalPosition) { menu_->popup(globalPosition); }

}  // namespace kirabo
