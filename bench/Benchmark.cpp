// kirabo-bench: builds trees of synthetic raw files, runs the rename job on
// them and reports the time, files per second, read system calls per file
// and the job's peak memory.
//
//   kirabo-bench [--files=N] [--folders=N] [--readers=LIST] [--floor=PATH]
//                [--latency-ms=N --latency-fs=PATH] [--drop-caches] [--dir=PARENT] [--keep]
//                [--journal] [--small] [--companions] [--build-only]
//
// --readers=1,8 runs one job per count on identical trees, in that order (0:
// the count the folder's medium suggests, the default). --floor runs the
// sequential floor program at PATH (kirabo-floor) on a tree of its own too.
// --folders=N spreads the files over N folders side by side instead of a tree
// five levels deep. --latency-ms mounts each tree through the latency file
// system at PATH (kirabo-latency-fs, run as root) for its job and unmounts it
// after, when the file system reports the requests it served.
// --drop-caches (root) empties the page cache before each run, so the files
// come from the disk; otherwise they were just written and are in the cache,
// and the numbers measure the job's own cost. --journal has each job keep
// its undo journal, to weigh what it costs; --small writes files of a few
// kilobytes, cheap to compare byte for byte, instead of sparse ones of camera
// size; --companions puts a JPEG twin and an .xmp sidecar beside each raw
// file and runs each reader count twice, raw files alone (--raw-only) and
// with their companions, counting every file renamed; --build-only builds the trees, keeps them and runs no job (for
// scripts such as bench/kill-undo).

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "SyntheticTree.h"
#include "engine/JobObserver.h"
#include "engine/RenameJob.h"
#include "engine/RenameWorker.h"
#include "platform/File.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kFuseMagic = 0x65735546;

// Counts renamed files and notes when the first one came, which is when
// the scan has ended.
class CountingObserver : public kirabo::JobObserver {
 public:
  void OnSearching(const std::string&) override {}
  void OnFolderNotListed(const std::string&, const std::string&) override {}
  void OnFile(const kirabo::FileReport& report) override {
    if (report.number == 1) firstFile = Clock::now();
    if (report.outcome != kirabo::FileOutcome::Renamed) return;
    ++renamed;
    companions += report.companions.size();
    if (report.newPath.find("_1.") != std::string::npos) ++suffixed;
  }
  void OnJobEnd(kirabo::JobEnd end, const kirabo::JobCounts&) override { completed = end == kirabo::JobEnd::Completed; }
  size_t renamed = 0;
  size_t companions = 0;
  size_t suffixed = 0;
  bool completed = false;
  Clock::time_point firstFile;
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Options {
  kirabo::bench::TreeShape shape;
  std::string parent = std::filesystem::temp_directory_path().string();
  std::vector<int32_t> readers;
  std::string floor;
  std::string latencyFs;
  int latencyMs = 0;
  bool dropCaches = false;
  bool keep = false;
  bool journal = false;
  bool buildOnly = false;
};

// One job of the run: its readers (-1: the floor program) and whether it
// leaves the companions alone.
struct Contender {
  int32_t readers = 0;
  bool rawOnly = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto value = [&](std::string_view name) { return std::string(arg.substr(name.size())); };
    if (arg.starts_with("--files=")) {
      options.shape.files = std::strtoull(value("--files=").c_str(), nullptr, 10);
    } else if (arg.starts_with("--folders=")) {
      options.shape.depth = 1;
      options.shape.branches = std::max(0, std::atoi(value("--folders=").c_str()) - 1);
    } else if (arg.starts_with("--readers=")) {
      std::string list = value("--readers=");
      for (char* at = list.data(); *at != '\0';) {
        options.readers.push_back(static_cast<int32_t>(std::strtol(at, &at, 10)));
        if (*at == ',') ++at;
        else if (*at != '\0') return false;
      }
    } else if (arg.starts_with("--floor=")) {
      options.floor = value("--floor=");
    } else if (arg.starts_with("--latency-ms=")) {
      options.latencyMs = std::atoi(value("--latency-ms=").c_str());
    } else if (arg.starts_with("--latency-fs=")) {
      options.latencyFs = value("--latency-fs=");
    } else if (arg == "--drop-caches") {
      options.dropCaches = true;
    } else if (arg.starts_with("--dir=")) {
      options.parent = value("--dir=");
    } else if (arg == "--keep") {
      options.keep = true;
    } else if (arg == "--journal") {
      options.journal = true;
    } else if (arg == "--companions") {
      options.shape.companions = true;
    } else if (arg == "--small") {
      options.shape.small = true;
    } else if (arg == "--build-only") {
      options.buildOnly = options.keep = true;
    } else {
      return false;
    }
  }
  if (options.shape.files == 0) options.shape.files = 1;
  if (options.readers.empty()) options.readers.push_back(0);
  return options.latencyMs == 0 || !options.latencyFs.empty();
}

// `quiet`: its standard output goes to /dev/null.
pid_t Spawn(const std::vector<std::string>& args, bool quiet = false) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (quiet) posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : -1;
}

bool IsFuseMount(const std::string& folder) {
  struct statfs info {};
  return statfs(folder.c_str(), &info) == 0 && info.f_type == kFuseMagic;
}

// Mounts `root` at `at` through the latency file system; its process, or -1.
pid_t Mount(const Options& options, const std::string& root, const std::string& at) {
  std::filesystem::create_directory(at);
  pid_t fs = Spawn({options.latencyFs, "--root=" + root, "--delay-ms=" + std::to_string(options.latencyMs), at});
  for (int wait = 0; wait < 200 && fs > 0 && !IsFuseMount(at); ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (IsFuseMount(at)) return fs;
  std::fprintf(stderr, "kirabo-bench: %s did not mount %s\n", options.latencyFs.c_str(), at.c_str());
  if (fs > 0) {
    kill(fs, SIGTERM);
    waitpid(fs, nullptr, 0);
  }
  return -1;
}

void DropCaches() {
  sync();
  int fd = open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
  if (fd < 0 || write(fd, "3", 1) != 1) std::fprintf(stderr, "kirabo-bench: cannot drop the caches (not root?)\n");
  if (fd >= 0) close(fd);
}

// Runs in a child process, so that its peak memory is the job's alone.
int RunJobInChild(const std::string& folder, Contender contender, size_t files, bool journal) {
  CountingObserver observer;
  kirabo::RenameJob job;
  job.folder = folder;
  job.observer = &observer;
  job.readers = contender.readers;
  job.withCompanions = !contender.rawOnly;
  if (journal) {
    job.journalFolder = folder + "-journals";
    std::filesystem::create_directory(job.journalFolder);
  }
  uint64_t readsBefore = kirabo::CFile::SystemReadCount();
  Clock::time_point start = Clock::now();
  kirabo::RenameWorkerProc(&job);
  Clock::time_point end = Clock::now();
  uint64_t reads = kirabo::CFile::SystemReadCount() - readsBefore;
  double total = Seconds(end - start);
  const size_t all = observer.renamed + observer.companions;
  std::printf("readers %-2d%s%s  %zu of %zu renamed (+%zu companions), %zu with _1, %.3f s (scan %.3f s), %.0f files/s, "
              "%.2f reads/file",
              contender.readers, journal ? " journal" : "", contender.rawOnly ? " raw-only" : "", observer.renamed, files,
              observer.companions, observer.suffixed, total, Seconds(observer.firstFile - start),
              static_cast<double>(all) / total, static_cast<double>(reads) / static_cast<double>(files));
  std::fflush(stdout);
  return observer.completed && observer.renamed == files ? 0 : 1;
}

bool RunContender(const std::string& folder, Contender contender, const Options& options, size_t files) {
  if (options.dropCaches) DropCaches();
  pid_t pid = -1;
  Clock::time_point start = Clock::now();
  const int32_t readers = contender.readers;
  if (readers < 0) {
    pid = Spawn({options.floor, folder}, true);
  } else {
    std::fflush(stdout);
    pid = fork();
    if (pid == 0) _exit(RunJobInChild(folder, contender, files, options.journal));
  }
  int status = 0;
  struct rusage usage {};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return false;
  if (readers < 0) std::printf("floor       %.3f s with the program's start", Seconds(Clock::now() - start));
  std::printf(", peak memory %ld KB\n", usage.ru_maxrss);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "Usage: kirabo-bench [--files=N] [--folders=N] [--readers=LIST] [--floor=PATH]\n"
                 "                    [--latency-ms=N --latency-fs=PATH] [--drop-caches] [--dir=PARENT] [--keep]\n"
                 "                    [--journal] [--small] [--companions] [--build-only]\n");
    return 2;
  }
  std::string pattern = options.parent + "/kirabo-bench-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    std::fprintf(stderr, "kirabo-bench: cannot create a folder in %s: %s\n", options.parent.c_str(),
                 std::strerror(errno));
    return 1;
  }
  const std::string base = pattern;
  const bool latency = options.latencyMs > 0;
  const std::string backing = latency ? base + "/backing" : base;
  const std::string seen = latency ? base + "/mount" : base;  // where the jobs find the trees
  std::vector<Contender> contenders;
  for (int32_t readers : options.readers) {
    if (options.shape.companions) contenders.push_back({readers, true});
    contenders.push_back({readers, false});
  }
  if (!options.floor.empty()) contenders.push_back({-1, false});

  int exitCode = 0;
  kirabo::bench::BuiltTree built;
  Clock::time_point buildStart = Clock::now();
  std::filesystem::create_directories(backing);
  for (size_t c = 0; c < contenders.size() && exitCode == 0; ++c) {
    std::string tree = backing + "/tree" + std::to_string(c);
    std::filesystem::create_directory(tree);
    if (!kirabo::bench::BuildSyntheticTree(tree, options.shape, built)) {
      std::fprintf(stderr, "kirabo-bench: cannot build the tree: %s\n", std::strerror(errno));
      exitCode = 1;
    }
  }
  std::printf("%zu trees of %zu raw files (+%zu companions) in %zu folders, %zu colliding, built in %.1f s\n",
              contenders.size(), built.files, built.companions, built.folders, built.collidingFiles,
              Seconds(Clock::now() - buildStart));

  // One mount per tree, so that what the file system reports serving as it
  // ends is one job's requests.
  if (exitCode == 0 && latency) std::filesystem::create_directory(seen);
  for (size_t c = 0; c < contenders.size() && exitCode == 0 && !options.buildOnly; ++c) {
    const std::string name = "/tree" + std::to_string(c);
    pid_t fs = -1;
    if (latency && (fs = Mount(options, backing + name, seen + name)) < 0) exitCode = 1;
    if (exitCode == 0 && !RunContender(seen + name, contenders[c], options, built.files)) exitCode = 1;
    if (fs > 0) {
      std::fflush(stdout);
      kill(fs, SIGTERM);  // the file system unmounts itself as it ends
      waitpid(fs, nullptr, 0);
    }
  }

  if (options.keep) {
    std::printf("kept %s\n", base.c_str());
  } else {
    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);
  }
  return exitCode;
}
