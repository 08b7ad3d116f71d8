#include "tests/win/parity/ParityCases.h"

#include "api/HostApi.h"
#include "emulator/HostProfiles.h"
#include "params/FilterParameters.h"
#include "tests/e2e/EndToEndCases.h"
#include "tests/support/TestImages.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>
#include <utility>

namespace parity {
namespace {

Outcome RunOne(const std::string& name, const e2e::EndToEndCase& c, emulator::HostOptions options,
               emulator::EntryPoint entry, MessageSource& messages) {
    // A replayed action without its dialog: the run must not wait for anyone.
    options.playInfo = host::kPlayDialogDontDisplay;
    Outcome outcome;
    outcome.name = name;
    outcome.inputDigest = Digest(testing_support::MakePicture(c.width, c.height, c.planes, c.depth, c.mode).samples);
    const e2e::RunOutcome run = e2e::RunCase(entry, c, options);
    outcome.result = run.result;
    outcome.outputDigest = Digest(run.image.samples);
    outcome.hostProblems = run.lockedHandles + static_cast<int>(run.ledgerProblems.size()) + run.outstandingSuites;
    outcome.messages = messages.Drain();
    return outcome;
}

}  // namespace

std::vector<Outcome> RunAllCases(emulator::EntryPoint entry, MessageSource& messages) {
    std::vector<Outcome> outcomes;
    messages.Drain();
    for (const emulator::HostProfile& profile : emulator::StandardProfiles()) {
        for (const e2e::EndToEndCase& c : e2e::StandardCases()) {
            if (c.depth == 16 && !profile.sixteenBit) continue;
            outcomes.push_back(RunOne(profile.name + "/" + c.name, c, profile.options, entry, messages));
        }
    }
    // A mode the driver refuses: both of its message boxes must come up, in order.
    const e2e::EndToEndCase gray{"gray refused", 40, 30, 1, 8, host::kModeGrayScale, false, [](FilterParameters&) {}};
    outcomes.push_back(RunOne("full/gray refused", gray, emulator::HostOptions{}, entry, messages));
    return outcomes;
}

uint64_t Digest(const std::vector<uint8_t>& bytes) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (uint8_t b : bytes) {
        hash ^= b;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

// Names may hold blanks, so the name ends the line's fixed part with a tab.
std::string FormatOutcome(const Outcome& outcome) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%d %016" PRIx64 " %016" PRIx64 " %d", outcome.result, outcome.inputDigest,
                  outcome.outputDigest, outcome.hostProblems);
    std::string line = outcome.name + "\t" + numbers;
    for (const std::string& m : outcome.messages) line += " | " + m;
    return line;
}

bool ParseOutcome(const std::string& line, Outcome& outcome) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) return false;
    outcome.name = line.substr(0, tab);
    std::istringstream in(line.substr(tab + 1));
    int result = 0;
    std::string input, output;
    if (!(in >> result >> input >> output >> outcome.hostProblems)) return false;
    try {
        outcome.inputDigest = std::stoull(input, nullptr, 16);
        outcome.outputDigest = std::stoull(output, nullptr, 16);
    } catch (const std::exception&) {
        return false;
    }
    outcome.result = static_cast<int16_t>(result);
    outcome.messages.clear();
    const std::string separator = " | ";
    for (size_t at = line.find(separator); at != std::string::npos;) {
        const size_t next = line.find(separator, at + separator.size());
        const size_t start = at + separator.size();
        outcome.messages.push_back(line.substr(start, next == std::string::npos ? std::string::npos : next - start));
        at = next;
    }
    return true;
}

}  // namespace parity
