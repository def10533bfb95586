#include "framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "framework/Application.h"
#include "framework/Text.h"

namespace kirabo {

namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

void ShowMessageBox(QWidget* parent, const std::string& text, MessageIcon icon) {
  const MessageBoxCall call{ApplicationTitle(), text, icon};
  if (Hook()) {
    Hook()(call);
    return;
  }
  QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Warning,
                  ToQString(call.caption), ToQString(call.text), QMessageBox::Ok,
                  parent != nullptr ? parent : QApplication::activeWindow());
  box.exec();
}

void DismissMessageBoxes(QWidget* parent) {
  if (parent == nullptr) return;
  for (QMessageBox* box : parent->findChildren<QMessageBox*>()) box->done(QMessageBox::Ok);
}

}  // namespace kirabo
