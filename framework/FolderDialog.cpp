#include "framework/FolderDialog.h"

namespace kirabo {

namespace {
FolderDialogHook& Hook() {
  static FolderDialogHook hook;
  return hook;
}
}  // namespace

void SetFolderDialogHook(FolderDialogHook hook) { Hook() = std::move(hook); }

std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& selection) {
  if (Hook()) return Hook()(title, selection);
  return detail::ShowNativeFolderDialog(title, selection);
}

}  // namespace kirabo
