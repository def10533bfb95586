#include "cli/PathsAsTyped.h"

#include "platform/Folder.h"
#include "platform/Path.h"

namespace kirabo::cli {

PathsAsTyped::PathsAsTyped(const std::string& typed, CodePage codePage) {
  std::string root;
  if (!MakeLexicalAbsolute(typed, root)) return;  // the job lists nothing then
  listedPrefix = LastCharIs(root, kPathSeparator, codePage) ? root : root + kPathSeparator;
  // Windows takes '/' as a separator too.
  bool typedEndsInSeparator = LastCharIs(typed, kPathSeparator, codePage) || LastCharIs(typed, '/', codePage);
  typedPrefix = typedEndsInSeparator ? typed : typed + kPathSeparator;
}

std::string PathsAsTyped::operator()(const std::string& path) const {
  if (listedPrefix.empty() || !path.starts_with(listedPrefix)) return path;
  return typedPrefix + path.substr(listedPrefix.size());
}

}  // namespace kirabo::cli
