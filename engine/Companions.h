#pragma once

#include <string>
#include <vector>

#include "platform/Multibyte.h"

namespace kirabo {

// A file that travels with a raw file and takes its new stem: the JPEG twin,
// the THM thumbnail, the voice memo, the edit sidecars. Its name is `folder`
// + the raw's stem + `tail`; renamed, it is `folder` + new stem + `tail`, so
// each member keeps its own letter case.
struct Companion {
  std::string folder;  // "" beside the raw; Capture One's "CaptureOne/Settings153/"
  std::string name;    // its own name, in its own letter case
  std::string tail;    // ".JPG", ".CR2.xmp", "_01.CR2.xmp"
};

// A Capture One settings folder beside the raw files: its path relative to
// theirs, ending in the separator, and the names of the files it holds.
struct SettingsFolder {
  std::string path;
  std::vector<std::string> names;
};

// What one folder's names say of its raw files' companions.
struct FolderCompanions {
  std::vector<std::vector<Companion>> ofRaw;  // one list per raw name given, in its order
  std::vector<std::string> shared;            // names whose stem several raw files have: left alone
};

// The companions of `rawNames` among `fileNames` (the folder's other files,
// no folders) and in `settings`. Letter case never matters for matching.
FolderCompanions FindCompanions(const std::vector<std::string>& rawNames, const std::vector<std::string>& fileNames,
                                const std::vector<SettingsFolder>& settings, CodePage codePage);

}  // namespace kirabo
