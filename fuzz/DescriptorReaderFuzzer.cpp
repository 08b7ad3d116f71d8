// Hands ReadScriptParameters a descriptor of arbitrary bytes through the emulated host's read
// procs, then checks that the descriptor was disposed of, that nothing leaked, and that
// whatever the record now holds is recorded and replayed unchanged.
#include "fuzz/FuzzInput.h"
#include "emulator/EmulatedHost.h"
#include "host/PluginGlobals.h"
#include "host/PluginMain.h"
#include "host/ScriptParameters.h"
#include "params/FilterParameters.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using fuzz::Check;

bool SameFloat(float a, float b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// The fields a descriptor carries; NaN payloads may change in the double round trip.
bool SameScriptedFields(const FilterParameters& a, const FilterParameters& b) {
    for (float FilterParameters::*field :
         {&FilterParameters::rotation, &FilterParameters::offset, &FilterParameters::space, &FilterParameters::width,
          &FilterParameters::contrast, &FilterParameters::randomness, &FilterParameters::amplitude,
          &FilterParameters::frequency, &FilterParameters::phaseShift, &FilterParameters::threshold,
          &FilterParameters::centerX, &FilterParameters::centerY, &FilterParameters::noise}) {
        if (!SameFloat(a.*field, b.*field)) return false;
    }
    return a.invertIntensity == b.invertIntensity && a.invert == b.invert && a.solidInk == b.solidInk &&
           a.notBreak == b.notBreak && a.useCircles == b.useCircles && a.colorSchema == b.colorSchema &&
           a.pattern == b.pattern && a.fillAlpha == b.fillAlpha;
}

// Points the plug-in's globals at `host` and `params`, as the start and finish selectors do.
void EnterCall(emulator::EmulatedHost& host, FilterParameters& params, int16_t& result) {
    host::FilterRecord& record = host.Record();
    record.handleProcs = host.Ledger().Procs();
    record.descriptorParameters = &host.Descriptor();
    host.Descriptor().readDescriptorProcs = host.Descriptors().ReadProcs();
    host.Descriptor().writeDescriptorProcs = host.Descriptors().WriteProcs();
    gPlugin.hostBlock = &record;
    gPlugin.parameters = &params;
    result = 0;
    gPlugin.result = &result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    emulator::EmulatedHost host(PluginMain);
    FilterParameters params = DefaultParameters();
    int16_t result = 0;
    EnterCall(host, params, result);

    // First byte: playInfo; the rest: the descriptor's bytes as the host stores them.
    const int16_t playInfo = static_cast<int16_t>(data[0] % 3);
    host.Descriptor().playInfo = playInfo;
    host::Handle descriptor = host.Ledger().New(static_cast<int32_t>(size - 1));
    if (size > 1) std::memcpy(*descriptor, data + 1, size - 1);
    host.Descriptor().descriptor = descriptor;

    const int16_t readResult = ReadScriptParameters();
    Check(host.Descriptor().descriptor == nullptr && !host.Ledger().Owns(descriptor));
    Check(host.Descriptors().OpenSessions() == 0);
    Check(params.showDialog == (playInfo == host::kPlayDialogDisplay ? 1 : 0));
    Check(result == (readResult == host::kErrMissingParameter ? 0 : readResult));

    WriteScriptParameters();
    host::Handle recorded = host.Descriptor().descriptor;
    Check(recorded != nullptr && host.Descriptors().Decode(recorded).size() == 21);

    FilterParameters replayed = DefaultParameters();
    EnterCall(host, replayed, result);
    Check(ReadScriptParameters() == 0 && result == 0);
    Check(SameScriptedFields(replayed, params));
    Check(host.Ledger().LiveCount() == 0 && host.Ledger().LockedCount() == 0 && host.Ledger().Problems().empty());

    gPlugin.hostBlock = nullptr;
    gPlugin.parameters = nullptr;
    gPlugin.result = nullptr;
    return 0;
}
