// memory/LargePages.h: asks the system to back a large buffer with large pages. Images, the host's
// buffers and a file's compressed data are tens of megabytes filled once per run; in small pages,
// faulting them in costs several times the copy that fills them.
#pragma once

#include <cstddef>
#include <vector>

namespace memory {

// A hint for a block about to be written: only whole pages inside [data, data + bytes) are
// affected, blocks under one large page are left alone, and nothing changes where the system
// offers no such hint. The contents and the ownership of the block are untouched.
void AdviseLargePages(void* data, size_t bytes) noexcept;

// Gives `v` room for `count` elements, advised before anything touches the new memory: reserve
// the room first, then resize or fill it.
template <typename T>
void ReserveInLargePages(std::vector<T>& v, size_t count) {
    if (v.capacity() >= count) return;
    v.reserve(count);
    AdviseLargePages(v.data(), v.capacity() * sizeof(T));
}

}  // namespace memory
