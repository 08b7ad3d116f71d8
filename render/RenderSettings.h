// render/RenderSettings.h: the user's settings turned into geometry in working units, computed
// once per render, with every value made safe for the loops that use it.
#pragma once

#include "render/RenderEngraving.h"

#include <cstdint>

namespace render {

enum class ColorSchema : uint8_t { kInitialColor = 0, kSplitColor = 1, kBlackAndWhite = 2 };

struct RenderSettings {
    ColorSchema schema = ColorSchema::kBlackAndWhite;
    int pattern = 1;  // 0..12
    int passes = 1;   // three for split colour
    bool invertIntensity = true;
    bool solidInk = false;
    bool invert = false;
    bool notBreak = false;
    bool useCircles = false;
    bool fillAlpha = true;
    bool preview = false;

    float theta = 0.0f;  // radians
    float cosTheta = 1.0f;
    float sinTheta = 0.0f;
    float spacing = 20.0f;     // S, at least 1 working unit
    float offsetStep = 0.0f;   // F
    float baseWidth = 0.0f;    // B
    float elementBase = 0.0f;  // B'': B, or 5B (the dot pitch) with circles
    float thresholdTerm = 0.0f;
    float relief = 0.0f;
    float contrastGain = 0.0f;
    float amplitude = 0.0f;
    float spatialFrequency = 0.0f;  // radians per working unit
    float angularFrequency = 0.0f;  // radians per radian
    float phase = 0.0f;             // in units of pi
    float noise = 0.0f;
    float centerX = 0.0f;  // pattern centre in working units of the rendered area
    float centerY = 0.0f;

    int64_t areaWidth = 0;  // Wu, Hu: the rendered area in working units
    int64_t areaHeight = 0;
    float areaCenterX = 0.0f;
    float areaCenterY = 0.0f;
    int64_t extent = 0;  // Ex: length of every line and width of the band lines cover
};

// Pattern families and their wave arguments.
bool IsLinePattern(int pattern);
bool IsSpiralPattern(int pattern);
int RingSubtype(int pattern);  // 0 none, 1-2 angular waves, 3-4 arc-length waves

// Derives the settings for one render. Options may hold any value (out of range, infinite,
// NaN); they are brought into ranges that keep every loop finite, see the .cpp for each guard.
// The job must already be validated (sizes >= 1).
RenderSettings MakeRenderSettings(const EngravingOptions& options, const RenderJob& job);

}  // namespace render
