#include "emulator/GuardedBlock.h"

#include <sys/mman.h>
#include <unistd.h>

#include <new>

namespace emulator {

GuardedBlock::GuardedBlock(size_t bytes) : size(bytes) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t dataPages = (bytes + page - 1) / page;
    mappingBytes = (dataPages + 1) * page;
    mapping = mmap(nullptr, mappingBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) throw std::bad_alloc();
    char* guard = static_cast<char*>(mapping) + dataPages * page;
    mprotect(guard, page, PROT_NONE);
    data = guard - bytes;
}

GuardedBlock::~GuardedBlock() {
    munmap(mapping, mappingBytes);
}

}  // namespace emulator
