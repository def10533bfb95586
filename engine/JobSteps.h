#pragma once

#include <string>

#include "engine/JobObserver.h"
#include "engine/RenameJob.h"

namespace kirabo {

// The first and last steps that every worker procedure takes with its record.

// Claims the record for this worker without overwriting a stop requested
// before it ran; false when the worker must return at once (the stop has
// then been acknowledged).
bool ClaimJob(RenameJob& job);

// Writes Idle, then tells the observer of the end (and of the journal's
// failure first, with `journalError`).
void EndJob(RenameJob& job, JobEnd end, const JobCounts& counts, const std::string& journalError = {});

}  // namespace kirabo
