#include "framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "framework/Application.h"
#include "framework/qt/QtWindow.h"
#include "framework/qt/Text.h"

namespace kirabo {

namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

void ShowMessageBox(Dialog* parent, const std::string& text, MessageIcon icon) {
  const MessageBoxCall call{ApplicationTitle(), text, icon};
  if (Hook()) {
    Hook()(call);
    return;
  }
  QWidget* owner = parent != nullptr ? DialogWidget(*parent) : nullptr;
  QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Warning,
                  ToQString(call.caption), ToQString(call.text), QMessageBox::Ok,
                  owner != nullptr ? owner : QApplication::activeWindow());
  box.exec();
}

void DismissMessageBoxes(Dialog* parent) {
  QWidget* owner = parent != nullptr ? DialogWidget(*parent) : nullptr;
  if (owner == nullptr) return;
  for (QMessageBox* box : owner->findChildren<QMessageBox*>()) box->done(QMessageBox::Ok);
}

}  // namespace kirabo
