#include "platform/FileFind.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <memory>

#include "platform/CurrentDirectory.h"
#include "platform/Path.h"

namespace kirabo {

namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

// Splitting at the byte '/' is safe in every supported code page, since no
// multibyte character holds that byte.
bool MakeLexicalAbsolute(std::string_view folder, std::string& absolute) {
  std::string combined;
  if (folder.empty() || folder.front() != kPathSeparator) {
    if (!CurrentDirectory(combined)) return false;
    combined += kPathSeparator;
  }
  combined += folder;

  std::vector<std::string_view> steps;
  std::string_view rest = combined;
  while (!rest.empty()) {
    size_t end = rest.find(kPathSeparator);
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
    absolute += kPathSeparator;
    absolute += step;
  }
  if (absolute.empty()) absolute = kPathSeparator;
  return true;
}

bool CFileFind::ReadFolder(std::string_view folder, std::string_view wildcard) {
  if (!MakeLexicalAbsolute(folder, root_)) return false;
  size_t patternSize = root_.size() + (root_ == "/" ? 0 : 1) + wildcard.size() + 1;  // with the NUL
  if (patternSize > PATH_MAX) return false;

  std::unique_ptr<DIR, DirCloser> dir(::opendir(root_.c_str()));
  if (!dir) return false;
  int fd = ::dirfd(dir.get());
  struct stat folderStat {};
  if (::fstat(fd, &folderStat) != 0) return false;
  folderDevice_ = folderStat.st_dev;
  folderInode_ = folderStat.st_ino;

  CodePage codePage = ActiveCodePage();
  // A read error ends the listing as its end does; what was read is kept.
  while (const dirent* found = ::readdir(dir.get())) {
    bool isDirectory = false;
    if (found->d_type == DT_DIR) {
      isDirectory = true;
    } else if (found->d_type == DT_UNKNOWN || found->d_type == DT_LNK) {
      struct stat target {};  // follows links, so a link to a folder is a folder
      isDirectory = ::fstatat(fd, found->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
    }
    AddEntry(found->d_name, isDirectory, codePage);
  }
  return true;
}

}  // namespace kirabo
