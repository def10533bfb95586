#include "framework/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "framework/qt/QtWindow.h"
#include "framework/Translate.h"
#include "framework/qt/Text.h"

namespace kirabo {

namespace detail {

bool ShowNativeMessageBox(Dialog* parent, const MessageBoxCall& call) {
  QWidget* owner = parent != nullptr ? DialogWidget(*parent) : nullptr;
  const bool question = call.icon == MessageIcon::Question;
  const QMessageBox::Icon icon = question                                 ? QMessageBox::Question
                                 : call.icon == MessageIcon::Information ? QMessageBox::Information
                                                                         : QMessageBox::Warning;
  QMessageBox box(icon, ToQString(call.caption), ToQString(call.text),
                  question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  owner != nullptr ? owner : QApplication::activeWindow());
  if (question) {
    // Windows names them in the system's language; here they are ours.
    box.button(QMessageBox::Yes)->setText(ToQString(Translate("MessageBox", "はい(&Y)")));
    box.button(QMessageBox::No)->setText(ToQString(Translate("MessageBox", "いいえ(&N)")));
  }
  return box.exec() == QMessageBox::Yes;
}

}  // namespace detail

void DismissMessageBoxes(Dialog* parent) {
  QWidget* owner = parent != nullptr ? DialogWidget(*parent) : nullptr;
  if (owner == nullptr) return;
  for (QMessageBox* box : owner->findChildren<QMessageBox*>()) box->done(QMessageBox::Ok);
}

}  // namespace kirabo
