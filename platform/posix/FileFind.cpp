#include "platform/FileFind.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <new>

#include "platform/Multibyte.h"

namespace kirabo {

namespace {

constexpr char kSeparator = '/';

// False when the current directory cannot be obtained (removed, or longer
// than PATH_MAX).
bool GetCurrentFolder(std::string& folder) {
  std::vector<char> buffer(PATH_MAX);
  if (::getcwd(buffer.data(), buffer.size()) == nullptr || buffer[0] != kSeparator) return false;
  folder = buffer.data();
  return true;
}

// Resolves `folder` against the current directory and removes "." and ".."
// steps and repeated separators by text alone, as a path typed by the user is
// meant: "a/link/.." is "a" even when "link" leads elsewhere. Splitting at the
// byte '/' is safe in every supported code page, since no multibyte character
// holds that byte.
bool MakeLexicalAbsolute(std::string_view folder, std::string& absolute) {
  std::string combined;
  if (folder.empty() || folder.front() != kSeparator) {
    if (!GetCurrentFolder(combined)) return false;
    combined += kSeparator;
  }
  combined += folder;

  std::vector<std::string_view> steps;
  std::string_view rest = combined;
  while (!rest.empty()) {
    size_t end = rest.find(kSeparator);
    std::string_view step = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (step.empty() || step == ".") continue;
    if (step == "..") {
      if (!steps.empty()) steps.pop_back();  // ".." above the root stays at the root
      continue;
    }
    steps.push_back(step);
  }

  absolute.clear();
  for (std::string_view step : steps) {
    absolute += kSeparator;
    absolute += step;
  }
  if (absolute.empty()) absolute = kSeparator;
  return true;
}

bool IsDotsName(std::string_view name) { return name == "." || name == ".."; }

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

const std::string kNoEntry;

}  // namespace

bool CFileFind::FindFile(const std::string& pattern) {
  Close();
  try {
    size_t separator = FindLastChar(pattern, kSeparator, ActiveCodePage());
    std::string_view whole = pattern;
    std::string_view wildcard = separator == std::string::npos ? whole : whole.substr(separator + 1);
    std::string_view folder = separator == std::string::npos ? std::string_view() : whole.substr(0, separator + 1);
    // The program asks for every entry; other wildcards are not supported.
    if (wildcard != "*.*" && wildcard != "*") return false;
    if (!MakeLexicalAbsolute(folder, root_)) {
      Close();
      return false;
    }
    size_t patternSize = root_.size() + (root_ == "/" ? 0 : 1) + wildcard.size() + 1;  // with the NUL
    if (patternSize > PATH_MAX || !ReadFolder()) {
      Close();
      return false;
    }
    return true;
  } catch (const std::bad_alloc&) {
    Close();
    return false;
  }
}

bool CFileFind::ReadFolder() {
  std::unique_ptr<DIR, DirCloser> dir(::opendir(root_.c_str()));
  if (!dir) return false;
  int fd = ::dirfd(dir.get());
  struct stat folderStat {};
  if (::fstat(fd, &folderStat) != 0) return false;
  folderDevice_ = folderStat.st_dev;
  folderInode_ = folderStat.st_ino;

  CodePage codePage = ActiveCodePage();
  std::string prefix = root_;
  if (!LastCharIs(prefix, kSeparator, codePage)) prefix += kSeparator;

  struct Listed {
    std::string sortKey;
    Entry entry;
  };
  std::vector<Listed> listed;
  // A read error ends the listing as its end does; what was read is kept.
  while (const dirent* found = ::readdir(dir.get())) {
    std::string_view name = found->d_name;
    Entry entry;
    entry.path = prefix;
    entry.path += name;
    entry.nameStart = prefix.size();
    entry.isDots = IsDotsName(name);
    if (found->d_type == DT_DIR) {
      entry.isDirectory = true;
    } else if (found->d_type == DT_UNKNOWN || found->d_type == DT_LNK) {
      struct stat target {};  // follows links, so a link to a folder is a folder
      entry.isDirectory = ::fstatat(fd, found->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
    }
    listed.push_back({UpperAscii(name, codePage), std::move(entry)});
  }
  if (listed.empty()) return false;

  // Upper-case keys, as NTFS orders names, so "A_" sorts after "AB".
  std::sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
    if (a.entry.isDots != b.entry.isDots) return a.entry.isDots;
    if (a.sortKey != b.sortKey) return a.sortKey < b.sortKey;
    return a.entry.path < b.entry.path;
  });
  entries_.reserve(listed.size());
  for (Listed& item : listed) entries_.push_back(std::move(item.entry));
  return true;
}

bool CFileFind::FindNextFile() {
  if (fetched_ >= entries_.size()) return false;
  ++fetched_;
  return fetched_ < entries_.size();
}

const CFileFind::Entry* CFileFind::Current() const { return fetched_ == 0 ? nullptr : &entries_[fetched_ - 1]; }

bool CFileFind::IsDots() const {
  const Entry* entry = Current();
  return entry != nullptr && entry->isDots;
}

bool CFileFind::IsDirectory() const {
  const Entry* entry = Current();
  return entry != nullptr && entry->isDirectory;
}

std::string_view CFileFind::GetFileName() const {
  const Entry* entry = Current();
  if (entry == nullptr) return {};
  return std::string_view(entry->path).substr(entry->nameStart);
}

const std::string& CFileFind::GetFilePath() const {
  const Entry* entry = Current();
  return entry == nullptr ? kNoEntry : entry->path;
}

void CFileFind::Close() {
  root_.clear();
  folderDevice_ = 0;
  folderInode_ = 0;
  entries_ = {};
  fetched_ = 0;
}

}  // namespace kirabo
