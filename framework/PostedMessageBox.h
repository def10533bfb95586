#pragma once

#include <condition_variable>
#include <mutex>
#include <string>

#include "framework/MessageBox.h"

namespace kirabo {

class Dialog;

// The message box of a worker thread. The box is shown on the owner's thread,
// over `owner`; the worker waits until it is closed, or until the owner
// dismisses it because it is closing, so neither thread can end up waiting
// for the other.
class PostedMessageBox {
 public:
  explicit PostedMessageBox(Dialog* owner) : owner_(owner) {}

  // Worker thread.
  void Show(const std::string& text, MessageIcon icon);

  // Owner's thread: closes an open box, releases a waiting worker and makes
  // every later request return at once.
  void Dismiss();

 private:
  Dialog* owner_;
  std::mutex mutex_;
  std::condition_variable answered_;
  bool dismissed_ = false;
};

}  // namespace kirabo
