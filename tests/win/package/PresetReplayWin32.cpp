// preset-replay PLUGIN FOLDER (Windows paths): loads the .8bf the way a host does, from wherever
// it was installed, and replays the presets of FOLDER through it.
#include "tests/win/package/PresetReplay.h"
#include "tests/win/parity/MessageBoxCatcher.h"
#include "tests/win/plugin/PluginFile.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: preset-replay PLUGIN.8bf FOLDER\n");
        return 2;
    }
    const LoadedPlugin plugin(argv[1]);
    if (plugin.Entry() == nullptr) {
        std::fprintf(stderr, "preset replay: %s\n", plugin.Error().c_str());
        return 1;
    }
    MessageBoxCatcher catcher;  // a message box would wait for a click forever
    const int status = preset_replay::PrintReplays(plugin.Entry(), argv[2]);
    for (const std::string& message : catcher.Drain()) std::fprintf(stderr, "message: %s\n", message.c_str());
    return status;
}
