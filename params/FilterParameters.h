// params/FilterParameters.h: the record of every setting, kept by the host in its
// `parameters` handle between runs. Its layout is what older runs stored: do not reorder.
// Defaults, ranges, labels, keys and options of the settings are in params/SettingTable.h.
#pragma once

#include <cstdint>

struct FilterParameters {
    uint8_t colorSchema;      // 0 "Initial color", 1 "Split color", 2 "Black and white"
    uint8_t pattern;          // 0..12, the dialog's pattern list order
    int32_t autoUpdate;       // dialog: recompute the preview after every change
    int32_t invertIntensity;  // dark image areas get wide elements
    int32_t solidInk;         // no antialiasing
    int32_t invert;           // swaps ink and paper
    int32_t notBreak;         // elements never break
    int32_t useCircles;       // dots instead of continuous elements
    int32_t previewX;         // preview origin inside the filtered area, pixels
    int32_t previewY;
    float rotation;             // degrees
    float space;                // distance between elements
    float offset;               // shift of the elements
    float width;                // width of the elements
    float contrast;             // the dialog labels it "Threshold"
    float randomness;           // artistic distortion
    float amplitude;            // waves
    float frequency;            // waves
    float phaseShift;           // units of 0.18 degree
    float threshold;            // the dialog labels it "Contrast"
    float centerX;              // -1000 left edge .. 1000 right edge
    float centerY;              // -1000 top edge .. 1000 bottom edge
    uint8_t fillAlpha;          // make the result opaque when there is an opacity channel
    float noise;                // added noise
    uint8_t checkerBackground;  // preview transparency as a checkerboard
    uint8_t loadedFromPreset;   // dialog bookkeeping
    uint8_t showDialog;         // set by the descriptor read
    uint8_t previewEnabled;     // the dialog computes previews only while 1
    int16_t reserved1;          // travel with the record; saved and restored around the dialog
    int16_t reserved2;
    uint8_t ranOnce;  // set by every run of the driver
};

// Writes the defaults into every field that has one; showDialog, previewEnabled,
// the two reserved fields and ranOnce are left as they are.
void ResetParameters(FilterParameters& params);

// A record holding the defaults (the untouched fields zero).
FilterParameters DefaultParameters();
