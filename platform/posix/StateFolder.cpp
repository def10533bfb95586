#include "platform/StateFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace kirabo {

namespace {

// The base of the user's state files; relative values of the variable are
// ignored, as the XDG base directory rules ask.
bool StateHome(std::string& home) {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') {
    home = state;
    return true;
  }
  const char* user = std::getenv("HOME");
  if (user == nullptr || user[0] != '/') {
    const passwd* entry = ::getpwuid(::getuid());
    if (entry == nullptr || entry->pw_dir == nullptr || entry->pw_dir[0] != '/') return false;
    user = entry->pw_dir;
  }
  home = std::string(user) + "/.local/state";
  return true;
}

// Makes each missing folder along `path` (absolute), private to the user.
int MakeFolders(const std::string& path) {
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    std::string step = path.substr(0, end);
    if (::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (end == std::string::npos) break;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return errno;
  return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

}  // namespace

int JobJournalFolder(std::string& folder) {
  std::string home;
  if (!StateHome(home)) return ENOENT;
  std::string path = home + "/kirabo/jobs";
  if (int error = MakeFolders(path)) return error;
  folder = path;
  return 0;
}

}  // namespace kirabo
