#include <chrono>
#include <mutex>

#include "framework/Controls.h"

namespace kirabo {

namespace {
// Often enough to read as live progress, rarely enough that a job renaming
// thousands of files does not spend its time redrawing the label.
constexpr auto kShowInterval = std::chrono::milliseconds(40);
}  // namespace

// The latest text from another thread, and whether it still waits to be
// shown.
struct PendingText {
  std::mutex mutex;
  std::string text;
  bool waiting = false;
  std::chrono::steady_clock::time_point lastShown;

  // Window thread: shows the waiting text, unless the last one went up less
  // than the interval ago; then it comes back when the interval is over.
  static void Deliver(NativeWindow* window, const std::shared_ptr<PendingText>& pending, bool promptly) {
    std::string latest;
    {
      std::lock_guard lock(pending->mutex);
      if (!pending->waiting) return;
      const auto now = std::chrono::steady_clock::now();
      const auto due = pending->lastShown + kShowInterval;
      if (!promptly && now < due) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - now);
        PostToWindowThreadAfter(window, wait, [window, pending] { Deliver(window, pending, false); });
        return;
      }
      latest.swap(pending->text);
      pending->waiting = false;
      pending->lastShown = now;
    }
    ShowWindowText(window, latest);
  }
};

TextControl::TextControl() : pending_(std::make_shared<PendingText>()) {}

void TextControl::SetText(const std::string& text) {
  if (window_ == nullptr) return;
  if (IsWindowThread(window_)) {
    // A text still waiting from another thread goes up after this one, as
    // if each had been posted on its own: the worker's texts are the later.
    ShowWindowText(window_, text);
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
  if (window_ == nullptr) return;
  if (IsWindowThread(window_))
    PendingText::Deliver(window_, pending_, true);
  else
    Post(true);
}

void TextControl::Post(bool promptly) {
  PostToWindowThread(window_, [window = window_, pending = pending_, promptly] {
    PendingText::Deliver(window, pending, promptly);
  });
}

std::string TextControl::GetText() const { return window_ != nullptr ? WindowTextOf(window_) : std::string(); }

}  // namespace kirabo
