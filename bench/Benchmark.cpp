// kirabo-bench: builds a tree of synthetic raw files, runs one rename job on
// it and reports files per second and read system calls per file.
//
//   kirabo-bench [--files=N] [--dir=PARENT] [--keep] [--journal] [--small] [--build-only]
//
// --journal keeps the job's undo journal (in a folder beside the tree, removed
// afterwards), to weigh what it costs; --small writes files of a few
// kilobytes instead of sparse ones of camera size; --build-only builds the
// tree, keeps it and runs no job (for scripts such as bench/kill-undo).
//
// The files are created just before the job, so their metadata blocks are in
// the page cache: the numbers measure the job's own cost, not the disk's.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

#include "SyntheticTree.h"
#include "engine/JobObserver.h"
#include "engine/RenameJob.h"
#include "engine/RenameWorker.h"
#include "platform/File.h"

namespace {

using Clock = std::chrono::steady_clock;

// Counts renamed files and notes when the first one came, which is when
// the scan has ended.
class CountingObserver : public kirabo::JobObserver {
 public:
  void OnSearching(const std::string&) override {}
  void OnFile(const kirabo::FileReport& report) override {
    if (report.number == 1) firstFile = Clock::now();
    if (report.outcome != kirabo::FileOutcome::Renamed) return;
    ++renamed;
    if (report.newPath.find("_1.") != std::string::npos) ++suffixed;
  }
  void OnJobEnd(kirabo::JobEnd end, const kirabo::JobCounts&) override { completed = end == kirabo::JobEnd::Completed; }
  size_t renamed = 0;
  size_t suffixed = 0;
  bool completed = false;
  Clock::time_point firstFile;
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  kirabo::bench::TreeShape shape;
  std::string parent = std::filesystem::temp_directory_path().string();
  bool keep = false;
  bool journal = false;
  bool buildOnly = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.starts_with("--files=")) {
      shape.files = std::strtoull(argv[i] + 8, nullptr, 10);
    } else if (arg.starts_with("--dir=")) {
      parent = argv[i] + 6;
    } else if (arg == "--keep") {
      keep = true;
    } else if (arg == "--journal") {
      journal = true;
    } else if (arg == "--small") {
      shape.small = true;
    } else if (arg == "--build-only") {
      buildOnly = keep = true;
    } else {
      std::fprintf(stderr,
                   "Usage: kirabo-bench [--files=N] [--dir=PARENT] [--keep] [--journal] [--small] [--build-only]\n");
      return 2;
    }
  }
  if (shape.files == 0) shape.files = 1;

  std::string pattern = parent + "/kirabo-bench-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    std::fprintf(stderr, "kirabo-bench: cannot create a folder in %s: %s\n", parent.c_str(), std::strerror(errno));
    return 1;
  }
  const std::string root = pattern;

  std::printf("building %zu files in %s ...\n", shape.files, root.c_str());
  kirabo::bench::BuiltTree built;
  Clock::time_point buildStart = Clock::now();
  bool builtOk = kirabo::bench::BuildSyntheticTree(root, shape, built);
  std::printf("built %zu files (%.1f GB apparent, sparse) in %zu folders, %d levels deep, %zu colliding, %.1f s\n",
              built.files, static_cast<double>(built.apparentBytes) / 1e9, built.folders, shape.depth,
              built.collidingFiles, Seconds(Clock::now() - buildStart));

  int exitCode = builtOk && buildOnly ? 0 : 1;
  const std::string journals = root + "-journals";
  if (builtOk && !buildOnly) {
    CountingObserver observer;
    kirabo::RenameJob job;
    job.folder = root;
    job.observer = &observer;
    if (journal && std::filesystem::create_directory(journals)) job.journalFolder = journals;

    uint64_t readsBefore = kirabo::CFile::SystemReadCount();
    Clock::time_point start = Clock::now();
    kirabo::RenameWorkerProc(&job);
    Clock::time_point end = Clock::now();
    uint64_t reads = kirabo::CFile::SystemReadCount() - readsBefore;

    double total = Seconds(end - start);
    std::printf("journal: %s\n", job.journalFolder.empty() ? "none" : "kept");
    std::printf("job: %zu of %zu files renamed, %zu with suffix _1, in %.3f s (scan %.3f s, renames %.3f s)\n",
                observer.renamed, built.files, observer.suffixed, total, Seconds(observer.firstFile - start),
                Seconds(end - observer.firstFile));
    std::printf("%.0f files/s, %.2f read system calls per file\n", static_cast<double>(observer.renamed) / total,
                static_cast<double>(reads) / static_cast<double>(built.files));
    exitCode = observer.completed && observer.renamed == built.files ? 0 : 1;
  } else if (!builtOk) {
    std::fprintf(stderr, "kirabo-bench: cannot build the tree: %s\n", std::strerror(errno));
  }
  std::error_code ignored;
  std::filesystem::remove_all(journals, ignored);

  if (keep) {
    std::printf("kept %s\n", root.c_str());
  } else {
    std::filesystem::remove_all(root, ignored);
  }
  return exitCode;
}
