// bench/DialogBench.cpp: how quickly the dialog answers on a large document: opening it (both
// panes fetched, the navigator bitmap, the first preview), a control change (preview render and
// result bitmap) for every pattern, and the navigator bitmap alone. The dialog's portable steps
// run through the emulated host, driven by this program's own stand-in for the dialog seam.
// Prints medians, their ratio to the targets, and the preview's ratio to one whole-document render
// measured in the same run.
#include "bench/SyntheticImage.h"
#include "bench/Timing.h"
#include "emulator/EmulatedHost.h"
#include "host/DialogSeam.h"
#include "host/FilterDriver.h"
#include "host/PluginGlobals.h"
#include "host/PluginMain.h"
#include "host/PreviewViews.h"
#include "params/SettingTable.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

namespace {

// The real dialog's panes at 96 dots per inch.
constexpr int32_t kPaneWidth = 320, kPaneHeight = 250;
constexpr double kChangeTargetMs = 10.0, kHeaviestTargetMs = 40.0, kOpenTargetMs = 150.0;
struct Results {
    int runs = 5;
    std::vector<double> openMs, deliveryMs, navigatorMs;
    std::vector<std::vector<double>> changeMs = std::vector<std::vector<double>>(13);
} gResults;

host::AdvanceStateProc gHostDelivery = nullptr;
double gDeliverySeconds = 0.0;

// The host's own work (copying the document into its buffers) is not the dialog's to answer for.
host::OSErr TimedDelivery() {
    const bench::Stopwatch watch;
    const host::OSErr answer = gHostDelivery();
    gDeliverySeconds += watch.Seconds();
    return answer;
}

double Ms(const bench::Stopwatch& watch) {
    return watch.Seconds() * 1000.0;
}

}  // namespace

DialogOutcome RunMainDialog() {
    host::FilterRecord& record = *CurrentRecord();
    gHostDelivery = record.advanceState;
    record.advanceState = TimedDelivery;
    gPlugin.inDialog = 1;
    FilterParameters& params = *gPlugin.parameters;
    int16_t* pane = gPlugin.dataBlock->previewRect;
    pane[0] = pane[1] = 0;
    pane[2] = kPaneHeight;
    pane[3] = kPaneWidth;
    PreviewView navigator, main;
    navigator.viewMode = PreviewView::kNavigator;
    navigator.width = main.width = kPaneWidth;
    navigator.height = main.height = kPaneHeight;
    params.previewX = 2800;  // a part in the middle of the document
    params.previewY = 1900;

    for (int run = 0; run < gResults.runs; ++run) {
        gDeliverySeconds = 0.0;
        const bench::Stopwatch open;
        PreparePreviewView(navigator);
        PreparePreviewView(main);
        BuildNavigatorBitmap(navigator);
        RunFilter();
        BuildResultBitmap(main);
        gResults.openMs.push_back(Ms(open));
        gResults.deliveryMs.push_back(gDeliverySeconds * 1000.0);

        const bench::Stopwatch alone;
        BuildNavigatorBitmap(navigator);
        gResults.navigatorMs.push_back(Ms(alone));

        for (int pattern = 0; pattern < 13; ++pattern) {
            params.pattern = static_cast<uint8_t>(pattern);
            const bench::Stopwatch change;
            RunFilter();
            BuildResultBitmap(main);
            gResults.changeMs[pattern].push_back(Ms(change));
        }
        params.pattern = 1;
    }
    gPlugin.inDialog = 0;
    record.advanceState = gHostDelivery;
    return DialogOutcome::kOk;
}
void ShowAbout(const host::AboutRecord&) {}
void ShowDialogProgress(void*, int32_t, int32_t) {}

int main(int argc, char** argv) {
    bool whole = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) gResults.runs = std::max(1, std::atoi(argv[++i]));
        if (std::strcmp(argv[i], "--no-whole") == 0) whole = false;
    }
    bench::SyntheticImage picture = bench::MakePhotoLikeImage(6000, 4000, 3, 8);
    emulator::HostImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.planes = 3;
    image.depth = 8;
    image.mode = host::kModeRGB;
    image.samples = std::move(picture.samples8);

    emulator::EmulatedHost host(PluginMain);
    host.SetImage(image);
    if (host.RunFilter() != 0) {  // the stand-in dialog runs inside; OK then renders the whole document
        std::fprintf(stderr, "the filter run failed\n");
        return 1;
    }
    double wholeMs = 0.0;
    if (whole) {  // one run without the dialog: the reference the preview is a fraction of
        emulator::HostOptions quiet;
        quiet.playInfo = host::kPlayDialogDontDisplay;
        emulator::EmulatedHost reference(PluginMain, quiet);
        reference.SetImage(image);
        const bench::Stopwatch watch;
        if (reference.RunFilter() == 0) wholeMs = Ms(watch);
    }

    std::printf("document 6000 x 4000 8-bit RGB, panes %d x %d, medians of %d runs\n", kPaneWidth, kPaneHeight,
                gResults.runs);
    const double open = bench::Median(gResults.openMs), delivery = bench::Median(gResults.deliveryMs);
    std::printf("%-34s %9.2f ms\n", "host's delivery (both panes)", delivery);
    std::printf("%-34s %9.2f ms  target ratio %.2f\n", "opening beyond the delivery", open - delivery,
                (open - delivery) / kOpenTargetMs);
    std::printf("%-34s %9.2f ms\n", "navigator bitmap alone", bench::Median(gResults.navigatorMs));
    double heaviest = 0.0;
    int heaviestPattern = 0;
    for (int pattern = 0; pattern < 13; ++pattern) {
        const double ms = bench::Median(gResults.changeMs[pattern]);
        if (ms > heaviest) heaviest = ms, heaviestPattern = pattern;
        const std::string label = std::string("change, ") + params::kPatternNames[pattern];
        std::printf("%-34s %9.2f ms", label.c_str(), ms);
        if (wholeMs > 0.0) std::printf("  of a whole render %.5f", ms / wholeMs);
        std::printf("\n");
    }
    std::printf("default (Waves 1) change / 10 ms target: %.2f; heaviest (%s) / 40 ms target: %.2f\n",
                bench::Median(gResults.changeMs[1]) / kChangeTargetMs, params::kPatternNames[heaviestPattern],
                heaviest / kHeaviestTargetMs);
    if (wholeMs > 0.0) std::printf("%-34s %9.2f ms\n", "whole render, no dialog", wholeMs);
    return 0;
}
