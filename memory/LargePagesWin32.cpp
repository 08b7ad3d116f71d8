#include "memory/LargePages.h"

namespace memory {

// Large pages on Windows need the "lock pages in memory" privilege, which a test or host user
// seldom holds, and must be allocated as such up front: ordinary pages are kept.
void AdviseLargePages(void*, size_t) noexcept {}

}  // namespace memory
