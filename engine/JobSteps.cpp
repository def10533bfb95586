#include "engine/JobSteps.h"

namespace kirabo {

bool ClaimJob(RenameJob& job) {
  // A record already Running belongs to another worker.
  int32_t expected = Idle;
  if (job.state.compare_exchange_strong(expected, Running)) return true;
  if (expected == StopRequested) EndJob(job, JobEnd::Stopped, {});
  return false;
}

// Idle first: on a stop that write is the acknowledgement the caller waits
// for. A stop requested since the last check is acknowledged by the same
// write, so the end it reports is Stopped.
void EndJob(RenameJob& job, JobEnd end, const JobCounts& counts, const std::string& journalError) {
  if (job.state.exchange(Idle) == StopRequested && end == JobEnd::Completed) end = JobEnd::Stopped;
  if (job.observer == nullptr) return;
  try {
    if (end == JobEnd::JournalFailed) job.observer->OnJournalFailed(journalError);
    job.observer->OnJobEnd(end, counts);
  } catch (...) {
    // The front end could not say it (out of memory); the job is over all the same.
  }
}

}  // namespace kirabo
