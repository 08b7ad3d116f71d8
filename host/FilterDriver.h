// host/FilterDriver.h: fetches the host's image into the working layout, runs the render core
// into the host's output buffer, converts back to the document's colour space and restores
// what lies outside the selection.
#pragma once

#include "host/HostRects.h"

#include <cstdint>

// Values worked out by the last RunFilter, kept for the preview.
struct DriverValues {
    int32_t outWidth = 0, outHeight = 0;
    int32_t filterWidth = 0, filterHeight = 0;
    int32_t regionWidth = 0, regionHeight = 0;
    int32_t originX = 0, originY = 0;
    int32_t processWidth = 0, processHeight = 0;
    int32_t depth = 8;
    bool cmykLayout = false;
};

extern DriverValues gDriver;

// Renders the filtered area (or, in the dialog, the previewed part). Errors go to the host result.
void RunFilter();

// RGB and CMYK, 8 or 16 bits per channel: the modes the driver engraves.
bool IsSupportedImageMode(int16_t mode);

// Progress to the host (final render) or to the dialog's bar (preview); done is never negative.
void ReportProgress(int64_t done, int64_t total);

// Asks the host for the whole filtered area, all planes, at full resolution, and waits for it.
// Returns the host's answer (0 when delivered).
int16_t RequestWholeImage();
