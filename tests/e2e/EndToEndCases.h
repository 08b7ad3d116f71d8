// tests/e2e/EndToEndCases.h: whole filter runs through the emulated host, shared by the native
// tests and the Windows test host so both can compare the very same cases byte for byte.
#pragma once

#include "emulator/EmulatedHost.h"
#include "params/FilterParameters.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

struct EndToEndCase {
    std::string name;
    int32_t width, height, planes, depth;
    int16_t mode;
    bool withSelection;  // a soft-edged elliptical selection
    std::function<void(FilterParameters&)> settings;
};

// The cases every build must agree on: defaults, one pattern of each family, every schema,
// 16-bit, RGBA, CMYK, solid ink, dots and a selection.
const std::vector<EndToEndCase>& StandardCases();

struct RunOutcome {
    int16_t result = 0;
    emulator::HostImage image;
    int lockedHandles = 0;                    // locks the plug-in left behind
    std::vector<std::string> ledgerProblems;  // double disposes, unbalanced unlocks...
    int outstandingSuites = 0;                // suites acquired and not released
};

// Runs one case through `entry` on a synthetic picture and returns the document afterwards.
RunOutcome RunCase(emulator::EntryPoint entry, const EndToEndCase& c, const emulator::HostOptions& options = {});

// Runs the filter on `image` with `settings` applied over the defaults.
RunOutcome RunOnImage(emulator::EntryPoint entry, emulator::HostImage image,
                      const std::function<void(FilterParameters&)>& settings, std::vector<uint8_t> selection = {},
                      const emulator::HostOptions& options = {});

// A soft elliptical selection over an area (0 outside, 255 inside, a ramp between).
std::vector<uint8_t> EllipseSelection(int32_t width, int32_t height);

// FNV-1a over the samples: a short fingerprint to compare runs across builds.
uint64_t Fingerprint(const emulator::HostImage& image);

}  // namespace e2e
