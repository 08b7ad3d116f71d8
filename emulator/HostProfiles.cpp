#include "emulator/HostProfiles.h"

#include <stdexcept>

namespace emulator {

const std::vector<HostProfile>& StandardProfiles() {
    static const std::vector<HostProfile> profiles = [] {
        std::vector<HostProfile> list;
        list.push_back(HostProfile{"full", HostOptions{}, true});

        // An open-source host engine as observed: no suites, 16-bit rectangles only, descriptor
        // block without procs, handles whose size it cannot tell, nothing kept between runs.
        HostOptions minimal;
        minimal.basicSuite = false;
        minimal.bigDocument = false;
        minimal.descriptorProcs = false;
        minimal.playInfo = host::kPlayDialogDontDisplay;
        minimal.handleSizesUnknown = true;
        minimal.keepsNothing = true;
        minimal.hostSig = host::FourCC("spHO");
        list.push_back(HostProfile{"minimal engine", minimal, false});

        // A host that allocates the record only up to the fields it knows, zero-filled.
        HostOptions shortRecord;
        shortRecord.recordBytes = 556;
        shortRecord.bigDocument = false;  // the pointer lies in the zero-filled tail
        shortRecord.hostSig = host::FourCC("NDP.");
        list.push_back(HostProfile{"short record", shortRecord, true});
        return list;
    }();
    return profiles;
}

const HostProfile& ProfileNamed(const std::string& name) {
    for (const HostProfile& profile : StandardProfiles())
        if (profile.name == name) return profile;
    throw std::invalid_argument("no host profile named " + name);
}

}  // namespace emulator
