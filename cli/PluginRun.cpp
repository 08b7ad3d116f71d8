#include "cli/PluginRun.h"

#include "emulator/EmulatedHost.h"
#include "emulator/SettingsAction.h"
#include "host/Platform.h"
#include "host/PluginMain.h"

#include <utility>

namespace cli {

namespace {

// The host's progress proc is a plain function pointer, so the sink and the emulator's own proc
// live here for the one run in progress (engrave runs one plug-in at a time).
ProgressSink* gSink = nullptr;
host::ProgressProc gHostProgress = nullptr;

void TappedProgress(int32_t done, int32_t total) {
    if (gHostProgress != nullptr) gHostProgress(done, total);
    if (gSink != nullptr) gSink->Progress(done, total);
}

// Stands between the emulator and the plug-in to put our progress proc in front of the host's;
// the emulator refills the record before a run, so it is checked on every call.
void TappedEntry(int16_t selector, void* block, intptr_t* data, int16_t* result) {
    if (selector != host::kSelectorAbout && block != nullptr) {
        auto* record = static_cast<host::FilterRecord*>(block);
        if (record->progressProc != TappedProgress) {
            gHostProgress = record->progressProc;
            record->progressProc = TappedProgress;
        }
    }
    PluginMain(selector, block, data, result);
}

void CatchMessage(void* context, const char* text, const char*) {
    static_cast<PluginOutcome*>(context)->message = text != nullptr ? text : "";
}

// Undoes the process-wide hooks on every exit path.
class RunScope {
public:
    RunScope(ProgressSink* sink, PluginOutcome& outcome) {
        gSink = sink;
        platform::SetMessageObserver(CatchMessage, &outcome);
    }
    ~RunScope() {
        platform::SetMessageObserver(nullptr, nullptr);
        gSink = nullptr;
        gHostProgress = nullptr;
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;
};

}  // namespace

PluginOutcome RunPlugin(emulator::HostImage& image, const std::vector<uint8_t>& selection,
                        const FilterParameters& settings, ProgressSink* progress) {
    PluginOutcome outcome;
    RunScope scope(progress, outcome);
    // The input is read where the document holds it and the output written where it stays, in
    // unpadded rows: a large picture is then held twice during the run instead of four times.
    emulator::HostOptions options;
    options.inputInPlace = true;
    options.outputInPlace = true;
    options.rowPadding = 0;
    emulator::EmulatedHost host(TappedEntry, options);
    // The document moves into the host and back: a large picture is not held twice.
    host.SetImage(std::move(image));
    if (!selection.empty()) host.SetSelection(selection);
    // The settings travel as a recorded action replayed without its dialog, the way batch
    // work reaches the plug-in in the image editor; its descriptor reader stores them.
    host.ReplayAction(emulator::ActionFor(settings), host::kPlayDialogDontDisplay);
    outcome.result = host.RunFilter();
    // On failure the host's document is still the image it was given.
    image = host.TakeImage();
    outcome.spareMemory = host.TakeSpareMemory();
    return outcome;
}

std::string DescribeResult(int16_t result) {
    switch (result) {
        case host::kMemFullErr:
            return "out of memory";
        case host::kUserCanceledErr:
            return "cancelled";
        case host::kFilterBadParameters:
            return "bad parameters";
        default:
            return "error " + std::to_string(result);
    }
}

}  // namespace cli
