#include "platform/SettingsFolder.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>

namespace kirabo {

namespace {

bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST; }

}  // namespace

bool UserSettingsFolder(const std::string& program, std::string& folder) {
  std::string base;
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  // Only an absolute $XDG_CONFIG_HOME counts; a relative one is to be ignored.
  if (configHome != nullptr && configHome[0] == '/') {
    base = configHome;
  } else if (home != nullptr && home[0] == '/') {
    base = std::string(home) + "/.config";
    if (!MakeFolder(base)) return false;
  } else {
    return false;
  }
  std::string path = base + '/';
  for (char c : program) path += char(std::tolower(static_cast<unsigned char>(c)));
  if (!MakeFolder(path)) return false;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  folder = path;
  return true;
}

bool IsDesktopStartFolder(const std::string& directory) {
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return false;
  struct stat homeInfo {}, directoryInfo {};
  return stat(home, &homeInfo) == 0 && stat(directory.c_str(), &directoryInfo) == 0 &&
         homeInfo.st_dev == directoryInfo.st_dev && homeInfo.st_ino == directoryInfo.st_ino;
}

}  // namespace kirabo
