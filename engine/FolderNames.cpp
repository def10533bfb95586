#include "engine/FolderNames.h"

#include <charconv>
#include <limits>

#include "engine/JobFileSystem.h"
#include "engine/NewName.h"

namespace kirabo {

FolderNames::FolderNames(const std::vector<std::string>& listed, CodePage codePage) : codePage(codePage) {
  for (const std::string& name : listed) Take(name);
}

FolderNames NamesListedIn(JobFileSystem& fileSystem, const std::string& folder, CodePage codePage) {
  std::vector<std::string> listed;
  FolderListing listing;
  if (fileSystem.ListFolder(folder, listing)) {
    for (FolderEntry& entry : listing.entries) {
      if (!entry.isDots) listed.push_back(std::move(entry.name));
    }
  }
  return FolderNames(listed, codePage);
}

std::string FolderNames::Fold(std::string_view name) const { return UpperAscii(name, codePage); }

bool FolderNames::IsTaken(std::string_view name) const { return holders.contains(Fold(name)); }

void FolderNames::Take(std::string_view name) { ++holders[Fold(name)]; }

// A freed name may be a candidate of some stem below its remembered attempt:
// "S_j.E" is attempt j of stem "S", and "S.E" attempt 0 of "S". Stems hold
// "_" themselves, so both readings are lowered; a needless lowering costs
// only look-ups.
void FolderNames::Release(std::string_view name) {
  std::string folded = Fold(name);
  auto found = holders.find(folded);
  if (found == holders.end()) return;
  if (--found->second == 0) holders.erase(found);

  size_t dot = FindLastChar(folded, '.', codePage);
  std::string_view base = std::string_view(folded).substr(0, dot);
  std::string_view extension = dot == std::string::npos ? std::string_view() : std::string_view(folded).substr(dot);
  LowerHint(std::string(base) + std::string(extension), 0);
  size_t underscore = base.rfind('_');
  if (underscore == std::string_view::npos) return;
  std::string_view digits = base.substr(underscore + 1);
  int32_t attempt = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), attempt);
  if (error == std::errc() && end == digits.data() + digits.size() && attempt > 0) {
    LowerHint(std::string(base.substr(0, underscore)) + std::string(extension), attempt);
  }
}

void FolderNames::LowerHint(const std::string& key, int32_t attempt) {
  auto hint = hints.find(key);
  if (hint != hints.end() && hint->second > attempt) hint->second = attempt;
}

int32_t FolderNames::FirstFreeAttempt(const std::string& stem, const std::string& extension) {
  int32_t& hint = hints[Fold(stem + extension)];
  for (int32_t attempt = hint;; ++attempt) {
    if (!IsTaken(CandidateName(stem, extension, attempt))) {
      hint = attempt;
      return attempt;
    }
    if (attempt == std::numeric_limits<int32_t>::max()) return -1;
  }
}

}  // namespace kirabo
