#include "platform/HomeFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace kirabo {

std::string WithHomeFolder(const std::string& folder) {
  if (folder != "~" && !folder.starts_with("~/")) return folder;
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    // As a shell does without HOME: the home folder of the user's entry.
    const passwd* entry = ::getpwuid(::getuid());
    if (entry == nullptr || entry->pw_dir == nullptr) return folder;
    home = entry->pw_dir;
  }
  return home + folder.substr(1);
}

}  // namespace kirabo
