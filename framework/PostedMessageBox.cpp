#include "framework/PostedMessageBox.h"

#include <memory>

#include "framework/Dialog.h"
#include "framework/MessageBox.h"

namespace kirabo {

void PostedMessageBox::Show(const std::string& text, MessageIcon icon) {
  {
    std::lock_guard lock(mutex_);
    if (dismissed_) return;
  }
  // Shared with the posted call, which may run after this worker has gone.
  auto closed = std::make_shared<bool>(false);
  PostToWindowThread(owner_->Window(), [this, closed, text, icon] {
    {
      std::lock_guard lock(mutex_);
      if (dismissed_) return;
    }
    ShowMessageBox(owner_, text, icon);
    std::lock_guard lock(mutex_);
    *closed = true;
    answered_.notify_all();
  });

  std::unique_lock lock(mutex_);
  answered_.wait(lock, [&] { return *closed || dismissed_; });
}

void PostedMessageBox::Dismiss() {
  {
    std::lock_guard lock(mutex_);
    dismissed_ = true;
    answered_.notify_all();
  }
  DismissMessageBoxes(owner_);
}

}  // namespace kirabo
