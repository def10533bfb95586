#include "cli/PathsAsTyped.h"

#include "platform/FileFind.h"

namespace kirabo::cli {

PathsAsTyped::PathsAsTyped(const std::string& typed, CodePage codePage) {
  std::string root;
  if (!MakeLexicalAbsolute(typed, root)) return;  // the job lists nothing then
  listedPrefix = root == "/" ? root : root + "/";
  typedPrefix = LastCharIs(typed, '/', codePage) ? typed : typed + "/";
}

std::string PathsAsTyped::operator()(const std::string& path) const {
  if (listedPrefix.empty() || !path.starts_with(listedPrefix)) return path;
  return typedPrefix + path.substr(listedPrefix.size());
}

}  // namespace kirabo::cli
