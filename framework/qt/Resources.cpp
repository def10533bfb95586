#include "framework/Resources.h"

#include <QPixmap>

#include "framework/ProgramResources.h"
#include "framework/qt/QtWindow.h"
#include "framework/qt/ResourceScript.h"

namespace kirabo {

namespace {
// Read on first use, from what the program handed over before Run.
const ResourceScript& Script() {
  static const ResourceScript script = ParseResourceScript(GetProgramResources().script,
                                                           ReadDefines(GetProgramResources().idDefinitions));
  return script;
}
}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
  const auto found = Script().dialogs.find(id);
  return found != Script().dialogs.end() ? &found->second : nullptr;
}

std::string LoadResourceString(int id) {
  const auto found = Script().strings.find(id);
  return found != Script().strings.end() ? found->second : std::string();
}

Icon LoadResourceIcon(int id) {
  const ProgramResources& resources = GetProgramResources();
  if (id != resources.iconId || resources.iconImages.empty()) return Icon();
  QIcon icon;
  for (const char* const* image : resources.iconImages) icon.addPixmap(QPixmap(image));
  return MakeIcon(icon);
}

}  // namespace kirabo
