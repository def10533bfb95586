#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/Companions.h"
#include "engine/FolderNames.h"
#include "engine/GroupRename.h"
#include "platform/Multibyte.h"

namespace kirabo {

class JobFolder;

// A folder below a raw files' folder that holds companions of theirs
// (Capture One's settings), and the names it holds.
struct CompanionFolder {
  std::vector<std::string> entries;  // the sub-folders to open, from the raw files' folder down
  FolderNames names;
};

// What a rename job knows of one folder from its listing: the names it holds,
// kept up to date with the job's renames, and the files that travel with each
// of its raw files.
struct FolderContents {
  explicit FolderContents(FolderNames names) : names(std::move(names)) {}

  FolderNames names;
  std::unordered_map<std::string, std::vector<Companion>> companions;  // by the raw file's name
  std::map<std::string, CompanionFolder> companionFolders;             // by Companion::folder
  std::vector<std::string> shared;  // companions of several raw files, left alone: names within the folder
};

// Lists `folder` and, with `withCompanions`, its Capture One settings
// folders. Companions are files (neither folders nor links), found by name
// alone. A folder that cannot be listed starts with no names: the no-replace
// rename still refuses every taken one.
FolderContents ListFolderContents(JobFolder& folder, bool withCompanions, CodePage codePage);

// The members of the raw file `rawName`'s group but the raw file itself, each
// held in its folder: `folder` (whose path, with its separator, is
// `folderPath`), or a settings folder below it, opened into `held`. A
// companion gone since the listing is left out.
std::vector<GroupMember> CompanionMembers(JobFolder& folder, FolderContents& contents, const std::string& rawName,
                                          const std::string& folderPath,
                                          std::vector<std::unique_ptr<JobFolder>>& held);

}  // namespace kirabo
