#pragma once

#include <cstdint>

namespace kirabo {

// Runs one rename job on the calling thread. `job` is a RenameJob*; the result
// is always 0. The job's observer hears of every folder searched and every
// raw file found, then of the job's end (see JobObserver for the order of the
// last steps). A job with a format the name-format table lacks lists the
// files but deals with none of them.
uint32_t RenameWorkerProc(void* job);

}  // namespace kirabo
