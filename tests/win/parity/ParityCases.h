// tests/win/parity/ParityCases.h: end-to-end cases run twice, natively with the plug-in code
// linked in and under Wine against the real .8bf; the two runs must agree byte for byte.
#pragma once

#include "emulator/EmulatedHost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace parity {

// What one case produced. Messages are "caption: text", in the order the plug-in raised them.
struct Outcome {
    std::string name;  // "host profile/case"
    int16_t result = 0;
    uint64_t inputDigest = 0;   // the document before the run
    uint64_t outputDigest = 0;  // the document after it
    int hostProblems = 0;       // locks left, ledger complaints and suites not released
    std::vector<std::string> messages;
};

// Hands back (and forgets) the messages raised since the last call.
class MessageSource {
public:
    virtual ~MessageSource() = default;
    virtual std::vector<std::string> Drain() = 0;
};

// Runs every end-to-end case under every host profile through `entry`, each in a fresh
// emulated host, plus a refused image mode.
std::vector<Outcome> RunAllCases(emulator::EntryPoint entry, MessageSource& messages);

// One line per outcome, and back; the native build writes the reference file with these.
std::string FormatOutcome(const Outcome& outcome);
bool ParseOutcome(const std::string& line, Outcome& outcome);

// 64-bit FNV-1a: a stable digest, equal on every compiler and platform.
uint64_t Digest(const std::vector<uint8_t>& bytes);

}  // namespace parity
