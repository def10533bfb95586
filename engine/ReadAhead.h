#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/FolderCursor.h"
#include "engine/FolderScanner.h"
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
// only file contents are read ahead, each through its folder held open as
// the scan found it (never through a path, which a folder swapped meanwhile
// could redirect), and a file reached through a link, which the job's own
// renames could redirect, is left for the renamer to read at its turn. With
// one reader no thread starts and the renamer reads every file itself.
class CReadAhead {
 public:
  // `scan` and `state` outlive the reader. A stop request in `state` keeps
  // the readers from starting further files.
  CReadAhead(const ScanResult& scan, int32_t readers, const std::atomic<int32_t>& state);
  // Returns once every reader has finished its file and ended.
  ~CReadAhead();
  CReadAhead(const CReadAhead&) = delete;
  CReadAhead& operator=(const CReadAhead&) = delete;

  // The capture time of scan.files[index] as a reader found it, or why it
  // could not be read; nothing when
  // the renamer is to read the file itself, through the folder it holds.
  // Each index once, in increasing order.
  std::optional<CaptureTimeRead> TakeCaptureTime(size_t index);

 private:
  enum class Slot : uint8_t { Reading, Read, ReadAtTurn };

  void ReaderLoop();
  bool MayClaim() const;
  Slot Read(size_t index, CaptureTimeRead& read);

  const ScanResult& scan;
  const std::atomic<int32_t>& state;
  // The readers' own line of held folders, apart from the renamer's: they
  // run ahead of it, into folders it has not reached.
  std::mutex cursorMutex;
  FolderCursor cursor;
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
