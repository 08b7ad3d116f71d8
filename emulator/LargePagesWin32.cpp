#include "emulator/LargePages.h"

namespace emulator {

// Large pages on Windows need the "lock pages in memory" privilege, which a test or host user
// seldom holds, and must be allocated as such up front: ordinary pages are kept.
void AdviseLargePages(void*, size_t) noexcept {}

}  // namespace emulator
