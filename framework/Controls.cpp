#include "framework/Controls.h"

#include <mutex>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QThread>

#include "framework/ElidedLabel.h"
#include "framework/Text.h"

namespace kirabo {

// Set on list windows whose entries stay sorted.
static const char kSortedProperty[] = "kiraboSorted";

// The latest text from another thread, and whether a change carrying it is
// already on its way to the GUI thread.
struct TextControl::Pending {
  std::mutex mutex;
  QString text;
  bool posted = false;
};

TextControl::TextControl(Applier apply, Reader read)
    : apply_(apply), read_(read), pending_(std::make_shared<Pending>()) {}

void TextControl::SetText(const std::string& text) {
  QWidget* window = window_;
  if (window == nullptr) return;
  const QString converted = ToQString(text);
  if (QThread::currentThread() == window->thread()) {
    // A change still on its way comes after this one, as it did when each
    // text was posted on its own: the worker's texts are the later ones.
    apply_(window, converted);
    return;
  }
  {
    std::lock_guard lock(pending_->mutex);
    pending_->text = converted;
    if (pending_->posted) return;
    pending_->posted = true;
  }
  QMetaObject::invokeMethod(
      window,
      [window, apply = apply_, pending = pending_] {
        QString latest;
        {
          std::lock_guard lock(pending->mutex);
          latest = pending->text;
          pending->posted = false;
        }
        apply(window, latest);
      },
      Qt::QueuedConnection);
}

std::string TextControl::GetText() const { return window_ != nullptr ? FromQString(read_(window_)) : std::string(); }

PushButton::PushButton()
    : TextControl([](QWidget* w, const QString& t) { static_cast<QPushButton*>(w)->setText(t); },
                  [](const QWidget* w) { return static_cast<const QPushButton*>(w)->text(); }) {}

StaticText::StaticText()
    : TextControl(
          [](QWidget* w, const QString& t) {
            if (auto* elided = dynamic_cast<ElidedLabel*>(w))
              elided->SetFullText(t);
            else
              static_cast<QLabel*>(w)->setText(t);
          },
          [](const QWidget* w) {
            if (auto* elided = dynamic_cast<const ElidedLabel*>(w)) return elided->FullText();
            return static_cast<const QLabel*>(w)->text();
          }) {}

std::string EditField::GetText() const {
  auto* edit = qobject_cast<QLineEdit*>(window_);
  return edit != nullptr ? FromQString(edit->text()) : std::string();
}

void EditField::SetText(const std::string& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(window_)) edit->setText(ToQString(text));
}

int ComboBox::AddString(const std::string& text) {
  auto* combo = qobject_cast<QComboBox*>(window_);
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
  auto* combo = qobject_cast<QComboBox*>(window_);
  return combo != nullptr ? combo->count() : 0;
}

std::string ComboBox::GetItemText(int index) const {
  auto* combo = qobject_cast<QComboBox*>(window_);
  return combo != nullptr ? FromQString(combo->itemText(index)) : std::string();
}

int ComboBox::GetCurSel() const {
  auto* combo = qobject_cast<QComboBox*>(window_);
  return combo != nullptr ? combo->currentIndex() : -1;
}

void ComboBox::SetCurSel(int index) {
  auto* combo = qobject_cast<QComboBox*>(window_);
  if (combo == nullptr) return;
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void ComboBox::SetSorted(bool sorted) {
  if (window_ != nullptr) window_->setProperty(kSortedProperty, sorted);
}

}  // namespace kirabo
