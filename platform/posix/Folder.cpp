#include "platform/Folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <memory>

#include "platform/CurrentDirectory.h"
#include "platform/Path.h"

namespace kirabo {

namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

// A walk holds one descriptor per level of the tree, and deep trees go past
// the usual soft limit of 1024; the hard limit is the system's real bound.
bool RaiseDescriptorLimit() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max) return false;
  limit.rlim_cur = limit.rlim_max;
  return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

template <typename OpenCall>
int OpenRaisingLimit(OpenCall open) {
  int fd = open();
  if (fd < 0 && errno == EMFILE && RaiseDescriptorLimit()) fd = open();
  return fd;
}

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

bool CFolder::Open(const std::string& path, int& error) {
  Close();
  int fd = OpenRaisingLimit([&] { return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
  if (fd < 0) {
    error = errno;
    return false;
  }
  handle_ = fd;
  return Identify(error);
}

bool CFolder::OpenIn(const CFolder& parent, const std::string& name, int& error) {
  Close();
  // O_NOFOLLOW refuses a link in the entry's place, whatever it leads to.
  int fd = OpenRaisingLimit([&] {
    return ::openat(static_cast<int>(parent.handle_), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  });
  if (fd < 0) {
    error = errno;
    return false;
  }
  handle_ = fd;
  return Identify(error);
}

bool CFolder::Identify(int& error) {
  struct stat folderStat {};
  if (::fstat(static_cast<int>(handle_), &folderStat) != 0) {
    error = errno;
    Close();
    return false;
  }
  device_ = folderStat.st_dev;
  inode_ = folderStat.st_ino;
  return true;
}

void CFolder::Close() {
  if (handle_ != kNoHandle) ::close(static_cast<int>(handle_));
  handle_ = kNoHandle;
  device_ = 0;
  inode_ = 0;
}

bool CFolder::List(std::vector<FolderItem>& items, int& error) const {
  items.clear();
  // A description of its own, so that listing never moves an offset that
  // another listing of the same folder shares.
  int fd = OpenRaisingLimit(
      [&] { return ::openat(static_cast<int>(handle_), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
  if (fd < 0) {
    error = errno;
    return false;
  }
  std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd));
  if (!dir) {
    error = errno;
    ::close(fd);
    return false;
  }
  for (;;) {
    errno = 0;
    const dirent* found = ::readdir(dir.get());
    if (found == nullptr) break;
    std::string_view name = found->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = found->d_type == DT_DIR;
    bool isLink = found->d_type == DT_LNK;
    if (found->d_type == DT_UNKNOWN) {
      struct stat entry {};
      bool known = ::fstatat(fd, found->d_name, &entry, AT_SYMLINK_NOFOLLOW) == 0;
      isFolder = known && S_ISDIR(entry.st_mode);
      isLink = known && S_ISLNK(entry.st_mode);
    }
    items.push_back({std::string(name), isFolder, isLink});
  }
  if (errno != 0) {
    error = errno;
    items.clear();
    return false;
  }
  SortFolderItems(items, ActiveCodePage());
  return true;
}

}  // namespace kirabo
