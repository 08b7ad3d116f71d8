// emulator/GuardedBlock.h: a zero-filled block that ends exactly where an inaccessible page
// begins, so that a plug-in reading past a short record faults at once instead of reading junk.
#pragma once

#include <cstddef>

namespace emulator {

class GuardedBlock {
public:
    explicit GuardedBlock(size_t bytes);
    ~GuardedBlock();
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    void* Data() const { return data; }
    size_t Size() const { return size; }

private:
    void* mapping = nullptr;
    size_t mappingBytes = 0;
    void* data = nullptr;
    size_t size = 0;
};

}  // namespace emulator
