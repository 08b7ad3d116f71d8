#include "presets/ShippedPresets.h"

#include "presets/PresetWriter.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

// Field names against the dialog's labels: `contrast` is the dialog's "Threshold" and
// `threshold` its "Contrast"; `phaseShift` counts 0.18 degree units.
enum Pattern : uint8_t {
    kLines = 0,
    kWaves1 = 1,
    kWaves2 = 2,
    kRings = 3,
    kRingsWaves2 = 5,
    kSpiral = 8,
    kSpiralWaves1 = 9,
};
enum Schema : uint8_t { kInitialColor = 0, kSplitColor = 1, kBlackAndWhite = 2 };

template <class Change>
ShippedPreset Preset(const char* name, Change change) {
    ShippedPreset preset{name, DefaultParameters()};
    change(preset.settings);
    return preset;
}

std::vector<ShippedPreset> MakeTable() {
    std::vector<ShippedPreset> table;
    table.push_back(Preset("Fine banknote lines", [](FilterParameters& p) {
        p.pattern = kWaves1;
        p.space = 6;
        p.width = 90;
        p.amplitude = 35;
        p.frequency = 220;
        p.rotation = 20;
    }));
    table.push_back(Preset("Coarse woodcut", [](FilterParameters& p) {
        p.pattern = kLines;
        p.space = 16;
        p.width = 170;
        p.rotation = 12;
        p.randomness = 250;
        p.threshold = 60;
    }));
    table.push_back(Preset("Portrait in rings", [](FilterParameters& p) {
        p.pattern = kRings;
        p.space = 9;
        p.width = 120;
        p.centerY = -250;  // rings centred on a face in the upper half of a portrait
    }));
    table.push_back(Preset("Spiral poster", [](FilterParameters& p) {
        p.pattern = kSpiral;
        p.colorSchema = kInitialColor;
        p.space = 14;
        p.width = 150;
        p.threshold = 40;
    }));
    table.push_back(Preset("Screen print", [](FilterParameters& p) {
        // Bold lines that survive a coarse screen mesh. Made to be used with Solid Ink, which
        // the dialog keeps apart from presets (a preset does not store it).
        p.pattern = kLines;
        p.space = 12;
        p.width = 150;
        p.rotation = 45;
        p.threshold = 80;
    }));
    table.push_back(Preset("Pen hatching", [](FilterParameters& p) {
        p.pattern = kLines;
        p.space = 6;
        p.width = 75;
        p.rotation = -45;
        p.threshold = 50;
        p.notBreak = 1;
    }));
    table.push_back(Preset("Etching with grain", [](FilterParameters& p) {
        p.pattern = kWaves2;
        p.space = 8;
        p.rotation = -25;
        p.amplitude = 60;
        p.frequency = 60;
        p.randomness = 80;
        p.noise = 25;
    }));
    table.push_back(Preset("Rippled colour rings", [](FilterParameters& p) {
        p.pattern = kRingsWaves2;
        p.colorSchema = kInitialColor;
        p.space = 9;
        p.amplitude = 60;
        p.centerX = 200;
        p.centerY = -200;
    }));
    table.push_back(Preset("Split colour waves", [](FilterParameters& p) {
        p.pattern = kWaves1;
        p.colorSchema = kSplitColor;
        p.space = 10;
        p.offset = 3;  // each channel's lines a third of the spacing from the previous one's
        p.rotation = 0;
        p.amplitude = 150;
        p.frequency = 70;
    }));
    table.push_back(Preset("Record groove", [](FilterParameters& p) {
        p.pattern = kSpiralWaves1;
        p.space = 6;
        p.width = 100;
        p.amplitude = 25;
        p.frequency = 400;
    }));
    return table;
}

}  // namespace

const std::vector<ShippedPreset>& ShippedPresets() {
    static const std::vector<ShippedPreset> table = MakeTable();
    return table;
}

bool WriteShippedPresets(const std::string& folder, std::string& error) {
    for (const ShippedPreset& preset : ShippedPresets()) {
        const std::string path = folder + "/" + preset.name + ".kzv";
        errno = 0;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out || !PresetWriter(out, preset.settings) || (out.close(), out.fail())) {
            error = path + ": " + (errno != 0 ? std::strerror(errno) : "write failed");
            return false;
        }
    }
    return true;
}
