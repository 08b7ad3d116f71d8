#include "memory/LargePages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace memory {

void AdviseLargePages(void* data, size_t bytes) noexcept {
#if defined(MADV_HUGEPAGE)
    constexpr size_t kLargePage = size_t{2} << 20;
    if (data == nullptr || bytes < kLargePage) return;
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<uintptr_t>(data);
    const uintptr_t begin = (start + page - 1) & ~(page - 1);
    const uintptr_t end = (start + bytes) & ~(page - 1);
    // Transparent huge pages set to "madvise" (a common default) use them only where asked.
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace memory
