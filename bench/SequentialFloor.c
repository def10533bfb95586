// kirabo-floor: the least a sequential rename job can do, for comparison:
// walk the tree, and for each file open it, read 64 bytes, close it and
// rename it (never replacing), one file after another. It reads no format
// and chooses no names: each file gets "r_" before its name.
//
//   kirabo-floor FOLDER
//
// Prints the number of files renamed and the seconds taken.

#define _GNU_SOURCE

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static long renamed = 0;

// A folder's names are read before any of them is renamed, so that a renamed
// file is not met again.
static int Walk(int folderFd) {
  DIR* dir = fdopendir(folderFd);
  if (dir == NULL) return -1;
  size_t count = 0, capacity = 0;
  struct Entry {
    char* name;
    int isFolder;
  }* entries = NULL;
  struct dirent* found;
  while ((found = readdir(dir)) != NULL) {
    if (strcmp(found->d_name, ".") == 0 || strcmp(found->d_name, "..") == 0) continue;
    if (count == capacity) {
      capacity = capacity ? capacity * 2 : 64;
      void* grown = realloc(entries, capacity * sizeof *entries);
      if (grown == NULL) return -1;
      entries = grown;
    }
    entries[count].name = strdup(found->d_name);
    entries[count].isFolder = found->d_type == DT_DIR;
    if (entries[count].name == NULL) return -1;
    ++count;
  }
  int status = 0;
  for (size_t i = 0; i < count && status == 0; ++i) {
    const char* name = entries[i].name;
    if (entries[i].isFolder) {
      int sub = openat(dirfd(dir), name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      status = sub < 0 ? -1 : Walk(sub);
      continue;
    }
    char head[64];
    int fd = openat(dirfd(dir), name, O_RDONLY | O_CLOEXEC);
    if (fd < 0 || read(fd, head, sizeof head) < 0 || close(fd) != 0) return -1;
    char newName[512];
    snprintf(newName, sizeof newName, "r_%s", name);
    if (renameat2(dirfd(dir), name, dirfd(dir), newName, RENAME_NOREPLACE) != 0) return -1;
    ++renamed;
  }
  for (size_t i = 0; i < count; ++i) free(entries[i].name);
  free(entries);
  closedir(dir);
  return status;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "Usage: kirabo-floor FOLDER\n");
    return 2;
  }
  struct timespec start, end;
  clock_gettime(CLOCK_MONOTONIC, &start);
  int fd = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 || Walk(fd) != 0) {
    fprintf(stderr, "kirabo-floor: %s: %s\n", argv[1], strerror(errno));
    return 1;
  }
  clock_gettime(CLOCK_MONOTONIC, &end);
  printf("%ld files in %.3f s\n", renamed,
         (double)(end.tv_sec - start.tv_sec) + (double)(end.tv_nsec - start.tv_nsec) / 1e9);
  return 0;
}
