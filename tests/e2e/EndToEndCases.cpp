#include "tests/e2e/EndToEndCases.h"

#include "tests/support/TestImages.h"

#include <cmath>

namespace e2e {

namespace {

EndToEndCase Rgb8(std::string name, std::function<void(FilterParameters&)> settings) {
    return EndToEndCase{std::move(name), 97, 61, 3, 8, host::kModeRGB, false, std::move(settings)};
}

}  // namespace

const std::vector<EndToEndCase>& StandardCases() {
    static const std::vector<EndToEndCase> cases = [] {
        std::vector<EndToEndCase> list;
        list.push_back(Rgb8("defaults", [](FilterParameters&) {}));
        list.push_back(Rgb8("lines", [](FilterParameters& p) { p.pattern = 0; }));
        list.push_back(Rgb8("rings waves 3", [](FilterParameters& p) { p.pattern = 6; }));
        list.push_back(Rgb8("spiral waves 1", [](FilterParameters& p) {
            p.pattern = 9;
            p.centerX = 300;
        }));
        list.push_back(Rgb8("initial color", [](FilterParameters& p) { p.colorSchema = 0; }));
        list.push_back(Rgb8("split color offset", [](FilterParameters& p) {
            p.colorSchema = 1;
            p.offset = 250;
        }));
        list.push_back(Rgb8("invert relief noise", [](FilterParameters& p) {
            p.invert = 1;
            p.invertIntensity = 0;
            p.randomness = 200;
            p.noise = 30;
        }));
        list.push_back(Rgb8("solid ink dots", [](FilterParameters& p) {
            p.solidInk = 1;
            p.useCircles = 1;
        }));
        list.push_back(EndToEndCase{"rgba 16-bit", 64, 45, 4, 16, host::kModeRGB48, false, [](FilterParameters& p) {
                                        p.fillAlpha = 0;
                                        p.pattern = 3;
                                    }});
        list.push_back(EndToEndCase{"cmyk", 70, 40, 4, 8, host::kModeCMYK, false, [](FilterParameters&) {}});
        list.push_back(EndToEndCase{"cmyk alpha 16-bit selection", 50, 37, 5, 16, host::kModeCMYK64, true,
                                    [](FilterParameters& p) { p.pattern = 12; }});
        list.push_back(EndToEndCase{"rgb selection", 80, 50, 3, 8, host::kModeRGB, true,
                                    [](FilterParameters& p) { p.notBreak = 1; }});
        return list;
    }();
    return cases;
}

std::vector<uint8_t> EllipseSelection(int32_t width, int32_t height) {
    std::vector<uint8_t> mask(static_cast<size_t>(width) * static_cast<size_t>(height));
    const double cx = width / 2.0, cy = height / 2.0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const double d = std::hypot((x - cx) / (width * 0.4), (y - cy) / (height * 0.4));
            const double m = std::clamp((1.15 - d) / 0.3, 0.0, 1.0);
            mask[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                static_cast<uint8_t>(m * 255.0 + 0.5);
        }
    return mask;
}

RunOutcome RunOnImage(emulator::EntryPoint entry, emulator::HostImage image,
                      const std::function<void(FilterParameters&)>& settings, std::vector<uint8_t> selection,
                      const emulator::HostOptions& options) {
    emulator::EmulatedHost host(entry, options);
    host.SetImage(std::move(image));
    if (!selection.empty()) host.SetSelection(std::move(selection));
    RunOutcome outcome;
    // The parameters selector creates the record with its defaults; the settings go on top,
    // as a user's last values would.
    outcome.result = host.CallSelector(host::kSelectorParameters);
    if (outcome.result == 0) {
        settings(*static_cast<FilterParameters*>(host.ParametersData()));
        outcome.result = host.RunFilter();
    }
    outcome.image = host.Image();
    outcome.lockedHandles = host.Ledger().LockedCount();
    outcome.ledgerProblems = host.Ledger().Problems();
    outcome.outstandingSuites = host.Suites().outstandingAcquires;
    return outcome;
}

RunOutcome RunCase(emulator::EntryPoint entry, const EndToEndCase& c, const emulator::HostOptions& options) {
    emulator::HostImage image = testing_support::MakePicture(c.width, c.height, c.planes, c.depth, c.mode);
    std::vector<uint8_t> selection;
    if (c.withSelection) selection = EllipseSelection(c.width, c.height);
    return RunOnImage(entry, std::move(image), c.settings, std::move(selection), options);
}

uint64_t Fingerprint(const emulator::HostImage& image) {
    uint64_t hash = 1469598103934665603ull;
    for (uint8_t byte : image.samples) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace e2e
