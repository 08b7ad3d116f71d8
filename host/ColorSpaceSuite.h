// host/ColorSpaceSuite.h: the host's colour-space suite, acquired for one scope and released on
// every path. Absent when the host has no basic suite or does not offer the suite.
#pragma once

#include "api/HostApi.h"

#include <cstdint>

class ColorSpaceSuite {
public:
    explicit ColorSpaceSuite(host::SPBasicSuite* basic) noexcept;
    ~ColorSpaceSuite();
    ColorSpaceSuite(const ColorSpaceSuite&) = delete;
    ColorSpaceSuite& operator=(const ColorSpaceSuite&) = delete;

    bool Available() const { return suite != nullptr; }
    // In-place conversions of any count: the host takes at most 32767 colours per call.
    bool Convert8(int16_t from, int16_t to, host::Color8* colors, int64_t count) const;
    bool Convert16(int16_t from, int16_t to, host::Color16* colors, int64_t count) const;

private:
    host::SPBasicSuite* basic;
    const host::PSColorSpaceSuite1* suite = nullptr;
};
