// render/ElementLayout.h: every element (line, ring or spiral turn) of every pass, in drawing order,
// with its sample count and, where it is knowable up front, the random state at its first sample.
#pragma once

#include "render/RenderEngraving.h"
#include "render/RenderSettings.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace render {

struct Element {
    int pass = 0;
    // Lines: the first base point, the step between samples, the half-pitch shift of dots.
    float p0x = 0.0f;
    float p0y = 0.0f;
    float stepX = 0.0f;
    float stepY = 0.0f;
    // Rings: radius at the start of the element and the angle step.
    float radius = 0.0f;
    float delta = 0.0f;
    int64_t samples = 0;  // samples walked (rings: angle steps below a full turn)
    int64_t drawn = 0;    // leading samples that are processed (a spiral's negative radii are not)
    uint32_t randomState = 0;
};

struct ElementLayout {
    std::vector<Element> elements;
    bool lines = true;
    // True when every sample takes the same number of draws wherever it falls, so that any sample's
    // random state follows from its index and areas can be drawn independently.
    bool fixedDraws = true;
    int drawsPerSample = 0;  // with fixedDraws
    int farDraws = 0;        // draws of a sample outside `decisionArea` (the wave's only)
    // Samples whose base point lies outside this rectangle (working units) can neither pass the
    // bounds test of rings nor fall into the selection: only used without fixedDraws.
    double decisionArea[4] = {0, 0, 0, 0};  // x0, y0, x1, y1
    // How far a sample can move from its base point before the bounds and selection tests.
    double decisionMargin = 0.0;
    // How far from its base point a sample's stamp can reach, in working units.
    double stampReach = 0.0;
    float dotPitch = 1.0f;
    float shiftX = 0.0f;  // lines: the half-pitch shift of dots
    float shiftY = 0.0f;
    bool denseSampling = false;
    int64_t progressTotal = 0;
    int64_t maxStampRadius = 0;
};

// True when every sample takes the same number of random draws wherever it falls: without relief
// and noise, or for lines without a selection (which have no bounds test either).
bool HasFixedDraws(const RenderSettings& settings, bool hasMask);

// Lays out all passes. Throws std::bad_alloc when memory is short or the elements would not fit in
// it (areas of billions of pixels).
ElementLayout MakeElementLayout(const RenderSettings& settings, const RenderJob& job);

// Alpha accumulator bound for a ring: enough angle steps to pass a full turn even when every addition
// rounds down to half the step.
int64_t RingStepBound(float delta);

// Converts a position to an integer toward zero; NaN and values far outside any image land far
// outside it instead of overflowing.
inline int64_t TruncateToInt64(double value) {
    constexpr double kFar = 4.0e15;  // beyond any coordinate a 32-bit image size can reach
    if (std::fabs(value) < kFar) return static_cast<int64_t>(value);
    return value > 0.0 ? static_cast<int64_t>(kFar) : -static_cast<int64_t>(kFar);  // NaN included
}

constexpr double kTwoPi = 6.28318530717958647692;
constexpr float kTwoPiF = 6.28318530717958647692f;
// A dot pitch below one working unit (a width far under anything the dialog allows) would take
// thousands of samples per element for dots too small to see; it is raised to one unit.
constexpr float kMinDotPitch = 1.0f;

}  // namespace render
