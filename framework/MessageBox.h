#pragma once

#include <functional>
#include <string>


namespace kirabo {

class Dialog;

enum class MessageIcon { Information, Exclamation };

// What one message box showed.
struct MessageBoxCall {
  std::string caption;
  std::string text;
  MessageIcon icon = MessageIcon::Information;
};

// A modal box over `parent` (or the active window), captioned with the
// application title, with one OK button; returns once it is closed.
// GUI thread only.
void ShowMessageBox(Dialog* parent, const std::string& text, MessageIcon icon);

// Closes any message box that is open over `parent`, as if OK was pressed.
void DismissMessageBoxes(Dialog* parent);

// While a hook is set, message boxes go to it instead of the screen and
// return when it returns, so tests can watch them without blocking.
using MessageBoxHook = std::function<void(const MessageBoxCall&)>;
void SetMessageBoxHook(MessageBoxHook hook);

namespace detail {
// The front end's own box, shown when no hook is set.
void ShowNativeMessageBox(Dialog* parent, const MessageBoxCall& call);
}  // namespace detail

}  // namespace kirabo
