#include "host/FilterParameters.h"

void ResetParameters(FilterParameters& p) {
    p.colorSchema = 2;
    p.pattern = 1;
    p.autoUpdate = 1;
    p.invertIntensity = 1;
    p.solidInk = 0;
    p.invert = 0;
    p.notBreak = 0;
    p.useCircles = 0;
    p.previewX = 0;
    p.previewY = 0;
    p.rotation = 30.0f;
    p.space = 20.0f;
    p.offset = 0.0f;
    p.width = 100.0f;
    p.contrast = 0.0f;
    p.randomness = 0.0f;
    p.amplitude = 100.0f;
    p.frequency = 100.0f;
    p.phaseShift = 0.0f;
    p.threshold = 0.0f;
    p.centerX = 0.0f;
    p.centerY = 0.0f;
    p.fillAlpha = 1;
    p.noise = 0.0f;
    p.checkerBackground = 1;
    p.loadedFromPreset = 0;
}

FilterParameters DefaultParameters() {
    FilterParameters p{};
    ResetParameters(p);
    return p;
}
