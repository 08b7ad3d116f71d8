#include "host/ParameterOptions.h"

render::EngravingOptions OptionsFromParameters(const FilterParameters& p) {
    render::EngravingOptions o;
    o.colorSchema = p.colorSchema;
    o.pattern = p.pattern;
    // Records from presets and actions may hold any bit pattern in these words: nonzero is set.
    o.invertIntensity = p.invertIntensity != 0;
    o.solidInk = p.solidInk != 0;
    o.invert = p.invert != 0;
    o.notBreak = p.notBreak != 0;
    o.useCircles = p.useCircles != 0;
    o.fillAlpha = p.fillAlpha != 0;
    o.rotation = p.rotation;
    o.space = p.space;
    o.offset = p.offset;
    o.width = p.width;
    o.contrast = p.contrast;
    o.randomness = p.randomness;
    o.amplitude = p.amplitude;
    o.frequency = p.frequency;
    o.phaseShift = p.phaseShift;
    o.threshold = p.threshold;
    o.centerX = p.centerX;
    o.centerY = p.centerY;
    o.noise = p.noise;
    return o;
}
