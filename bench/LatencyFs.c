// kirabo-latency-fs: a FUSE file system that passes every request through to
// a real folder after a fixed delay, as a network share does. Requests are
// served on several threads, so parallel requests overlap as they do on an
// SMB or NFS server. It stands in for a NAS in the benchmarks; nothing goes
// over a network.
//
//   kirabo-latency-fs --root=FOLDER [--delay-ms=N] MOUNTPOINT [FUSE options]
//
// Runs in the foreground; unmount with
// `fusermount3 -u MOUNTPOINT` or SIGTERM. As it ends it writes to standard
// error how many requests of each kind it served, which tells where a job's
// round trips go.

#define FUSE_USE_VERSION 314
#define _GNU_SOURCE

#include <dirent.h>
#include <stdatomic.h>
#include <errno.h>
#include <fcntl.h>
#include <fuse.h>
#include <fuse_lowlevel.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <time.h>
#include <unistd.h>

static struct {
  char* root;
  int delayMs;
  int rootFd;
} options = {NULL, 2, -1};

static const struct fuse_opt kOptions[] = {
    {"--root=%s", offsetof(__typeof__(options), root), 0},
    {"--delay-ms=%d", offsetof(__typeof__(options), delayMs), 0},
    FUSE_OPT_END,
};

enum Request { kGetAttr, kReadLink, kReadDir, kOpen, kRead, kFlush, kRename, kMakeDir, kStatFs, kRequests };
static const char* const kRequestNames[kRequests] = {"getattr", "readlink", "readdir", "open", "read",
                                                     "flush",   "rename",   "mkdir",   "statfs"};
static atomic_ulong served[kRequests];

// The round trip every request pays before it is served.
static void Delay(enum Request request) {
  atomic_fetch_add(&served[request], 1);
  struct timespec wait = {options.delayMs / 1000, (long)(options.delayMs % 1000) * 1000000L};
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

// FUSE paths begin with '/'; relative to the root folder's descriptor.
static const char* Relative(const char* path) { return path[1] == '\0' ? "." : path + 1; }

static int Errno(int result) { return result < 0 ? -errno : 0; }

static void* Init(struct fuse_conn_info* conn, struct fuse_config* config) {
  (void)conn;
  config->use_ino = 1;
  return NULL;
}

static int GetAttr(const char* path, struct stat* st, struct fuse_file_info* fi) {
  Delay(kGetAttr);
  if (fi != NULL) return Errno(fstat((int)fi->fh, st));
  return Errno(fstatat(options.rootFd, Relative(path), st, AT_SYMLINK_NOFOLLOW));
}

static int ReadLink(const char* path, char* buffer, size_t size) {
  Delay(kReadLink);
  ssize_t got = readlinkat(options.rootFd, Relative(path), buffer, size - 1);
  if (got < 0) return -errno;
  buffer[got] = '\0';
  return 0;
}

static int ReadDir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t offset, struct fuse_file_info* fi,
                   enum fuse_readdir_flags flags) {
  (void)offset, (void)fi, (void)flags;
  Delay(kReadDir);
  int fd = openat(options.rootFd, Relative(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -errno;
  DIR* dir = fdopendir(fd);
  if (dir == NULL) {
    close(fd);
    return -errno;
  }
  struct dirent* entry;
  while ((entry = readdir(dir)) != NULL) {
    struct stat st = {0};
    st.st_ino = entry->d_ino;
    st.st_mode = (mode_t)DTTOIF(entry->d_type);
    if (fill(buffer, entry->d_name, &st, 0, 0) != 0) break;
  }
  closedir(dir);
  return 0;
}

static int Open(const char* path, struct fuse_file_info* fi) {
  Delay(kOpen);
  int fd = openat(options.rootFd, Relative(path), fi->flags & ~O_NOFOLLOW);
  if (fd < 0) return -errno;
  fi->fh = (uint64_t)fd;
  return 0;
}

static int Read(const char* path, char* buffer, size_t size, off_t offset, struct fuse_file_info* fi) {
  (void)path;
  Delay(kRead);
  ssize_t got = pread((int)fi->fh, buffer, size, offset);
  return got < 0 ? -errno : (int)got;
}

static int Flush(const char* path, struct fuse_file_info* fi) {
  (void)path, (void)fi;
  Delay(kFlush);
  return 0;
}

static int Release(const char* path, struct fuse_file_info* fi) {
  (void)path;
  close((int)fi->fh);
  return 0;
}

static int Rename(const char* from, const char* to, unsigned int flags) {
  Delay(kRename);
  return Errno(renameat2(options.rootFd, Relative(from), options.rootFd, Relative(to), flags));
}

static int MakeDir(const char* path, mode_t mode) {
  Delay(kMakeDir);
  return Errno(mkdirat(options.rootFd, Relative(path), mode));
}

static int StatFs(const char* path, struct statvfs* st) {
  (void)path;
  Delay(kStatFs);
  return Errno(fstatvfs(options.rootFd, st));
}

static const struct fuse_operations kOperations = {
    .init = Init,
    .getattr = GetAttr,
    .readlink = ReadLink,
    .mkdir = MakeDir,
    .rename = Rename,
    .open = Open,
    .read = Read,
    .statfs = StatFs,
    .flush = Flush,
    .release = Release,
    .readdir = ReadDir,
};

// Mounts and serves until unmounted or told to end; fuse_main() would do the
// same, but Debian's libfuse 3.14 drops its max_threads option there and
// serves on at most 10 threads.
static int Serve(struct fuse_args* args) {
  struct fuse_cmdline_opts opts;
  if (fuse_parse_cmdline(args, &opts) != 0 || opts.mountpoint == NULL) return 2;
  struct fuse* fuse = fuse_new(args, &kOperations, sizeof kOperations, NULL);
  struct fuse_loop_config* config = fuse_loop_cfg_create();
  int status = 1;
  if (fuse != NULL && config != NULL && fuse_mount(fuse, opts.mountpoint) == 0) {
    if (fuse_set_signal_handlers(fuse_get_session(fuse)) == 0) {
      // Enough threads that a pool of readers never waits for a free one.
      fuse_loop_cfg_set_max_threads(config, 64);
      status = fuse_loop_mt(fuse, config) == 0 ? 0 : 1;
      fuse_remove_signal_handlers(fuse_get_session(fuse));
    }
    fuse_unmount(fuse);
  }
  if (config != NULL) fuse_loop_cfg_destroy(config);
  if (fuse != NULL) fuse_destroy(fuse);
  free(opts.mountpoint);
  return status;
}

int main(int argc, char** argv) {
  struct fuse_args args = FUSE_ARGS_INIT(argc, argv);
  if (fuse_opt_parse(&args, &options, kOptions, NULL) != 0) return 2;
  if (options.root == NULL || options.delayMs < 0) {
    fprintf(stderr, "Usage: kirabo-latency-fs --root=FOLDER [--delay-ms=N] MOUNTPOINT [FUSE options]\n");
    return 2;
  }
  options.rootFd = open(options.root, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (options.rootFd < 0) {
    fprintf(stderr, "kirabo-latency-fs: %s: %s\n", options.root, strerror(errno));
    return 1;
  }
  int status = Serve(&args);
  fprintf(stderr, "kirabo-latency-fs served:");
  for (int request = 0; request < kRequests; ++request)
    fprintf(stderr, " %s %lu", kRequestNames[request], atomic_load(&served[request]));
  fprintf(stderr, "\n");
  fuse_opt_free_args(&args);
  return status;
}
