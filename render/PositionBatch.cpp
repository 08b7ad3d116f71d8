#include "render/PositionBatch.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace render {

// Truncating a float to a 32-bit integer gives the same value as truncating it through a double to
// 64 bits whenever the result fits; the limit keeps it well inside.
bool StampCentres(const float* positions, int32_t* centres, int count) {
    int i = 0;
#if defined(__SSE2__)
    const __m128 absMask = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    const __m128 limit = _mm_set1_ps(kBatchPositionLimit);
    __m128 inside = _mm_castsi128_ps(_mm_set1_epi32(-1));
    for (; i + 4 <= count; i += 4) {
        const __m128 p = _mm_loadu_ps(positions + i);
        inside = _mm_and_ps(inside, _mm_cmplt_ps(_mm_and_ps(p, absMask), limit));  // NaN compares false
        _mm_storeu_si128(reinterpret_cast<__m128i*>(centres + i), _mm_cvttps_epi32(p));
    }
    if (_mm_movemask_ps(inside) != 15) return false;
#endif
    for (; i < count; ++i) {
        if (!(std::fabs(positions[i]) < kBatchPositionLimit)) return false;
        centres[i] = static_cast<int32_t>(positions[i]);
    }
    return true;
}

void SourceCoordinates(const float* positions, float scale, int32_t* coordinates, int count) {
    int i = 0;
#if defined(__SSE2__)
    const __m128 scale4 = _mm_set1_ps(scale);
    const __m128d half = _mm_set1_pd(0.5);
    for (; i + 4 <= count; i += 4) {
        const __m128 scaled = _mm_mul_ps(_mm_loadu_ps(positions + i), scale4);
        const __m128d low = _mm_add_pd(_mm_cvtps_pd(scaled), half);
        const __m128d high = _mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(scaled, scaled)), half);
        const __m128i both = _mm_unpacklo_epi64(_mm_cvttpd_epi32(low), _mm_cvttpd_epi32(high));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(coordinates + i), both);
    }
#endif
    for (; i < count; ++i) coordinates[i] = static_cast<int32_t>(static_cast<double>(positions[i] * scale) + 0.5);
}

}  // namespace render
