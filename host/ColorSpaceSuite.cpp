#include "host/ColorSpaceSuite.h"

#include <algorithm>

namespace {
constexpr int64_t kMaxColorsPerCall = 32767;  // the host's count is a 16-bit integer
}

ColorSpaceSuite::ColorSpaceSuite(host::SPBasicSuite* basicSuite) noexcept : basic(basicSuite) {
    if (basic == nullptr || basic->AcquireSuite == nullptr) return;
    const void* acquired = nullptr;
    if (basic->AcquireSuite(host::kColorSpaceSuiteName, host::kColorSpaceSuiteVersion1, &acquired) != 0) return;
    suite = static_cast<const host::PSColorSpaceSuite1*>(acquired);
    if (suite != nullptr && (suite->Convert8 == nullptr || suite->Convert16 == nullptr)) {
        if (basic->ReleaseSuite != nullptr)
            basic->ReleaseSuite(host::kColorSpaceSuiteName, host::kColorSpaceSuiteVersion1);
        suite = nullptr;
    }
}

ColorSpaceSuite::~ColorSpaceSuite() {
    if (suite != nullptr && basic->ReleaseSuite != nullptr)
        basic->ReleaseSuite(host::kColorSpaceSuiteName, host::kColorSpaceSuiteVersion1);
}

bool ColorSpaceSuite::Convert8(int16_t from, int16_t to, host::Color8* colors, int64_t count) const {
    for (int64_t done = 0; done < count; done += kMaxColorsPerCall) {
        const auto n = static_cast<int16_t>(std::min(kMaxColorsPerCall, count - done));
        if (suite->Convert8(from, to, colors + done, n) != 0) return false;
    }
    return true;
}

bool ColorSpaceSuite::Convert16(int16_t from, int16_t to, host::Color16* colors, int64_t count) const {
    for (int64_t done = 0; done < count; done += kMaxColorsPerCall) {
        const auto n = static_cast<int16_t>(std::min(kMaxColorsPerCall, count - done));
        if (suite->Convert16(from, to, colors + done, n) != 0) return false;
    }
    return true;
}
