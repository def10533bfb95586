#include "engine/RenameWorker.h"

#include <limits>
#include <string>
#include <vector>

#include "engine/CaptureTimeReader.h"
#include "engine/FolderScanner.h"
#include "engine/JobFileSystem.h"
#include "engine/NewName.h"
#include "engine/RenameJob.h"

namespace kirabo {

namespace {

enum class FileResult { Done, Stopped };

void SetText(TextTarget* target, const std::string& text) {
  if (target != nullptr) target->SetText(text);
}

// A stop request is acknowledged by writing Idle; the caller waits for it.
bool AcknowledgeStop(RenameJob& job) {
  if (job.state.load() != StopRequested) return false;
  job.state.store(Idle);
  return true;
}

std::string ProgressText(size_t number, size_t count, const std::string& from, const std::string& to) {
  return std::to_string(number) + "/" + std::to_string(count) + "\n" + from + "\n" + to + "\n";
}

// Tries stem, stem_1, stem_2, ... until one is accepted. Only a taken name
// moves on to the next suffix: any other failure would fail again for every
// suffix, so the file is given up silently.
FileResult RenameOneFile(RenameJob& job, JobFileSystem& fileSystem, const std::string& path, size_t number,
                         size_t count, CodePage codePage) {
  CCaptureTimeReader reader;
  reader.Load(path);
  std::optional<std::string> stem = NameStem(reader.GetCaptureTime(), job.format);
  if (!stem) return FileResult::Done;

  RenameParts parts = SplitForRename(path, codePage);
  for (int32_t attempt = 0;; ++attempt) {
    if (AcknowledgeStop(job)) return FileResult::Stopped;
    std::string candidate = CandidatePath(parts, *stem, attempt);
    RenameOutcome outcome = fileSystem.Rename(path, candidate);
    if (outcome == RenameOutcome::Renamed) {
      SetText(job.statusLabel, ProgressText(number, count, path, candidate));
      return FileResult::Done;
    }
    if (outcome == RenameOutcome::Failed || attempt == std::numeric_limits<int32_t>::max()) {
      return FileResult::Done;
    }
  }
}

void RunJob(RenameJob& job) {
  JobFileSystem& fileSystem = job.fileSystem != nullptr ? *job.fileSystem : RealFileSystem();
  CodePage codePage = ActiveCodePage();

  std::vector<std::string> list;
  {
    CFolderScanner scanner(fileSystem, codePage);
    scanner.CollectRawFiles(job.folder, list, job.statusLabel, job.state);
  }

  const size_t count = list.size();
  for (size_t i = 0; i < count; ++i) {
    if (AcknowledgeStop(job)) return;
    if (RenameOneFile(job, fileSystem, list[i], i + 1, count, codePage) == FileResult::Stopped) return;
  }

  // Idle first, so that a caller waiting for a stop acknowledgement is
  // released before the message waits for the user.
  job.state.store(Idle);
  SetText(job.startButton, "開始");
  if (job.messageBox != nullptr) job.messageBox->ShowInformation("リネーム終了");
}

}  // namespace

uint32_t RenameWorkerProc(void* param) {
  auto& job = *static_cast<RenameJob*>(param);
  // Claim the record without overwriting a stop requested before the worker
  // ran; a record already Running belongs to another worker.
  int32_t expected = Idle;
  if (!job.state.compare_exchange_strong(expected, Running)) {
    if (expected == StopRequested) job.state.store(Idle);
    return 0;
  }
  try {
    RunJob(job);
  } catch (...) {
    // Out of memory while the list or a text grew: end the job like a
    // normal end without the message rather than ending the process.
    job.state.store(Idle);
    try {
      SetText(job.startButton, "開始");
    } catch (...) {
    }
  }
  return 0;
}

}  // namespace kirabo
