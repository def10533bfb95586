#include "engine/JournalFolder.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "platform/FileFind.h"
#include "platform/Path.h"

namespace kirabo {

namespace {

constexpr std::string_view kExtension = ".journal";

}  // namespace

std::vector<std::string> JournalFiles(const std::string& folder) {
  std::vector<std::string> names;
  CFileFind finder;
  if (folder.empty() || !finder.FindFile(folder + kPathSeparator + "*.*")) return names;
  for (bool more = true; more;) {
    more = finder.FindNextFile();
    std::string_view name = finder.GetFileName();
    if (!finder.IsDirectory() && name.size() > kExtension.size() && name.ends_with(kExtension)) {
      names.emplace_back(name);
    }
  }
  // By bytes, as the names were made to sort.
  std::sort(names.begin(), names.end());
  for (std::string& name : names) name = folder + kPathSeparator + name;
  return names;
}

void PruneJournals(const std::string& folder, const std::string& spare) {
  std::vector<std::string> files = JournalFiles(folder);
  for (size_t i = 0; i + kKeptJournals < files.size(); ++i) {
    if (files[i] != spare) std::remove(files[i].c_str());
  }
}

std::vector<KeptJournal> ReadJournals(const std::string& folder) {
  std::vector<KeptJournal> journals;
  for (std::string& path : JournalFiles(folder)) {
    KeptJournal kept{std::move(path), {}};
    if (ReadJournalFile(kept.path, kept.journal)) journals.push_back(std::move(kept));
  }
  return journals;
}

std::optional<KeptJournal> LatestUndoable(const std::string& folder, const std::string& realFolder) {
  std::vector<std::string> files = JournalFiles(folder);
  for (auto path = files.rbegin(); path != files.rend(); ++path) {
    // Most journals are of other folders: their header is enough.
    KeptJournal kept{*path, {}};
    if (!ReadJournalFile(kept.path, kept.journal, true) || kept.journal.folder != realFolder) continue;
    if (!ReadJournalFile(kept.path, kept.journal)) continue;
    const Journal& journal = kept.journal;
    if (journal.takenBack || journal.MadeRenames() == 0) continue;
    if (!journal.undoes.empty() && !journal.IsCleanUndo()) continue;
    return kept;
  }
  return std::nullopt;
}

std::string JournalName(const std::string& path) {
  size_t separator = path.find_last_of(kPathSeparator == '/' ? "/" : "\\/");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace kirabo
