// emulator/BasicSuite.h: the host's basic suite, offering one suite: colour-space conversion
// between RGB and CMYK.
//
// Our CMYK samples are ink amounts (0 = no ink, full = solid ink). The conversion is the plain
// undercolour-removal model: K = full - max(R, G, B); C = (full - R - K) * full / (full - K);
// back: R = (full - C) * (full - K) / full, rounded. It is not colour-managed: it only has to be
// a fixed, documented conversion so that runs are reproducible.
#pragma once

#include "api/HostApi.h"

#include <cstdint>

namespace emulator {

class BasicSuite {
public:
    BasicSuite();
    BasicSuite(const BasicSuite&) = delete;
    BasicSuite& operator=(const BasicSuite&) = delete;

    host::SPBasicSuite* Suite() { return &basic; }
    void MakeActive();

    bool offerColorSpace = true;  // fault switch: the host does not have the suite
    int outstandingAcquires = 0;  // acquired and not yet released

    host::SPErr Acquire(const char* name, int32_t version, const void** suite);
    host::SPErr Release(const char* name, int32_t version);

private:
    host::SPBasicSuite basic{};
};

// The conversions themselves, for tests that predict the host's answer.
void ConvertColors8(int16_t from, int16_t to, host::Color8* colors, int32_t count);
void ConvertColors16(int16_t from, int16_t to, host::Color16* colors, int32_t count);

}  // namespace emulator
