#include "engine/ReadAhead.h"

#include <utility>

#include "engine/RenameJob.h"
#include "platform/Medium.h"

namespace kirabo {

namespace {

constexpr int32_t kReadersOffSpinningDisks = 16;
// Files read ahead per reader: enough that a reader finding its file slow
// does not hold up the others, few enough to keep memory flat.
constexpr size_t kFilesInFlightPerReader = 4;

}  // namespace

int32_t DefaultReadersFor(const std::string& folder) {
  return IsOnRotationalDisk(folder) ? 1 : kReadersOffSpinningDisks;
}

CReadAhead::CReadAhead(const ScanResult& scan, int32_t readers, const std::atomic<int32_t>& state)
    : scan(scan), state(state), cursor(scan) {
  if (readers <= 1 || scan.files.size() <= 1) return;
  size_t inFlight = static_cast<size_t>(readers) * kFilesInFlightPerReader;
  slots.assign(inFlight, Slot::Reading);
  reads.assign(inFlight, {});
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
bool CReadAhead::MayClaim() const {
  return claimed < scan.files.size() && claimed < consumed + slots.size();
}

// Files are claimed in list order, so the readers' cursor mostly moves down
// the tree as the renamer's does; a reader keeps its folder open while it
// reads, whatever the others make the cursor hold meanwhile.
CReadAhead::Slot CReadAhead::Read(size_t index, CaptureTimeRead& read) {
  const ScannedFile& file = scan.files[index];
  if (file.isLink) return Slot::ReadAtTurn;
  std::shared_ptr<JobFolder> folder;
  {
    std::lock_guard lock(cursorMutex);
    std::string reason;
    folder = cursor.Hold(file.folder, reason);
  }
  // A folder gone from where the scan found it is the renamer's to report.
  if (!folder) return Slot::ReadAtTurn;
  read = folder->ReadCaptureTime(file.name);
  return Slot::Read;
}

void CReadAhead::ReaderLoop() {
  std::unique_lock lock(mutex);
  for (;;) {
    roomToRead.wait(lock, [this] { return closing || claimed >= scan.files.size() || MayClaim(); });
    if (closing || !MayClaim() || state.load() == StopRequested) return;
    const size_t index = claimed++;
    const size_t place = index % slots.size();
    slots[place] = Slot::Reading;
    lock.unlock();
    Slot outcome = Slot::ReadAtTurn;
    CaptureTimeRead read;
    try {
      outcome = Read(index, read);
    } catch (...) {
      // Out of memory: the renamer reads the file itself and meets the
      // failure there, where the job can end on it.
    }
    lock.lock();
    slots[place] = outcome;
    reads[place] = std::move(read);
    fileRead.notify_one();
  }
}

std::optional<CaptureTimeRead> CReadAhead::TakeCaptureTime(size_t index) {
  if (threads.empty()) return std::nullopt;
  std::unique_lock lock(mutex);
  const size_t place = index % slots.size();
  std::optional<CaptureTimeRead> read;
  if (index < claimed) {
    fileRead.wait(lock, [&] { return slots[place] != Slot::Reading; });
    if (slots[place] == Slot::Read) read = std::move(reads[place]);
  } else {
    // No reader has taken it (they have stopped, or are all busy further
    // on): reading it at once is sooner than waiting.
    claimed = index + 1;
  }
  consumed = index + 1;
  roomToRead.notify_one();
  return read;
}

}  // namespace kirabo
