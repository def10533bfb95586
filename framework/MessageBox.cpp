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

void ShowMessageBox(Dialog* parent, const std::string& text, MessageIcon icon) {
  const MessageBoxCall call{ApplicationTitle(), text, icon};
  if (Hook())
    Hook()(call);
  else
    detail::ShowNativeMessageBox(parent, call);
}

}  // namespace kirabo
