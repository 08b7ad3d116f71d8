// tests/win/package/PresetReplay.h: every preset of a folder replayed as a recorded action
// through a plug-in entry point, natively and against an installed .8bf under Wine, so the two
// runs can be compared line for line.
#pragma once

#include "emulator/EmulatedHost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace preset_replay {

struct Replayed {
    std::string name;  // file name without ".kzv"
    int16_t result = 0;
    uint64_t digest = 0;   // the picture after the run
    int hostProblems = 0;  // locks left, ledger complaints and suites not released
};

// Reads each ".kzv" of `folder` (name order) over the defaults with the plug-in's preset reader
// and runs the filter on one synthetic RGB picture, the settings arriving as an action replayed
// without its dialog. False with a message when the folder holds no readable preset.
bool ReplayPresets(emulator::EntryPoint entry, const std::string& folder, std::vector<Replayed>& replayed,
                   std::string& error);

// "name<TAB>result digest problems": the same text on every platform.
std::string FormatReplayed(const Replayed& replayed);

// Prints every line to standard output; the exit status of a replay program.
int PrintReplays(emulator::EntryPoint entry, const std::string& folder);

}  // namespace preset_replay
