// Runs the whole filter, through the entry point, with a parameter record of arbitrary bytes on
// a tiny arbitrary document. Presets and recorded actions store values without clamping, so the
// record may hold anything: the run must end, in bounded time, without touching memory it does
// not own, and leave the host's handles balanced.
#include "fuzz/FuzzInput.h"
#include "emulator/EmulatedHost.h"
#include "host/PluginMain.h"
#include "params/FilterParameters.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

using fuzz::Check;
using fuzz::Reader;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(FilterParameters)) return 0;
    FilterParameters record;
    std::memcpy(&record, data, sizeof record);
    Reader rest{data + sizeof record, size - sizeof record};

    const uint8_t shape = rest.Byte();
    const int32_t width = 1 + rest.Byte() % 24, height = 1 + rest.Byte() % 24;
    const bool sixteen = (shape & 1) != 0, cmyk = (shape & 2) != 0, selection = (shape & 4) != 0;
    const int32_t planes = (cmyk ? 4 : 3) + (shape >> 3) % 2;
    const int16_t mode =
        cmyk ? (sixteen ? host::kModeCMYK64 : host::kModeCMYK) : (sixteen ? host::kModeRGB48 : host::kModeRGB);
    emulator::HostImage image = emulator::HostImage::Blank(width, height, planes, sixteen ? 16 : 8, mode);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int32_t c = 0; c < planes; ++c) {
                const uint32_t v = rest.Byte();
                image.SetSample(x, y, c, sixteen ? (v * 32768u) / 255u : v);
            }

    emulator::HostOptions options;
    options.playInfo = host::kPlayDialogDontDisplay;
    emulator::EmulatedHost host(PluginMain, options);
    host.SetImage(image);
    if (selection) {
        std::vector<uint8_t> mask(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (uint8_t& m : mask) m = rest.Byte();
        host.SetSelection(std::move(mask));
    }
    if (host.CallSelector(host::kSelectorParameters) != 0) return 0;
    std::memcpy(host.ParametersData(), &record, sizeof record);
    const int16_t result = host.RunFilter();
    Check(result == 0 || result == host::kMemFullErr || result == host::kFilterBadParameters);
    Check(host.Ledger().LockedCount() == 0);
    Check(host.Ledger().Problems().empty());
    return 0;
}
