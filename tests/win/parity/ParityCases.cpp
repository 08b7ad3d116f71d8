#include "tests/win/parity/ParityCases.h"

#include "host/FilterParameters.h"
#include "host/HostApi.h"
#include "tests/e2e/EndToEndCases.h"
#include "tests/support/TestImages.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>
#include <utility>

namespace parity {
namespace {

// The end-to-end cases, plus runs that only matter across builds: hosts that offer less, and a
// refused mode, whose message boxes the Windows run must raise as the native run reports them.
struct Case {
    e2e::EndToEndCase document;
    bool smallHost = false;  // no suites and no 32-bit rectangles, as many non-editor hosts
};

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (const e2e::EndToEndCase& c : e2e::StandardCases()) cases.push_back({c});
    const auto keep = [](FilterParameters&) {};
    cases.push_back({{"small host rgb", 61, 43, 3, 8, host::kModeRGB, false, keep}, /*smallHost=*/true});
    cases.push_back({{"small host cmyk", 61, 43, 4, 8, host::kModeCMYK, false, keep}, /*smallHost=*/true});
    cases.push_back({{"gray refused", 40, 30, 1, 8, host::kModeGrayScale, false, keep}});
    return cases;
}

Outcome RunCase(const Case& c, emulator::EntryPoint entry, MessageSource& messages) {
    const e2e::EndToEndCase& d = c.document;
    emulator::HostOptions options;
    // A replayed action without its dialog: the run must not wait for anyone.
    options.playInfo = host::kPlayDialogDontDisplay;
    if (c.smallHost) {
        options.bigDocument = false;
        options.basicSuite = false;
        options.hostSig = host::FourCC("spHO");
    }
    emulator::EmulatedHost host(entry, options);
    host.SetImage(testing_support::MakePicture(d.width, d.height, d.planes, d.depth, d.mode));
    if (d.withSelection) host.SetSelection(e2e::EllipseSelection(d.width, d.height));

    Outcome outcome;
    outcome.name = d.name;
    outcome.inputDigest = Digest(host.Image().samples);
    // The parameters selector creates the record with its defaults; the host keeps it, so the
    // settings written into it now are the ones the run uses.
    outcome.result = host.CallSelector(host::kSelectorParameters);
    if (outcome.result == 0 && host.ParametersData() != nullptr) {
        d.settings(*static_cast<FilterParameters*>(host.ParametersData()));
        outcome.result = host.RunFilter();
    }
    outcome.outputDigest = Digest(host.Image().samples);
    outcome.messages = messages.Drain();
    return outcome;
}

}  // namespace

std::vector<Outcome> RunAllCases(emulator::EntryPoint entry, MessageSource& messages) {
    std::vector<Outcome> outcomes;
    messages.Drain();
    for (const Case& c : AllCases()) outcomes.push_back(RunCase(c, entry, messages));
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
    std::snprintf(numbers, sizeof numbers, "%d %016" PRIx64 " %016" PRIx64, outcome.result, outcome.inputDigest,
                  outcome.outputDigest);
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
    if (!(in >> result >> input >> output)) return false;
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
