#include "render/Trig.h"

#include <cmath>
#include <cstdint>
#include <limits>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace render {
namespace {

constexpr double kTwoOverPi = 0.63661977236758134308;
// Angles up to this size are reduced directly (the quadrant count stays below 2^27, so the batches
// can take it through 32 bits); larger ones are first folded by whole turns.
constexpr double kUsualLimit = 1e8;
constexpr double kTwoPi = 6.28318530717958647692;
// pi / 2 in three parts: the first has 24 significant bits, so multiples of it by quadrant
// counts below 2^29 are exact, and the remainder keeps the reduction accurate to ~1e-16.
constexpr double kHalfPiHigh = static_cast<double>(static_cast<float>(1.57079632679489661923));
constexpr double kHalfPiMiddle = 1.57079632679489661923 - kHalfPiHigh;
constexpr double kHalfPiLow = 6.123233995736766e-17;  // pi / 2 minus its nearest double

// Taylor series on [-pi/4, pi/4], to r^13 and r^14: the first omitted terms are below 3e-14
// and 1e-15, far below a float's rounding. The single-angle and the batch kernels share these
// coefficients and their order of evaluation, pairs of terms at a time (Estrin) to shorten the
// chain of dependent multiplications.
constexpr double kSin3 = -1.0 / 6.0;
constexpr double kSin5 = 1.0 / 120.0;
constexpr double kSin7 = -1.0 / 5040.0;
constexpr double kSin9 = 1.0 / 362880.0;
constexpr double kSin11 = -1.0 / 39916800.0;
constexpr double kSin13 = 1.0 / 6227020800.0;
constexpr double kCos2 = -0.5;
constexpr double kCos4 = 1.0 / 24.0;
constexpr double kCos6 = -1.0 / 720.0;
constexpr double kCos8 = 1.0 / 40320.0;
constexpr double kCos10 = -1.0 / 3628800.0;
constexpr double kCos12 = 1.0 / 479001600.0;
constexpr double kCos14 = -1.0 / 87178291200.0;

double KernelSin(double r) {
    const double r2 = r * r;
    const double r4 = r2 * r2;
    const double low = (kSin3 + r2 * kSin5) + r4 * (kSin7 + r2 * kSin9);
    const double high = (kSin11 + r2 * kSin13);
    return r + (r * r2) * (low + (r4 * r4) * high);
}

double KernelCos(double r) {
    const double r2 = r * r;
    const double r4 = r2 * r2;
    const double low = (kCos2 + r2 * kCos4) + r4 * (kCos6 + r2 * kCos8);
    const double high = (kCos10 + r2 * kCos12) + r4 * kCos14;
    return 1.0 + r2 * (low + (r4 * r4) * high);
}

// Reduces `angle` to r in [-pi/4, pi/4] plus its quadrant (0..3).
double Reduce(double angle, int& quadrant) {
    // Far out, fold by whole turns first (fmod is exact) so the quadrant count fits an integer.
    if (!(std::fabs(angle) <= kUsualLimit)) angle = std::fmod(angle, kTwoPi);
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

namespace {

// The batch functions' values computed one angle at a time; `cosines` may be null.
void SinCosOneByOne(const float* anglesRad, float* sines, float* cosines, int count) {
    for (int i = 0; i < count; ++i) {
        if (cosines != nullptr) {
            SinCosF(anglesRad[i], sines[i], cosines[i]);
        } else {
            sines[i] = SinF(anglesRad[i]);
        }
    }
}

#if defined(__SSE2__)
// Two angles per step in SSE2 (part of every x86-64 processor): Reduce's arithmetic and both kernels,
// operation for operation as the scalar code does them, so every lane gets the scalar bits; the
// lane's quadrant then picks the kernel and the sign. `cosines` may be null.
// Returns false when some angle lies beyond what the 32-bit quadrant count covers (or is not
// finite): its lane's result is then meaningless and the caller redoes it.
bool SinCosPairs(const float* anglesRad, float* sines, float* cosines, int count) {
    const __m128d absMask = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
    const __m128d limit = _mm_set1_pd(kUsualLimit);
    __m128d usual = _mm_castsi128_pd(_mm_set1_epi32(-1));
    const __m128d signBit = _mm_set1_pd(-0.0);
    const __m128d half = _mm_set1_pd(0.5);
    const __m128d twoOverPi = _mm_set1_pd(kTwoOverPi);
    const __m128d one = _mm_set1_pd(1.0);
    const auto c = [](double v) { return _mm_set1_pd(v); };
    // A lane mask from bit `bit` of each lane's 32-bit count, widened to the lane's 64 bits.
    const auto laneMask = [](__m128i counts, int bit) {
        return _mm_castsi128_pd(_mm_cmpeq_epi32(_mm_and_si128(counts, _mm_set1_epi32(bit)), _mm_set1_epi32(bit)));
    };
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        const __m128 pair = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(anglesRad + i)));
        const __m128d angle = _mm_cvtps_pd(pair);
        usual = _mm_and_pd(usual, _mm_cmple_pd(_mm_and_pd(angle, absMask), limit));  // NaN compares false
        const __m128d t = _mm_mul_pd(angle, twoOverPi);
        // t + 0.5 or t - 0.5 by t's sign (-0 rounds like +0 either way), then truncation.
        const __m128d rounded = _mm_add_pd(t, _mm_or_pd(half, _mm_and_pd(t, signBit)));
        const __m128i quadrantCount = _mm_cvttpd_epi32(rounded);
        const __m128d k = _mm_cvtepi32_pd(quadrantCount);
        const __m128d r =
            _mm_sub_pd(_mm_sub_pd(_mm_sub_pd(angle, _mm_mul_pd(k, c(kHalfPiHigh))), _mm_mul_pd(k, c(kHalfPiMiddle))),
                       _mm_mul_pd(k, c(kHalfPiLow)));
        const __m128d r2 = _mm_mul_pd(r, r);
        const __m128d r4 = _mm_mul_pd(r2, r2);
        const __m128d r8 = _mm_mul_pd(r4, r4);
        const __m128d sinLow = _mm_add_pd(_mm_add_pd(c(kSin3), _mm_mul_pd(r2, c(kSin5))),
                                          _mm_mul_pd(r4, _mm_add_pd(c(kSin7), _mm_mul_pd(r2, c(kSin9)))));
        const __m128d sinHigh = _mm_add_pd(c(kSin11), _mm_mul_pd(r2, c(kSin13)));
        const __m128d sine = _mm_add_pd(r, _mm_mul_pd(_mm_mul_pd(r, r2), _mm_add_pd(sinLow, _mm_mul_pd(r8, sinHigh))));
        const __m128d cosLow = _mm_add_pd(_mm_add_pd(c(kCos2), _mm_mul_pd(r2, c(kCos4))),
                                          _mm_mul_pd(r4, _mm_add_pd(c(kCos6), _mm_mul_pd(r2, c(kCos8)))));
        const __m128d cosHigh = _mm_add_pd(_mm_add_pd(c(kCos10), _mm_mul_pd(r2, c(kCos12))), _mm_mul_pd(r4, c(kCos14)));
        const __m128d cosine = _mm_add_pd(one, _mm_mul_pd(r2, _mm_add_pd(cosLow, _mm_mul_pd(r8, cosHigh))));
        // Quadrants 0..3: sine is s, c, -s, -c and cosine c, -s, -c, s.
        const __m128i counts = _mm_shuffle_epi32(quadrantCount, _MM_SHUFFLE(1, 1, 0, 0));
        const __m128d odd = laneMask(counts, 1);
        const __m128d sineValue = _mm_or_pd(_mm_and_pd(odd, cosine), _mm_andnot_pd(odd, sine));
        const __m128d sineSign = _mm_and_pd(laneMask(counts, 2), signBit);
        const __m128 sines2 = _mm_cvtpd_ps(_mm_xor_pd(sineValue, sineSign));
        _mm_store_sd(reinterpret_cast<double*>(sines + i), _mm_castps_pd(sines2));
        if (cosines != nullptr) {
            const __m128d cosineValue = _mm_or_pd(_mm_and_pd(odd, sine), _mm_andnot_pd(odd, cosine));
            const __m128i countsPlusOne = _mm_add_epi32(counts, _mm_set1_epi32(1));
            const __m128d cosineSign = _mm_and_pd(laneMask(countsPlusOne, 2), signBit);
            const __m128 cosines2 = _mm_cvtpd_ps(_mm_xor_pd(cosineValue, cosineSign));
            _mm_store_sd(reinterpret_cast<double*>(cosines + i), _mm_castps_pd(cosines2));
        }
    }
    SinCosOneByOne(anglesRad + i, sines + i, cosines == nullptr ? nullptr : cosines + i, count - i);
    return _mm_movemask_pd(usual) == 3;
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define MV_HAVE_QUADS 1
// The same as SinCosPairs, four angles per step, for processors with AVX2 (chosen at run time: the
// plug-in must also load on processors without it). The target enables AVX2 only, not fused
// multiply-add, so every operation rounds exactly as in the scalar code.
__attribute__((target("avx2"))) inline __m256d Broadcast(double v) {
    return _mm256_set1_pd(v);
}

// A lane mask from bit `bit` of each lane's 32-bit count, widened to the lane's 64 bits.
__attribute__((target("avx2"))) inline __m256d QuadLaneMask(__m128i counts, int bit) {
    const __m128i set = _mm_cmpeq_epi32(_mm_and_si128(counts, _mm_set1_epi32(bit)), _mm_set1_epi32(bit));
    return _mm256_castsi256_pd(_mm256_cvtepi32_epi64(set));
}

__attribute__((target("avx2"))) bool SinCosQuads(const float* anglesRad, float* sines, float* cosines, int count) {
    const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7FFFFFFFFFFFFFFF));
    const __m256d limit = _mm256_set1_pd(kUsualLimit);
    __m256d usual = _mm256_castsi256_pd(_mm256_set1_epi32(-1));
    const __m256d signBit = _mm256_set1_pd(-0.0);
    const __m256d half = _mm256_set1_pd(0.5);
    const __m256d twoOverPi = _mm256_set1_pd(kTwoOverPi);
    const __m256d one = _mm256_set1_pd(1.0);
    const auto c = Broadcast;
    const auto laneMask = QuadLaneMask;
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m256d angle = _mm256_cvtps_pd(_mm_loadu_ps(anglesRad + i));
        usual = _mm256_and_pd(usual, _mm256_cmp_pd(_mm256_and_pd(angle, absMask), limit, _CMP_LE_OQ));
        const __m256d t = _mm256_mul_pd(angle, twoOverPi);
        const __m256d rounded = _mm256_add_pd(t, _mm256_or_pd(half, _mm256_and_pd(t, signBit)));
        const __m128i quadrantCount = _mm256_cvttpd_epi32(rounded);
        const __m256d k = _mm256_cvtepi32_pd(quadrantCount);
        const __m256d r = _mm256_sub_pd(
            _mm256_sub_pd(_mm256_sub_pd(angle, _mm256_mul_pd(k, c(kHalfPiHigh))), _mm256_mul_pd(k, c(kHalfPiMiddle))),
            _mm256_mul_pd(k, c(kHalfPiLow)));
        const __m256d r2 = _mm256_mul_pd(r, r);
        const __m256d r4 = _mm256_mul_pd(r2, r2);
        const __m256d r8 = _mm256_mul_pd(r4, r4);
        const __m256d sinLow = _mm256_add_pd(_mm256_add_pd(c(kSin3), _mm256_mul_pd(r2, c(kSin5))),
                                             _mm256_mul_pd(r4, _mm256_add_pd(c(kSin7), _mm256_mul_pd(r2, c(kSin9)))));
        const __m256d sinHigh = _mm256_add_pd(c(kSin11), _mm256_mul_pd(r2, c(kSin13)));
        const __m256d sine =
            _mm256_add_pd(r, _mm256_mul_pd(_mm256_mul_pd(r, r2), _mm256_add_pd(sinLow, _mm256_mul_pd(r8, sinHigh))));
        const __m256d cosLow = _mm256_add_pd(_mm256_add_pd(c(kCos2), _mm256_mul_pd(r2, c(kCos4))),
                                             _mm256_mul_pd(r4, _mm256_add_pd(c(kCos6), _mm256_mul_pd(r2, c(kCos8)))));
        const __m256d cosHigh =
            _mm256_add_pd(_mm256_add_pd(c(kCos10), _mm256_mul_pd(r2, c(kCos12))), _mm256_mul_pd(r4, c(kCos14)));
        const __m256d cosine = _mm256_add_pd(one, _mm256_mul_pd(r2, _mm256_add_pd(cosLow, _mm256_mul_pd(r8, cosHigh))));
        const __m256d odd = laneMask(quadrantCount, 1);
        const __m256d sineValue = _mm256_blendv_pd(sine, cosine, odd);
        const __m256d sineSign = _mm256_and_pd(laneMask(quadrantCount, 2), signBit);
        _mm_storeu_ps(sines + i, _mm256_cvtpd_ps(_mm256_xor_pd(sineValue, sineSign)));
        if (cosines != nullptr) {
            const __m256d cosineValue = _mm256_blendv_pd(cosine, sine, odd);
            const __m128i countsPlusOne = _mm_add_epi32(quadrantCount, _mm_set1_epi32(1));
            const __m256d cosineSign = _mm256_and_pd(laneMask(countsPlusOne, 2), signBit);
            _mm_storeu_ps(cosines + i, _mm256_cvtpd_ps(_mm256_xor_pd(cosineValue, cosineSign)));
        }
    }
    const bool restUsual = SinCosPairs(anglesRad + i, sines + i, cosines == nullptr ? nullptr : cosines + i, count - i);
    return restUsual && _mm256_movemask_pd(usual) == 15;
}

bool HasQuads() {
    static const bool has = __builtin_cpu_supports("avx2") != 0;
    return has;
}
#endif

#if defined(MV_TEST_HOOKS)
bool gPairsOnly = false;
#else
constexpr bool gPairsOnly = false;
#endif
#endif  // __SSE2__

// Sines and, where `cosines` is not null, cosines of a batch, on the widest lanes available. Lanes
// only handle angles the 32-bit quadrant count covers; the rare others are redone one by one.
void SinCosBatch(const float* anglesRad, float* sines, float* cosines, int count) {
    bool usual = false;
#if defined(MV_HAVE_QUADS)
    if (!gPairsOnly && HasQuads()) {
        usual = SinCosQuads(anglesRad, sines, cosines, count);
    } else {
        usual = SinCosPairs(anglesRad, sines, cosines, count);
    }
#elif defined(__SSE2__)
    usual = SinCosPairs(anglesRad, sines, cosines, count);
#endif
    if (!usual) SinCosOneByOne(anglesRad, sines, cosines, count);
}

}  // namespace

void SinF(const float* anglesRad, float* sines, int count) {
    SinCosBatch(anglesRad, sines, nullptr, count);
}

void SinCosF(const float* anglesRad, float* sines, float* cosines, int count) {
    SinCosBatch(anglesRad, sines, cosines, count);
}

#if defined(MV_TEST_HOOKS)
void LimitTrigBatchesToPairs(bool limit) {
#if defined(__SSE2__)
    gPairsOnly = limit;
#else
    (void)limit;
#endif
}
#endif

}  // namespace render
