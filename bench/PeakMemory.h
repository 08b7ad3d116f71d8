// bench/PeakMemory.h: the process's peak resident memory, resettable between measurements (Linux;
// elsewhere both calls report nothing).
#pragma once

#include <cstdint>

namespace bench {

// Peak resident set in bytes since start or the last reset; -1 when unknown.
int64_t PeakResidentBytes();

// Restarts the peak from the current resident set. Returns false when the system cannot.
bool ResetPeakResident();

}  // namespace bench
