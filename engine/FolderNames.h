#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Multibyte.h"

namespace kirabo {

class JobFileSystem;

// The names one folder holds as a rename job sees them: its listing, then
// the job's own renames. Names that differ only in ASCII letter case count as
// the same name, since they clash once the folder is copied to a file system
// that ignores case.
class FolderNames {
 public:
  FolderNames(const std::vector<std::string>& listed, CodePage codePage);

  bool IsTaken(std::string_view name) const;
  void Take(std::string_view name);
  void Release(std::string_view name);

  // The lowest attempt whose CandidateName(stem, extension, attempt) is not
  // taken; -1 when every attempt up to INT32_MAX is. Remembers where the
  // search ended, so that N files of one stem cost about N look-ups.
  int32_t FirstFreeAttempt(const std::string& stem, const std::string& extension);

 private:
  std::string Fold(std::string_view name) const;
  void LowerHint(const std::string& key, int32_t attempt);

  CodePage codePage;
  std::unordered_map<std::string, uint32_t> holders;  // folded name -> entries holding it
  // Folded stem + extension -> an attempt below which every candidate is taken.
  std::unordered_map<std::string, int32_t> hints;
};

// The names `folder` holds now, from its listing. A folder that cannot be
// listed starts with none: the no-replace rename still refuses every taken name.
FolderNames NamesListedIn(JobFileSystem& fileSystem, const std::string& folder, CodePage codePage);

}  // namespace kirabo
