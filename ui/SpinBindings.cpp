#include "ui/SpinBindings.h"

#include "resources/MainDialogIds.h"

namespace ui {
namespace {

// The phase is stored in units of 0.18 degree and shown in degrees.
constexpr float kDegreesPerPhaseUnit = 0.18f;
constexpr float kPhaseUnitsPerDegree = 5.5555553f;

const SpinBinding kBindings[kSpinBindingCount] = {
    {IDC_SPACE, &FilterParameters::space, 5, 100, 1, 1, "Space", "Distance between elements"},
    {IDC_OFFSET, &FilterParameters::offset, 0, 1000, 1, 1, "Offset", "Shift of geometry elements"},
    {IDC_WIDTH, &FilterParameters::width, 15, 200, 1, 1, "Width", "Width of geometry elements"},
    {IDC_CONTRAST, &FilterParameters::contrast, -100, 1000, 1, 1, "Retouch", "Retouch merovane picture"},
    {IDC_THRESHOLD, &FilterParameters::threshold, -300, 300, 1, 1, "Amplification",
     "Amplify contrast of merovane picture"},
    {IDC_RANDOMNESS, &FilterParameters::randomness, -1000, 1000, 1, 1, "Add relief", "Additional artistic distortion"},
    {IDC_AMPLITUDE, &FilterParameters::amplitude, 0, 1000, 1, 1, "Amplitude", "Waves amplitude"},
    {IDC_FREQUENCY, &FilterParameters::frequency, 0, 1000, 1, 1, "Frequency", "Waves frequency"},
    {IDC_PHASE, &FilterParameters::phaseShift, -180, 180, kDegreesPerPhaseUnit, kPhaseUnitsPerDegree, "Shift",
     "Shift of wave phase"},
    {IDC_CENTER_X, &FilterParameters::centerX, -1000, 1000, 1, 1, "Center X", "Pattern center by X"},
    {IDC_CENTER_Y, &FilterParameters::centerY, -1000, 1000, 1, 1, "Center Y", "Pattern center by Y"},
    {IDC_NOISE, &FilterParameters::noise, 0, 100, 1, 1, "Noise", "Add noise"},
};

}  // namespace

const SpinBinding* SpinBindings() {
    return kBindings;
}

const SpinBinding* FindSpinBinding(int controlId) {
    for (const SpinBinding& b : kBindings)
        if (b.controlId == controlId) return &b;
    return nullptr;
}

}  // namespace ui
