// write-shipped-presets FOLDER: writes the presets that ship with the plug-in into FOLDER (which
// must exist), through the same writer as the dialog's Save, for the release package.
#include "presets/ShippedPresets.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write-shipped-presets FOLDER\n");
        return 2;
    }
    std::string error;
    if (!WriteShippedPresets(argv[1], error)) {
        std::fprintf(stderr, "write-shipped-presets: %s\n", error.c_str());
        return 5;
    }
    for (const ShippedPreset& preset : ShippedPresets()) std::printf("%s.kzv\n", preset.name.c_str());
    return 0;
}
