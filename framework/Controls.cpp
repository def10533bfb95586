#include "framework/Controls.h"

#include <chrono>
#include <mutex>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "framework/ElidedLabel.h"
#include "framework/Text.h"

namespace kirabo {

// Set on list windows whose entries stay sorted.
static const char kSortedProperty[] = "kiraboSorted";

namespace {
// Often enough to read as live progress, rarely enough that a job renaming
// thousands of files does not spend its time redrawing the label.
constexpr auto kShowInterval = std::chrono::milliseconds(40);
}  // namespace

// The latest text from another thread, and whether it still waits to be
// shown.
struct PendingText {
  std::mutex mutex;
  std::string text;  // converted on the GUI thread, and only when shown
  bool waiting = false;
  std::chrono::steady_clock::time_point lastShown;

  // GUI thread: shows the waiting text, unless the last one went up less
  // than the interval ago; then it comes back when the interval is over.
  static void Deliver(QWidget* window, void (*apply)(QWidget*, const QString&),
                      const std::shared_ptr<PendingText>& pending, bool promptly) {
    std::string latest;
    {
      std::lock_guard lock(pending->mutex);
      if (!pending->waiting) return;
      const auto now = std::chrono::steady_clock::now();
      const auto due = pending->lastShown + kShowInterval;
      if (!promptly && now < due) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - now);
        QTimer::singleShot(wait, window, [window, apply, pending] { Deliver(window, apply, pending, false); });
        return;
      }
      latest.swap(pending->text);
      pending->waiting = false;
      pending->lastShown = now;
    }
    apply(window, ToQString(latest));
  }
};

TextControl::TextControl(Applier apply, Reader read)
    : apply_(apply), read_(read), pending_(std::make_shared<PendingText>()) {}

void TextControl::SetText(const std::string& text) {
  QWidget* window = window_;
  if (window == nullptr) return;
  if (QThread::currentThread() == window->thread()) {
    // A text still waiting from another thread goes up after this one, as
    // if each had been posted on its own: the worker's texts are the later.
    apply_(window, ToQString(text));
    return;
  }
  {
    std::lock_guard lock(pending_->mutex);
    pending_->text = text;
    if (pending_->waiting) return;
    pending_->waiting = true;
  }
  Post(false);
}

void TextControl::Flush() {
  QWidget* window = window_;
  if (window == nullptr) return;
  if (QThread::currentThread() == window->thread())
    PendingText::Deliver(window, apply_, pending_, true);
  else
    Post(true);
}

void TextControl::Post(bool promptly) {
  QWidget* window = window_;
  QMetaObject::invokeMethod(
      window, [window, apply = apply_, pending = pending_, promptly] { PendingText::Deliver(window, apply, pending, promptly); },
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
