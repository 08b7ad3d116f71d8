#include "emulator/BasicSuite.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace emulator {

namespace {

constexpr host::SPErr kSuiteNotFound = static_cast<host::SPErr>(host::FourCC("S!Fd"));
constexpr host::SPErr kBadParameter = static_cast<host::SPErr>(host::FourCC("Parm"));

BasicSuite* gActive = nullptr;

template <class Component>
void Convert(int16_t from, int16_t to, Component (*colors)[4], int32_t count, uint32_t full) {
    for (int32_t i = 0; i < count; ++i) {
        Component* c = colors[i];
        if (from == host::kColorSpaceCMYK && to == host::kColorSpaceRGB) {
            const uint32_t k = c[3];
            uint32_t rgb[3];
            for (int j = 0; j < 3; ++j)
                rgb[j] = ((full - std::min<uint32_t>(c[j], full)) * (full - std::min(k, full)) + full / 2) / full;
            c[0] = 0;
            for (int j = 0; j < 3; ++j) c[j + 1] = static_cast<Component>(rgb[j]);
        } else if (from == host::kColorSpaceRGB && to == host::kColorSpaceCMYK) {
            const uint32_t r = std::min<uint32_t>(c[1], full), g = std::min<uint32_t>(c[2], full),
                           b = std::min<uint32_t>(c[3], full);
            const uint32_t k = full - std::max({r, g, b});
            const uint32_t rest = full - k;
            uint32_t cmy[3] = {0, 0, 0};
            if (rest > 0) {
                const uint32_t values[3] = {r, g, b};
                for (int j = 0; j < 3; ++j) cmy[j] = ((rest - values[j]) * full + rest / 2) / rest;
            }
            for (int j = 0; j < 3; ++j) c[j] = static_cast<Component>(cmy[j]);
            c[3] = static_cast<Component>(k);
        }
    }
}

host::SPErr AcquireSuite(const char* name, int32_t version, const void** suite) {
    return gActive->Acquire(name, version, suite);
}
host::SPErr ReleaseSuite(const char* name, int32_t version) {
    return gActive->Release(name, version);
}
host::SPBoolean IsEqual(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}
host::SPErr AllocateBlock(size_t size, void** block) {
    *block = std::malloc(size > 0 ? size : 1);
    return *block != nullptr ? 0 : host::kMemFullErr;
}
host::SPErr FreeBlock(void* block) {
    std::free(block);
    return 0;
}
host::SPErr ReallocateBlock(void* block, size_t size, void** newBlock) {
    *newBlock = std::realloc(block, size > 0 ? size : 1);
    return *newBlock != nullptr ? 0 : host::kMemFullErr;
}
host::SPErr Undefined() {
    return kBadParameter;
}

host::SPErr SuiteConvert8(int16_t from, int16_t to, host::Color8* colors, int16_t count) {
    if (count < 0) return kBadParameter;
    ConvertColors8(from, to, colors, count);
    return 0;
}
host::SPErr SuiteConvert16(int16_t from, int16_t to, host::Color16* colors, int16_t count) {
    if (count < 0) return kBadParameter;
    ConvertColors16(from, to, colors, count);
    return 0;
}

const host::PSColorSpaceSuite1 kColorSpaceSuite = [] {
    host::PSColorSpaceSuite1 suite{};
    suite.Convert8 = SuiteConvert8;
    suite.Convert16 = SuiteConvert16;
    return suite;
}();

}  // namespace

void ConvertColors8(int16_t from, int16_t to, host::Color8* colors, int32_t count) {
    Convert<uint8_t>(from, to, colors, count, 255);
}
void ConvertColors16(int16_t from, int16_t to, host::Color16* colors, int32_t count) {
    Convert<uint16_t>(from, to, colors, count, 32768);
}

BasicSuite::BasicSuite() {
    basic.AcquireSuite = AcquireSuite;
    basic.ReleaseSuite = ReleaseSuite;
    basic.IsEqual = IsEqual;
    basic.AllocateBlock = AllocateBlock;
    basic.FreeBlock = FreeBlock;
    basic.ReallocateBlock = ReallocateBlock;
    basic.Undefined = Undefined;
    MakeActive();
}

void BasicSuite::MakeActive() {
    gActive = this;
}

host::SPErr BasicSuite::Acquire(const char* name, int32_t version, const void** suite) {
    if (offerColorSpace && name != nullptr && std::strcmp(name, host::kColorSpaceSuiteName) == 0 && version == 1) {
        *suite = &kColorSpaceSuite;
        ++outstandingAcquires;
        return 0;
    }
    return kSuiteNotFound;
}

host::SPErr BasicSuite::Release(const char* name, int32_t version) {
    if (name != nullptr && std::strcmp(name, host::kColorSpaceSuiteName) == 0 && version == 1) {
        --outstandingAcquires;
        return 0;
    }
    return kSuiteNotFound;
}

}  // namespace emulator
