#include "tests/win/package/PresetReplay.h"

#include "api/HostApi.h"
#include "emulator/SettingsAction.h"
#include "params/FilterParameters.h"
#include "presets/PresetReader.h"
#include "tests/support/TestImages.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace preset_replay {

namespace {

bool IsPresetFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".kzv";
}

}  // namespace

bool ReplayPresets(emulator::EntryPoint entry, const std::string& folder, std::vector<Replayed>& replayed,
                   std::string& error) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    std::error_code failure;
    for (fs::directory_iterator it(fs::u8path(folder), failure), end; !failure && it != end; it.increment(failure))
        if (IsPresetFile(it->path())) files.push_back(it->path());
    if (failure || files.empty()) {
        error = folder + ": " + (failure ? failure.message() : "no preset");
        return false;
    }
    std::sort(files.begin(), files.end());
    replayed.clear();
    for (const fs::path& file : files) {
        FilterParameters settings = DefaultParameters();
        if (!PresetReader(file.string(), settings)) {
            error = file.string() + ": not read as a preset";
            return false;
        }
        emulator::EmulatedHost host(entry);
        host.SetImage(testing_support::MakePicture(160, 120, 3, 8, host::kModeRGB));
        host.ReplayAction(emulator::ActionFor(settings), host::kPlayDialogDontDisplay);
        Replayed one;
        one.name = file.stem().string();
        one.result = host.RunFilter();
        uint64_t hash = 0xCBF29CE484222325ull;  // FNV-1a, equal on every compiler
        for (uint8_t b : host.Image().samples) hash = (hash ^ b) * 0x100000001B3ull;
        one.digest = hash;
        one.hostProblems = host.Ledger().LockedCount() + static_cast<int>(host.Ledger().Problems().size()) +
                           host.Suites().outstandingAcquires;
        replayed.push_back(one);
    }
    return true;
}

std::string FormatReplayed(const Replayed& replayed) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%d %016" PRIx64 " %d", replayed.result, replayed.digest,
                  replayed.hostProblems);
    return replayed.name + "\t" + numbers;
}

int PrintReplays(emulator::EntryPoint entry, const std::string& folder) {
    std::vector<Replayed> replayed;
    std::string error;
    if (!ReplayPresets(entry, folder, replayed, error)) {
        std::fprintf(stderr, "preset replay: %s\n", error.c_str());
        return 1;
    }
    for (const Replayed& r : replayed) std::printf("%s\n", FormatReplayed(r).c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace preset_replay
