// kirabo-format-bench: the cost of reading one file's capture time, per file
// given: read system calls per file and time per file, over many reads.
//
//   kirabo-format-bench [--rounds=N] FILE...
//
// Each round opens, reads and closes the file as the job does; after the
// first round the file is in the page cache, so the time is the reader's own.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CaptureTimeReader.h"
#include "platform/File.h"

int main(int argc, char** argv) {
  long rounds = 2000;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.starts_with("--rounds=")) {
      rounds = std::strtol(argv[i] + 9, nullptr, 10);
    } else {
      files.emplace_back(arg);
    }
  }
  if (files.empty() || rounds <= 0) {
    std::fprintf(stderr, "Usage: kirabo-format-bench [--rounds=N] FILE...\n");
    return 2;
  }
  std::printf("%-40s %12s %14s %s\n", "file", "reads/file", "us/file", "capture time");
  for (const std::string& file : files) {
    kirabo::CaptureTime time = -1;
    uint64_t readsBefore = kirabo::CFile::SystemReadCount();
    auto start = std::chrono::steady_clock::now();
    for (long round = 0; round < rounds; ++round) {
      kirabo::CCaptureTimeReader reader;
      reader.Load(file);
      time = reader.GetCaptureTime();
    }
    std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    double reads = static_cast<double>(kirabo::CFile::SystemReadCount() - readsBefore) / static_cast<double>(rounds);
    std::string name = file.substr(file.find_last_of("/\\") + 1);
    std::printf("%-40s %12.2f %14.2f %lld\n", name.c_str(), reads, elapsed.count() / static_cast<double>(rounds),
                static_cast<long long>(time));
  }
  return 0;
}
