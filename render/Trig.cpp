#include "render/Trig.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace render {
namespace {

constexpr double kTwoOverPi = 0.63661977236758134308;
constexpr double kTwoPi = 6.28318530717958647692;
// pi / 2 in three parts: the first has 24 significant bits, so multiples of it by quadrant
// counts below 2^29 are exact, and the remainder keeps the reduction accurate to ~1e-16.
constexpr double kHalfPiHigh = static_cast<double>(static_cast<float>(1.57079632679489661923));
constexpr double kHalfPiMiddle = 1.57079632679489661923 - kHalfPiHigh;
constexpr double kHalfPiLow = 6.123233995736766e-17;  // pi / 2 minus its nearest double

// Taylor series on [-pi/4, pi/4], to r^13 and r^14: the first omitted terms are below 3e-14
// and 1e-15, far below a float's rounding. Evaluated in pairs (Estrin) to shorten the chain of
// dependent multiplications.
double KernelSin(double r) {
    const double r2 = r * r;
    const double r4 = r2 * r2;
    const double low = (-1.0 / 6.0 + r2 * (1.0 / 120.0)) + r4 * (-1.0 / 5040.0 + r2 * (1.0 / 362880.0));
    const double high = (-1.0 / 39916800.0 + r2 * (1.0 / 6227020800.0));
    return r + (r * r2) * (low + (r4 * r4) * high);
}

double KernelCos(double r) {
    const double r2 = r * r;
    const double r4 = r2 * r2;
    const double low = (-0.5 + r2 * (1.0 / 24.0)) + r4 * (-1.0 / 720.0 + r2 * (1.0 / 40320.0));
    const double high = (-1.0 / 3628800.0 + r2 * (1.0 / 479001600.0)) + r4 * (-1.0 / 87178291200.0);
    return 1.0 + r2 * (low + (r4 * r4) * high);
}

// Reduces `angle` to r in [-pi/4, pi/4] plus its quadrant (0..3).
double Reduce(double angle, int& quadrant) {
    // Far out, fold by whole turns first (fmod is exact) so the quadrant count fits an integer.
    if (!(std::fabs(angle) <= 1e8)) angle = std::fmod(angle, kTwoPi);
    // Nearest quadrant count, by integer conversion: cheaper than floor on baseline x86-64.
    const double t = angle * kTwoOverPi;
    const auto count = static_cast<int64_t>(t >= 0.0 ? t + 0.5 : t - 0.5);
    quadrant = static_cast<int>(count & 3);
    const auto k = static_cast<double>(count);
    return ((angle - k * kHalfPiHigh) - k * kHalfPiMiddle) - k * kHalfPiLow;
}

}  // namespace

void SinCosF(float angleRad, float& sine, float& cosine) {
    if (!std::isfinite(angleRad)) {
        sine = cosine = std::numeric_limits<float>::quiet_NaN();
        return;
    }
    int quadrant = 0;
    const double r = Reduce(angleRad, quadrant);
    const double s = KernelSin(r);
    const double c = KernelCos(r);
    switch (quadrant) {
        case 0:
            sine = static_cast<float>(s), cosine = static_cast<float>(c);
            break;
        case 1:
            sine = static_cast<float>(c), cosine = static_cast<float>(-s);
            break;
        case 2:
            sine = static_cast<float>(-s), cosine = static_cast<float>(-c);
            break;
        default:
            sine = static_cast<float>(-c), cosine = static_cast<float>(s);
            break;
    }
}

// One kernel instead of both: the same expression, so the same bits as SinCosF.
float SinF(float angleRad) {
    if (!std::isfinite(angleRad)) return std::numeric_limits<float>::quiet_NaN();
    int quadrant = 0;
    const double r = Reduce(angleRad, quadrant);
    switch (quadrant) {
        case 0:
            return static_cast<float>(KernelSin(r));
        case 1:
            return static_cast<float>(KernelCos(r));
        case 2:
            return static_cast<float>(-KernelSin(r));
        default:
            return static_cast<float>(-KernelCos(r));
    }
}

float CosF(float angleRad) {
    if (!std::isfinite(angleRad)) return std::numeric_limits<float>::quiet_NaN();
    int quadrant = 0;
    const double r = Reduce(angleRad, quadrant);
    switch (quadrant) {
        case 0:
            return static_cast<float>(KernelCos(r));
        case 1:
            return static_cast<float>(-KernelSin(r));
        case 2:
            return static_cast<float>(-KernelCos(r));
        default:
            return static_cast<float>(KernelSin(r));
    }
}

}  // namespace render
