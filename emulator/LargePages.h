// emulator/LargePages.h: asks the system to back a large buffer with large pages. The host's
// image buffers are tens of megabytes filled once per run; in small pages, faulting them in costs
// several times the copy that fills them.
#pragma once

#include <cstddef>

namespace emulator {

// A hint for a block about to be written: only whole pages inside [data, data + bytes) are
// affected, blocks under one large page are left alone, and nothing changes where the system
// offers no such hint. The contents and the ownership of the block are untouched.
void AdviseLargePages(void* data, size_t bytes) noexcept;

}  // namespace emulator
