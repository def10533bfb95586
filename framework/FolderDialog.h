#pragma once

#include <functional>
#include <optional>
#include <string>

namespace kirabo {

// Shows a directory chooser, directories only, with `selection` selected
// (nothing when it is empty), and waits until it is closed. The chooser is
// modal to the main window (or the active window), which stays disabled
// meanwhile; its own texts follow the standard-dialog translation. Returns
// the chosen folder's path, or nothing when the user cancelled.
std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& selection);

// While a hook is set, BrowseForFolder asks it instead of the user.
using FolderDialogHook = std::function<std::optional<std::string>(const std::string& title, const std::string& selection)>;
void SetFolderDialogHook(FolderDialogHook hook);

namespace detail {
// The front end's own chooser, shown when no hook is set.
std::optional<std::string> ShowNativeFolderDialog(const std::string& title, const std::string& selection);
}  // namespace detail

}  // namespace kirabo
