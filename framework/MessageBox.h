#pragma once

#include <functional>
#include <string>


namespace kirabo {

class Dialog;

// A box with the question icon has Yes and No buttons; the others have OK.
enum class MessageIcon { Information, Exclamation, Question };

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

// The same with the question icon and Yes and No; true when Yes was chosen.
bool AskYesNo(Dialog* parent, const std::string& text);

// Closes any message box that is open over `parent`, as if OK was pressed.
void DismissMessageBoxes(Dialog* parent);

// While a hook is set, message boxes go to it instead of the screen and
// return when it returns, so tests can watch them without blocking. Its
// result answers a question (true: Yes) and is ignored for other boxes.
using MessageBoxHook = std::function<bool(const MessageBoxCall&)>;
void SetMessageBoxHook(MessageBoxHook hook);

namespace detail {
// The front end's own box, shown when no hook is set; true for Yes.
bool ShowNativeMessageBox(Dialog* parent, const MessageBoxCall& call);
}  // namespace detail

}  // namespace kirabo
