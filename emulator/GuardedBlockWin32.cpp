#include "emulator/GuardedBlock.h"

#include <windows.h>

#include <new>

namespace emulator {

GuardedBlock::GuardedBlock(size_t bytes) : size(bytes) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    const size_t dataPages = (bytes + page - 1) / page;
    mappingBytes = (dataPages + 1) * page;
    mapping = VirtualAlloc(nullptr, mappingBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (mapping == nullptr) throw std::bad_alloc();
    char* guard = static_cast<char*>(mapping) + dataPages * page;
    DWORD old = 0;
    VirtualProtect(guard, page, PAGE_NOACCESS, &old);
    data = guard - bytes;
}

GuardedBlock::~GuardedBlock() {
    VirtualFree(mapping, 0, MEM_RELEASE);
}

}  // namespace emulator
