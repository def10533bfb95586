#include "framework/Controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "framework/qt/ElidedLabel.h"
#include "framework/qt/QtWindow.h"
#include "framework/qt/Text.h"

namespace kirabo {

namespace {

QComboBox* List(NativeWindow* window) { return qobject_cast<QComboBox*>(ToWidget(window)); }

}  // namespace

void ShowWindowText(NativeWindow* window, const std::string& text) {
  QWidget* widget = ToWidget(window);
  const QString converted = ToQString(text);
  if (auto* elided = dynamic_cast<ElidedLabel*>(widget))
    elided->SetFullText(converted);
  else if (auto* label = qobject_cast<QLabel*>(widget))
    label->setText(converted);
  else if (auto* button = qobject_cast<QAbstractButton*>(widget))
    button->setText(converted);
}

std::string WindowTextOf(const NativeWindow* window) {
  const QWidget* widget = ToWidget(window);
  if (auto* elided = dynamic_cast<const ElidedLabel*>(widget)) return FromQString(elided->FullText());
  if (auto* label = qobject_cast<const QLabel*>(widget)) return FromQString(label->text());
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return FromQString(button->text());
  return std::string();
}

void Control::Enable(bool enabled) {
  if (QWidget* widget = ToWidget(window_)) widget->setEnabled(enabled);
}

bool Control::IsEnabled() const {
  const QWidget* widget = ToWidget(window_);
  return widget != nullptr && widget->isEnabled();
}

std::string EditField::GetText() const {
  auto* edit = qobject_cast<QLineEdit*>(ToWidget(window_));
  return edit != nullptr ? FromQString(edit->text()) : std::string();
}

void EditField::SetText(const std::string& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(ToWidget(window_))) edit->setText(ToQString(text));
}

int ComboBox::AddString(const std::string& text) {
  QComboBox* combo = List(window_);
  if (combo == nullptr) return -1;
  const int selected = combo->currentIndex();
  combo->addItem(ToQString(text));
  // Adding to an empty list would select the new entry; a list starts with
  // nothing selected.
  combo->setCurrentIndex(selected);
  return combo->count() - 1;
}

int ComboBox::GetCount() const {
  QComboBox* combo = List(window_);
  return combo != nullptr ? combo->count() : 0;
}

int ComboBox::GetCurSel() const {
  QComboBox* combo = List(window_);
  return combo != nullptr ? combo->currentIndex() : -1;
}

void ComboBox::SetCurSel(int index) {
  QComboBox* combo = List(window_);
  if (combo == nullptr) return;
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace kirabo
