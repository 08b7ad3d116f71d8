// render/Trig.h: single-precision sine and cosine that give the same bits on every platform.
#pragma once

namespace render {

// sin and cos of `angleRad`, computed in double and rounded to float: within rounding of the
// true value, so they agree with a good sinf/cosf almost always, and unlike the C libraries'
// sinf/cosf (glibc and the Windows runtime differ in the last bit) they are identical on every
// platform, which keeps the native and the Windows builds' pictures byte for byte equal.
float SinF(float angleRad);
float CosF(float angleRad);
void SinCosF(float angleRad, float& sine, float& cosine);

// SinF of `count` angles at once, bit for bit the same values; written so that the compiler can
// evaluate several angles per instruction.
void SinF(const float* anglesRad, float* sines, int count);
// SinCosF of `count` angles at once, likewise.
void SinCosF(const float* anglesRad, float* sines, float* cosines, int count);

#if defined(MV_TEST_HOOKS)
// Batches use four lanes where the processor has AVX2, else two; tests limit them to two to check
// both. Compiled into test builds only; not for use while batches run on other threads.
void LimitTrigBatchesToPairs(bool limit);
#endif

}  // namespace render
