#include "engine/ReadAhead.h"

#include "engine/RenameJob.h"
#include "platform/Medium.h"

namespace kirabo {

namespace {

constexpr int32_t kReadersOffSpinningDisks = 16;
// Files read ahead per reader: enough that a reader finding its file slow
// does not hold up the others, few enough to keep memory flat.
constexpr size_t kFilesInFlightPerReader = 4;

CaptureTime ReadCaptureTime(const std::string& path) {
  CCaptureTimeReader reader;
  reader.Load(path);
  return reader.GetCaptureTime();
}

}  // namespace

int32_t DefaultReadersFor(const std::string& folder) {
  return IsOnRotationalDisk(folder) ? 1 : kReadersOffSpinningDisks;
}

CReadAhead::CReadAhead(const std::vector<std::string>& paths, int32_t readers, const std::atomic<int32_t>& state)
    : paths(paths), state(state) {
  if (readers <= 1 || paths.size() <= 1) return;
  size_t inFlight = static_cast<size_t>(readers) * kFilesInFlightPerReader;
  slots.assign(inFlight, Slot::Reading);
  times.assign(inFlight, -1);
  threads.reserve(static_cast<size_t>(readers));
  try {
    for (int32_t i = 0; i < readers; ++i) threads.emplace_back([this] { ReaderLoop(); });
  } catch (...) {
    // The system would start no more threads: the ones running do the work,
    // and with none the renamer reads each file itself.
  }
}

CReadAhead::~CReadAhead() {
  {
    std::lock_guard lock(mutex);
    closing = true;
  }
  roomToRead.notify_all();
  for (std::thread& thread : threads) thread.join();
}

// The next file has a free place in the ring once the renamer has taken the
// file that held it.
bool CReadAhead::MayClaim() const { return claimed < paths.size() && claimed < consumed + slots.size(); }

void CReadAhead::ReaderLoop() {
  std::unique_lock lock(mutex);
  for (;;) {
    roomToRead.wait(lock, [this] { return closing || claimed >= paths.size() || MayClaim(); });
    if (closing || !MayClaim() || state.load() == StopRequested) return;
    const size_t index = claimed++;
    const size_t place = index % slots.size();
    slots[place] = Slot::Reading;
    lock.unlock();
    Slot outcome = Slot::ReadAtTurn;
    CaptureTime time = -1;
    try {
      if (!IsSymbolicLink(paths[index])) {
        time = ReadCaptureTime(paths[index]);
        outcome = Slot::Read;
      }
    } catch (...) {
      // Out of memory: the renamer reads the file itself and meets the
      // failure there, where the job can end on it.
    }
    lock.lock();
    slots[place] = outcome;
    times[place] = time;
    fileRead.notify_one();
  }
}

CaptureTime CReadAhead::CaptureTimeOf(size_t index) {
  if (threads.empty()) return ReadCaptureTime(paths[index]);
  std::unique_lock lock(mutex);
  const size_t place = index % slots.size();
  bool readHere = true;
  CaptureTime time = -1;
  if (index < claimed) {
    fileRead.wait(lock, [&] { return slots[place] != Slot::Reading; });
    readHere = slots[place] == Slot::ReadAtTurn;
    time = times[place];
  } else {
    // No reader has taken it (they have stopped, or are all busy further
    // on): reading it here is sooner than waiting.
    claimed = index + 1;
  }
  lock.unlock();
  if (readHere) time = ReadCaptureTime(paths[index]);
  lock.lock();
  consumed = index + 1;
  roomToRead.notify_one();
  return time;
}

}  // namespace kirabo
