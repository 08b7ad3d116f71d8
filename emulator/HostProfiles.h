// emulator/HostProfiles.h: named configurations of real hosts, so every end-to-end case can run
// as the editor, as a minimal open-source host engine and as a host with a short record.
#pragma once

#include "emulator/EmulatedHost.h"

#include <string>
#include <vector>

namespace emulator {

struct HostProfile {
    std::string name;
    HostOptions options;
    bool sixteenBit = true;  // the host offers 16-bit documents
};

// "full", "minimal engine", "short record".
const std::vector<HostProfile>& StandardProfiles();
const HostProfile& ProfileNamed(const std::string& name);

}  // namespace emulator
