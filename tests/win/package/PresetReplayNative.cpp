// preset-replay-native FOLDER: the presets of FOLDER replayed through the plug-in code linked
// in; the reference for the same replay against an installed .8bf under Wine.
#include "host/PluginMain.h"
#include "tests/win/package/PresetReplay.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: preset-replay-native FOLDER\n");
        return 2;
    }
    return preset_replay::PrintReplays(PluginMain, argv[1]);
}
