#include "framework/Controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "framework/qt/QtWindow.h"
#include "framework/qt/Text.h"

namespace kirabo {

namespace {

void ApplyText(QWidget* window, const QString& text) {
  if (auto* button = qobject_cast<QAbstractButton*>(window))
    button->setText(text);
  else if (auto* label = qobject_cast<QLabel*>(window))
    label->setText(text);
}

QComboBox* List(NativeWindow* window) { return qobject_cast<QComboBox*>(ToWidget(window)); }

}  // namespace

void TextControl::SetText(const std::string& text) {
  QWidget* window = ToWidget(window_);
  if (window == nullptr) return;
  const QString converted = ToQString(text);
  if (IsWindowThread(window_)) {
    ApplyText(window, converted);
    return;
  }
  PostToWindowThread(window_, [window, converted] { ApplyText(window, converted); });
}

std::string TextControl::GetText() const {
  const QWidget* window = ToWidget(window_);
  if (auto* button = qobject_cast<const QAbstractButton*>(window)) return FromQString(button->text());
  if (auto* label = qobject_cast<const QLabel*>(window)) return FromQString(label->text());
  return std::string();
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
  const QString entry = ToQString(text);
  int index = combo->count();
  if (combo->property(kSortedProperty).toBool()) {
    index = 0;
    while (index < combo->count() && QString::compare(combo->itemText(index), entry, Qt::CaseInsensitive) <= 0) ++index;
  }
  const int selected = combo->currentIndex();
  combo->insertItem(index, entry);
  // Inserting into an empty list would select the new entry; a list starts
  // with nothing selected.
  combo->setCurrentIndex(selected >= index ? selected + 1 : selected);
  return index;
}

int ComboBox::GetCount() const {
  QComboBox* combo = List(window_);
  return combo != nullptr ? combo->count() : 0;
}

std::string ComboBox::GetItemText(int index) const {
  QComboBox* combo = List(window_);
  return combo != nullptr ? FromQString(combo->itemText(index)) : std::string();
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
