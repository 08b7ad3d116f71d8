#include "bench/PeakMemory.h"

#include <cstdio>
#include <cstring>

namespace bench {

int64_t PeakResidentBytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    int64_t kib = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            long long value = 0;
            if (std::sscanf(line + 6, "%lld", &value) == 1) kib = value;
            break;
        }
    }
    std::fclose(status);
    return kib < 0 ? -1 : kib * 1024;
}

bool ResetPeakResident() {
    // Writing 5 to clear_refs restarts the high-water mark (Linux 4.0 and later).
    std::FILE* refs = std::fopen("/proc/self/clear_refs", "w");
    if (refs == nullptr) return false;
    const bool ok = std::fputs("5", refs) >= 0;
    return std::fclose(refs) == 0 && ok;
}

}  // namespace bench
