#include "framework/SystemMenu.h"

#include <QAction>
#include <QMenu>

#include "framework/Text.h"
#include "framework/Translate.h"

namespace kirabo {

SystemMenu::SystemMenu(QWidget* owner, std::function<void(int)> onCommand)
    : menu_(new QMenu(owner)), onCommand_(std::move(onCommand)) {
  AppendItem(kCloseCommand, Translate("SystemMenu", "閉じる(&C)"));
}

SystemMenu::~SystemMenu() = default;

void SystemMenu::AppendSeparator() { menu_->addSeparator(); }

void SystemMenu::AppendItem(int commandId, const std::string& text) {
  QAction* action = menu_->addAction(ToQString(text));
  action->setData(commandId);
  QObject::connect(action, &QAction::triggered, menu_, [this, commandId] { onCommand_(commandId); });
}

void SystemMenu::Popup(const QPoint& globalPosition) { menu_->popup(globalPosition); }

}  // namespace kirabo
