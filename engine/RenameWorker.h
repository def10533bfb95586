#pragma once

#include <cstdint>

namespace kirabo {

// Runs one rename job on the calling thread. `job` is a RenameJob*; the result
// is always 0. Returns after the normal end (state Idle, caption "開始",
// message "リネーム終了") or after acknowledging a stop (state Idle only).
uint32_t RenameWorkerProc(void* job);

}  // namespace kirabo
