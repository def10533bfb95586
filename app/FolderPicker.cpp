#include "app/FolderPicker.h"

#include "framework/FolderDialog.h"
#include "framework/Translate.h"
#include "platform/Path.h"

namespace kirabo {

namespace {
constexpr char kTitle[] = "フォルダの選択";
}  // namespace

// The tests look at the last character, not the last byte: in a double-byte
// code page a character's second byte can equal a separator byte.
void TrimFinalSeparator(std::string& path, CodePage codePage) {
  if (!path.empty() && LastCharIs(path, kPathSeparator, codePage)) path.pop_back();
}

void EnsureFinalSeparator(std::string& path, CodePage codePage) {
  if (!path.empty() && !LastCharIs(path, kPathSeparator, codePage)) path += kPathSeparator;
}

bool CFolderPicker::PickFolder(std::string* result, std::string initialFolder) {
  if (result == nullptr) return false;
  result->clear();
  const CodePage codePage = ActiveCodePage();
  // Only one separator goes, so a root loses its own and a text ending in
  // two keeps one.
  TrimFinalSeparator(initialFolder, codePage);

  std::optional<std::string> chosen = BrowseForFolder(Translate("FolderPicker", kTitle), initialFolder);
  if (!chosen) return false;
  *result = *chosen;
  EnsureFinalSeparator(*result, codePage);
  return true;
}

}  // namespace kirabo
