#include "framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "framework/qt/QtWindow.h"
#include "framework/qt/Text.h"

namespace kirabo {

namespace detail {

void ShowNativeMessageBox(Dialog* parent, const MessageBoxCall& call) {
  QWidget* owner = parent != nullptr ? DialogWidget(*parent) : nullptr;
  QMessageBox box(call.icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Warning,
                  ToQString(call.caption), ToQString(call.text), QMessageBox::Ok,
                  owner != nullptr ? owner : QApplication::activeWindow());
  box.exec();
}

}  // namespace detail

void DismissMessageBoxes(Dialog* parent) {
  QWidget* owner = parent != nullptr ? DialogWidget(*parent) : nullptr;
  if (owner == nullptr) return;
  for (QMessageBox* box : owner->findChildren<QMessageBox*>()) box->done(QMessageBox::Ok);
}

}  // namespace kirabo
