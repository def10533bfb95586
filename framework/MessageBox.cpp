#include "framework/MessageBox.h"

#include "framework/Application.h"

namespace kirabo {

namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

namespace {
bool Show(Dialog* parent, const MessageBoxCall& call) {
  return Hook() ? Hook()(call) : detail::ShowNativeMessageBox(parent, call);
}
}  // namespace

void ShowMessageBox(Dialog* parent, const std::string& text, MessageIcon icon) {
  Show(parent, {ApplicationTitle(), text, icon});
}

bool AskYesNo(Dialog* parent, const std::string& text) {
  return Show(parent, {ApplicationTitle(), text, MessageIcon::Question});
}

}  // namespace kirabo
