#include "tests/win/parity/ParityCases.h"

#include "host/FilterParameters.h"
#include "host/HostApi.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <functional>
#include <sstream>

namespace parity {
namespace {

using emulator::HostImage;

// A photo-like document in integer arithmetic only, so that both compilers build the very same
// bytes: a diagonal ramp, a darker disc, a different slope per plane, opacity planes opaque
// except for a soft transparent corner.
HostImage MakeDocument(int32_t width, int32_t height, int32_t planes, int32_t depth, int16_t mode) {
    HostImage image = HostImage::Blank(width, height, planes, depth, mode);
    const uint32_t full = depth == 16 ? 32768u : 255u;
    const bool cmyk = mode == host::kModeCMYK || mode == host::kModeCMYK64;
    const int32_t colourPlanes = cmyk ? 4 : 3;
    const int64_t cx = width * 35 / 100, cy = height * 40 / 100, radius = std::min(width, height) / 4;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int64_t dx = x - cx, dy = y - cy;
            const bool inDisc = dx * dx + dy * dy < radius * radius;
            for (int32_t c = 0; c < planes; ++c) {
                uint64_t value = 0;
                if (c < colourPlanes) {
                    // 0..1024 ramp, shifted per plane; the disc is a fifth as bright.
                    uint64_t tone = static_cast<uint64_t>(
                        (x * 1024 / std::max(width - 1, 1) + y * 1024 / std::max(height - 1, 1)) / 2);
                    tone = (tone + static_cast<uint64_t>(c) * 200) % 1025;
                    if (inDisc) tone /= 5;
                    value = tone * full / 1024;
                } else {
                    const int64_t corner = x + y;  // the top-left corner fades out
                    value = corner >= 16 ? full : full * static_cast<uint64_t>(corner) / 16;
                }
                image.SetSample(x, y, c, static_cast<uint32_t>(value));
            }
        }
    }
    return image;
}

// A selection with a hard inside, a graded rim and nothing outside.
std::vector<uint8_t> MakeSelection(int32_t width, int32_t height) {
    std::vector<uint8_t> mask(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const int32_t inset = std::min(std::min(x, y), std::min(width - 1 - x, height - 1 - y));
            mask[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                static_cast<uint8_t>(std::min(255, std::max(0, (inset - 6) * 40)));
        }
    return mask;
}

struct Case {
    const char* name;
    int16_t mode;
    int32_t planes;
    int32_t depth;
    bool selection;
    std::function<void(FilterParameters&)> settings;
    bool smallHost = false;  // a host with no suites and no 32-bit rectangles, as many non-editor hosts
};

std::vector<Case> AllCases() {
    auto keep = [](FilterParameters&) {};
    return {
        {"default-rgb8", host::kModeRGB, 3, 8, false, keep},
        {"lines-rgb8", host::kModeRGB, 3, 8, false, [](FilterParameters& p) { p.pattern = 0; }},
        {"waves2-split-rgb8", host::kModeRGB, 3, 8, false,
         [](FilterParameters& p) {
             p.pattern = 2;
             p.colorSchema = 1;
         }},
        {"rings-waves3-initial-rgb8", host::kModeRGB, 3, 8, false,
         [](FilterParameters& p) {
             p.pattern = 6;
             p.colorSchema = 0;
             p.rotation = 75.0f;
         }},
        {"spiral-waves1-solid-rgb8", host::kModeRGB, 3, 8, false,
         [](FilterParameters& p) {
             p.pattern = 9;
             p.solidInk = 1;
             p.centerX = 120.0f;
         }},
        {"spiral-waves4-noise-rgb8", host::kModeRGB, 3, 8, false,
         [](FilterParameters& p) {
             p.pattern = 12;
             p.noise = 30.0f;
             p.randomness = 200.0f;
         }},
        {"default-rgba8", host::kModeRGB, 4, 8, false, keep},
        {"rings-rgba8-no-fill", host::kModeRGB, 4, 8, false,
         [](FilterParameters& p) {
             p.pattern = 3;
             p.fillAlpha = 0;
         }},
        {"default-rgb16", host::kModeRGB48, 3, 16, false, keep},
        {"spiral-split-rgba16", host::kModeRGB48, 4, 16, false,
         [](FilterParameters& p) {
             p.pattern = 8;
             p.colorSchema = 1;
         }},
        {"default-cmyk8", host::kModeCMYK, 4, 8, false, keep},
        {"lines-cmyk16", host::kModeCMYK64, 4, 16, false, [](FilterParameters& p) { p.pattern = 0; }},
        {"default-rgb8-selection", host::kModeRGB, 3, 8, true, keep},
        {"rings-waves2-rgb16-selection", host::kModeRGB48, 3, 16, true, [](FilterParameters& p) { p.pattern = 5; }},
        {"default-rgb8-small-host", host::kModeRGB, 3, 8, false, keep, /*smallHost=*/true},
        {"default-cmyk8-small-host", host::kModeCMYK, 4, 8, false, keep, /*smallHost=*/true},
        {"gray8-refused", host::kModeGrayScale, 1, 8, false, keep},
    };
}

constexpr int32_t kWidth = 72;
constexpr int32_t kHeight = 48;

Outcome RunCase(const Case& c, emulator::EntryPoint entry, MessageSource& messages) {
    emulator::HostOptions options;
    // A replayed action without its dialog: the run must not wait for anyone.
    options.playInfo = host::kPlayDialogDontDisplay;
    if (c.smallHost) {
        options.bigDocument = false;
        options.basicSuite = false;
        options.hostSig = host::FourCC("spHO");
    }
    emulator::EmulatedHost host(entry, options);
    host.SetImage(MakeDocument(kWidth, kHeight, c.planes, c.depth, c.mode));
    if (c.selection) host.SetSelection(MakeSelection(kWidth, kHeight));

    Outcome outcome;
    outcome.name = c.name;
    outcome.inputDigest = Digest(host.Image().samples);
    // The parameters selector creates the record with its defaults; the host keeps it, so the
    // settings written into it now are the ones the run uses.
    outcome.result = host.CallSelector(1);
    if (outcome.result == 0 && host.ParametersData() != nullptr) {
        c.settings(*static_cast<FilterParameters*>(host.ParametersData()));
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

std::string FormatOutcome(const Outcome& outcome) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%d %016" PRIx64 " %016" PRIx64, outcome.result, outcome.inputDigest,
                  outcome.outputDigest);
    std::string line = outcome.name + " " + numbers;
    for (const std::string& m : outcome.messages) line += " | " + m;
    return line;
}

bool ParseOutcome(const std::string& line, Outcome& outcome) {
    std::istringstream in(line);
    int result = 0;
    std::string input, output;
    if (!(in >> outcome.name >> result >> input >> output)) return false;
    outcome.result = static_cast<int16_t>(result);
    outcome.inputDigest = std::stoull(input, nullptr, 16);
    outcome.outputDigest = std::stoull(output, nullptr, 16);
    outcome.messages.clear();
    const std::string separator = " | ";
    for (size_t at = line.find(separator); at != std::string::npos;) {
        const size_t next = line.find(separator, at + separator.size());
        outcome.messages.push_back(line.substr(
            at + separator.size(), next == std::string::npos ? std::string::npos : next - at - separator.size()));
        at = next;
    }
    return true;
}

}  // namespace parity
