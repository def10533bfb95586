// Loaded into kirabo-cli with LD_PRELOAD: the process is killed at the step
// KIRABO_TEST_KILL names. Inside the fallback rename, where the file system
// knows no RENAME_NOREPLACE:
//   unlink       after the hard link to the new name, before the old name goes
//   reservation  no hard links either: after the new name is reserved, before
//                the file is moved onto it
// Or, renaming as usual:
//   rename:NAME  just before the entry NAME is renamed
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool KillAt(const char* step) {
  const char* wanted = std::getenv("KIRABO_TEST_KILL");
  return wanted != nullptr && std::strcmp(wanted, step) == 0;
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned int flags) {
  const char* wanted = std::getenv("KIRABO_TEST_KILL");
  if (wanted == nullptr || std::strncmp(wanted, "rename:", 7) != 0) {
    errno = EINVAL;
    return -1;
  }
  if (std::strcmp(from, wanted + 7) == 0) ::raise(SIGKILL);
  return Next<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2")(fromFolder, from, toFolder, to,
                                                                                     flags);
}

int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) {
  if (KillAt("reservation")) {
    errno = EPERM;
    return -1;
  }
  return Next<int (*)(int, const char*, int, const char*, int)>("linkat")(fromFolder, from, toFolder, to, flags);
}

int unlinkat(int folder, const char* name, int flags) {
  if (KillAt("unlink")) ::raise(SIGKILL);
  return Next<int (*)(int, const char*, int)>("unlinkat")(folder, name, flags);
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to) {
  if (KillAt("reservation")) ::raise(SIGKILL);
  return Next<int (*)(int, const char*, int, const char*)>("renameat")(fromFolder, from, toFolder, to);
}
}
