#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/JobFileSystem.h"

namespace kirabo {

// Readers for a job whose folder lies on `folder`'s medium: one on a
// spinning disk, which would seek between files read at once; several
// elsewhere, where round trips (a network share) or parallel channels (an
// SSD) make files read at once arrive sooner.
int32_t DefaultReadersFor(const std::string& folder);

// Reads the capture times of a job's files ahead of the renamer, on threads
// of its own, a bounded number of files in flight. The renamer asks for the
// files in list order and gets what it would have read itself at its turn:
// only file contents are read ahead, and a file reached through a link,
// which the job's own renames could redirect, is read at its turn. With one
// reader no thread starts and each file is read when asked for. Files are
// read through the job's file system, from several threads at once.
class CReadAhead {
 public:
  // `paths`, `fileSystem` and `state` outlive the reader. A stop request in
  // `state` keeps the readers from starting further files.
  CReadAhead(const std::vector<std::string>& paths, int32_t readers, JobFileSystem& fileSystem,
             const std::atomic<int32_t>& state);
  // Returns once every reader has finished its file and ended.
  ~CReadAhead();
  CReadAhead(const CReadAhead&) = delete;
  CReadAhead& operator=(const CReadAhead&) = delete;

  // The capture time of paths[index], or why it could not be read; each
  // index once, in increasing order.
  CaptureTimeRead CaptureTimeOf(size_t index);

 private:
  enum class Slot : uint8_t { Reading, Read, ReadAtTurn };

  void ReaderLoop();
  bool MayClaim() const;

  const std::vector<std::string>& paths;
  JobFileSystem& fileSystem;
  const std::atomic<int32_t>& state;
  std::mutex mutex;
  // Separate, so that each change wakes only the one thread it concerns: a
  // file handed to the renamer frees one place for one reader, a file read
  // concerns the renamer alone.
  std::condition_variable roomToRead;
  std::condition_variable fileRead;
  // Ring of the files in flight: file i in place i % size.
  std::vector<Slot> slots;
  std::vector<CaptureTimeRead> reads;
  size_t claimed = 0;   // files below this have been taken by a reader or the renamer
  size_t consumed = 0;  // files below this have been handed to the renamer
  bool closing = false;
  std::vector<std::thread> threads;
};

}  // namespace kirabo
