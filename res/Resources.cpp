#include "framework/Resources.h"

#include <QPixmap>

#include "framework/qt/QtWindow.h"
#include "res/AppIcon16.xpm"
#include "res/AppIcon32.xpm"
#include "res/ResourceIds.h"
#include "res/ResourceScript.h"
#include "res/ResourceScriptText.h"

namespace kirabo {

namespace {
const ResourceScript& Script() {
  static const ResourceScript script = ParseResourceScript(kResourceScriptText, ReadDefines(kResourceIdsText));
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
  if (id != kAppIcon) return Icon();
  QIcon icon;
  icon.addPixmap(QPixmap(kAppIcon32));
  icon.addPixmap(QPixmap(kAppIcon16));
  return MakeIcon(icon);
}

}  // namespace kirabo
