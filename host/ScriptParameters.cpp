#include "host/ScriptParameters.h"

#include "host/FilterParameters.h"
#include "host/HostHandles.h"
#include "host/PluginGlobals.h"

namespace {

using host::FourCC;

enum class ScriptValueKind {
    kUnitFloat,    // float field as a '#Prc' unit float (double in the descriptor)
    kBool32,       // 32-bit boolean field as a boolean
    kByteInteger,  // 8-bit field as an integer
    kByteBoolean,  // 8-bit field as a boolean
};

struct ScriptKey {
    host::DescriptorKeyID key;
    ScriptValueKind kind;
    float FilterParameters::*real;
    int32_t FilterParameters::*bool32;
    uint8_t FilterParameters::*byte;
};

constexpr ScriptKey UnitFloat(const char (&key)[5], float FilterParameters::*field) {
    return {FourCC(key), ScriptValueKind::kUnitFloat, field, nullptr, nullptr};
}
constexpr ScriptKey Bool32(const char (&key)[5], int32_t FilterParameters::*field) {
    return {FourCC(key), ScriptValueKind::kBool32, nullptr, field, nullptr};
}
constexpr ScriptKey ByteInteger(const char (&key)[5], uint8_t FilterParameters::*field) {
    return {FourCC(key), ScriptValueKind::kByteInteger, nullptr, nullptr, field};
}
constexpr ScriptKey ByteBoolean(const char (&key)[5], uint8_t FilterParameters::*field) {
    return {FourCC(key), ScriptValueKind::kByteBoolean, nullptr, nullptr, field};
}

// In the order recorded actions have always held them.
constexpr ScriptKey kScriptKeys[] = {
    UnitFloat("Angl", &FilterParameters::rotation),     UnitFloat("Ofst", &FilterParameters::offset),
    UnitFloat("Spac", &FilterParameters::space),        UnitFloat("Wdth", &FilterParameters::width),
    UnitFloat("Lvls", &FilterParameters::contrast),     UnitFloat("BRel", &FilterParameters::randomness),
    UnitFloat("Ampl", &FilterParameters::amplitude),    UnitFloat("Frqn", &FilterParameters::frequency),
    UnitFloat("Shif", &FilterParameters::phaseShift),   UnitFloat("Usil", &FilterParameters::threshold),
    UnitFloat("CntX", &FilterParameters::centerX),      UnitFloat("CntY", &FilterParameters::centerY),
    Bool32("InvI", &FilterParameters::invertIntensity), Bool32("Invr", &FilterParameters::invert),
    Bool32("AntA", &FilterParameters::solidInk),        Bool32("NoBr", &FilterParameters::notBreak),
    Bool32("UsBg", &FilterParameters::useCircles),      ByteInteger("ClSt", &FilterParameters::colorSchema),
    ByteInteger("Geom", &FilterParameters::pattern),    ByteBoolean("FllA", &FilterParameters::fillAlpha),
    UnitFloat("Nois", &FilterParameters::noise),
};

// The keys the host is told to expect; it answers -1715 at the close when one is missing.
// 'Ofst', 'Lvls' and 'Frqn' were never listed, so actions without them replay silently.
constexpr host::DescriptorKeyID kListedKeys[] = {FourCC("ClSt"),
                                                 FourCC("Geom"),
                                                 FourCC("InvI"),
                                                 FourCC("AntA"),
                                                 FourCC("Invr"),
                                                 FourCC("NoBr"),
                                                 FourCC("UsBg"),
                                                 FourCC("Angl"),
                                                 FourCC("Spac"),
                                                 FourCC("Wdth"),
                                                 FourCC("BRel"),
                                                 FourCC("Ampl"),
                                                 FourCC("Shif"),
                                                 FourCC("Usil"),
                                                 FourCC("CntX"),
                                                 FourCC("CntY"),
                                                 FourCC("FllA"),
                                                 FourCC("Nois"),
                                                 0};

// A host whose key iterator never ends would otherwise hang the start selector.
constexpr int kMaxDescriptorKeys = 4096;

const ScriptKey* FindScriptKey(host::DescriptorKeyID key) {
    for (const ScriptKey& entry : kScriptKeys) {
        if (entry.key == key) return &entry;
    }
    return nullptr;
}

// The descriptor is always the host's handle. Without usable handle procs it cannot be one of our
// fallback handles, and probing it as one would read past the host's master pointer: the host
// keeps it then (a small leak, never a corruption).
void DisposeDescriptor(const host::HandleProcs* procs, host::Handle descriptor) {
    if (descriptor != nullptr && HostHandlesUsable(procs)) DisposeHostHandle(procs, descriptor);
}

// Stores a value only when the host's getter succeeded: a failed getter leaves its output unset.
void ReadValue(const host::ReadDescriptorProcs& procs, host::PIReadDescriptor reader, const ScriptKey& entry,
               FilterParameters& params) {
    switch (entry.kind) {
        case ScriptValueKind::kUnitFloat: {
            host::DescriptorUnitID unit = 0;
            double value = 0.0;
            if (procs.getUnitFloatProc(reader, &unit, &value) == host::kNoErr)
                params.*entry.real = static_cast<float>(value);
            break;
        }
        case ScriptValueKind::kBool32: {
            host::Boolean value = 0;
            if (procs.getBooleanProc(reader, &value) == host::kNoErr) params.*entry.bool32 = value != 0 ? 1 : 0;
            break;
        }
        case ScriptValueKind::kByteInteger: {
            int32_t value = 0;
            if (procs.getIntegerProc(reader, &value) == host::kNoErr)
                params.*entry.byte = static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFFu);
            break;
        }
        case ScriptValueKind::kByteBoolean: {
            host::Boolean value = 0;
            if (procs.getBooleanProc(reader, &value) == host::kNoErr) params.*entry.byte = value;
            break;
        }
    }
}

// Write procs are not part of the usability test, so each one is checked before its call.
void WriteValue(const host::WriteDescriptorProcs& procs, host::PIWriteDescriptor writer, const ScriptKey& entry,
                const FilterParameters& params) {
    switch (entry.kind) {
        case ScriptValueKind::kUnitFloat: {
            const double value = static_cast<double>(params.*entry.real);
            if (procs.putUnitFloatProc != nullptr)
                procs.putUnitFloatProc(writer, entry.key, host::kUnitPercent, &value);
            break;
        }
        case ScriptValueKind::kBool32: {
            // The lowest byte, as every earlier version recorded it.
            const auto value = static_cast<host::Boolean>(static_cast<uint32_t>(params.*entry.bool32) & 0xFFu);
            if (procs.putBooleanProc != nullptr) procs.putBooleanProc(writer, entry.key, value);
            break;
        }
        case ScriptValueKind::kByteInteger:
            if (procs.putIntegerProc != nullptr) procs.putIntegerProc(writer, entry.key, params.*entry.byte);
            break;
        case ScriptValueKind::kByteBoolean:
            if (procs.putBooleanProc != nullptr) procs.putBooleanProc(writer, entry.key, params.*entry.byte);
            break;
    }
}

}  // namespace

bool DescriptorProcsUsable(const host::PIDescriptorParameters* block) {
    if (block == nullptr || block->descriptorParametersVersion != 0) return false;
    const host::ReadDescriptorProcs* read = block->readDescriptorProcs;
    const host::WriteDescriptorProcs* write = block->writeDescriptorProcs;
    if (read == nullptr || read->readDescriptorProcsVersion != 0 || read->numReadDescriptorProcs < 18) return false;
    const bool allReadProcs =
        read->openReadDescriptorProc != nullptr && read->closeReadDescriptorProc != nullptr &&
        read->getKeyProc != nullptr && read->getIntegerProc != nullptr && read->getFloatProc != nullptr &&
        read->getUnitFloatProc != nullptr && read->getBooleanProc != nullptr && read->getTextProc != nullptr &&
        read->getAliasProc != nullptr && read->getEnumeratedProc != nullptr && read->getClassProc != nullptr &&
        read->getSimpleReferenceProc != nullptr && read->getObjectProc != nullptr && read->getCountProc != nullptr &&
        read->getStringProc != nullptr && read->getPinnedIntegerProc != nullptr &&
        read->getPinnedFloatProc != nullptr && read->getPinnedUnitFloatProc != nullptr;
    return allReadProcs && write != nullptr && write->writeDescriptorProcsVersion == 0 &&
           write->numWriteDescriptorProcs >= 16;
}

int16_t ReadScriptParameters() {
    host::FilterRecord& record = *CurrentRecord();
    host::PIDescriptorParameters* block = record.descriptorParameters;
    FilterParameters& params = *gPlugin.parameters;
    // A host with no scripting at all never asks for the dialog, yet every run it makes comes
    // from its user: without the dialog that user could never change a setting.
    if (block == nullptr || block->readDescriptorProcs == nullptr) {
        params.showDialog = 1;
        return 0;
    }
    if (!DescriptorProcsUsable(block)) return 0;
    const host::ReadDescriptorProcs& procs = *block->readDescriptorProcs;

    int16_t result = 0;
    // A run from the menu has no descriptor; not every host accepts a null one in the open.
    host::PIReadDescriptor reader =
        block->descriptor != nullptr ? procs.openReadDescriptorProc(block->descriptor, kListedKeys) : nullptr;
    if (reader != nullptr) {
        params.fillAlpha = 0;
        host::DescriptorKeyID key = 0;
        host::DescriptorTypeID type = 0;
        int32_t flags = 0;
        for (int count = 0; count < kMaxDescriptorKeys && procs.getKeyProc(reader, &key, &type, &flags); ++count) {
            if (const ScriptKey* entry = FindScriptKey(key)) ReadValue(procs, reader, *entry, params);
        }
        result = procs.closeReadDescriptorProc(reader);
        DisposeDescriptor(record.handleProcs, block->descriptor);
        block->descriptor = nullptr;
        if (result != host::kNoErr && result != host::kErrMissingParameter) SetResult(result);
    }
    params.showDialog = block->playInfo == host::kPlayDialogDisplay ? 1 : 0;
    return result;
}

int16_t WriteScriptParameters() {
    host::FilterRecord& record = *CurrentRecord();
    host::PIDescriptorParameters* block = record.descriptorParameters;
    if (!DescriptorProcsUsable(block)) return 0;
    const host::WriteDescriptorProcs& procs = *block->writeDescriptorProcs;
    if (procs.openWriteDescriptorProc == nullptr || procs.closeWriteDescriptorProc == nullptr) return 0;
    host::PIWriteDescriptor writer = procs.openWriteDescriptorProc();
    if (writer == nullptr) return 0;

    for (const ScriptKey& entry : kScriptKeys) WriteValue(procs, writer, entry, *gPlugin.parameters);

    DisposeDescriptor(record.handleProcs, block->descriptor);
    block->descriptor = nullptr;
    host::PIDescriptorHandle written = nullptr;
    procs.closeWriteDescriptorProc(writer, &written);
    block->descriptor = written;
    block->recordInfo = host::kRecordDialogOptional;
    return 0;
}
