#include "cli/PluginRun.h"

#include "emulator/EmulatedHost.h"
#include "host/Platform.h"
#include "host/PluginMain.h"

#include <cstring>

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
    emulator::HostOptions options;
    options.playInfo = host::kPlayDialogDontDisplay;  // a batch run: no dialog, ever
    emulator::EmulatedHost host(TappedEntry, options);
    host.SetImage(image);
    if (!selection.empty()) host.SetSelection(selection);

    // The parameters selector makes the record the host keeps; our settings go into it as the
    // last run's values, which is where a real host's plug-in would find them.
    outcome.result = host.CallSelector(host::kSelectorParameters);
    if (outcome.result != 0) return outcome;
    void* record = host.ParametersData();
    if (record == nullptr) {
        outcome.result = host::kFilterBadParameters;
        return outcome;
    }
    FilterParameters params;
    std::memcpy(&params, record, sizeof params);
    const FilterParameters kept = params;
    params = settings;
    params.showDialog = kept.showDialog;
    params.previewEnabled = kept.previewEnabled;
    params.reserved1 = kept.reserved1;
    params.reserved2 = kept.reserved2;
    params.ranOnce = kept.ranOnce;
    std::memcpy(record, &params, sizeof params);

    outcome.result = host.RunFilter();
    if (outcome.result == 0) image = host.Image();
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
