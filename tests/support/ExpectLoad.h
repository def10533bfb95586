#pragma once

#include <cstdint>
#include <string>

#include "engine/CaptureTimeReader.h"

namespace kirabo::test {

// Loads `path` with a fresh reader and checks the capture time it finds
// (-1: none, which Load must also say) and that it took at most `maxReads`
// reads of the system; `what` names the case in a failure.
void ExpectLoad(const std::string& path, CaptureTime expected, uint64_t maxReads, const std::string& what);

}  // namespace kirabo::test
