#include "host/ScriptParameters.h"

#include "host/HostHandles.h"
#include "host/PluginGlobals.h"
#include "params/FilterParameters.h"
#include "params/SettingTable.h"

#include <array>
#include <cstddef>

namespace {

using params::ScriptType;
using params::Setting;

// The keys the host is told to expect; it answers -1715 at the close when one is missing.
constexpr size_t CountListed() {
    size_t count = 0;
    for (const Setting& s : params::kSettings) count += s.listed ? 1 : 0;
    return count;
}
constexpr std::array<host::DescriptorKeyID, CountListed() + 1> ListedKeys() {
    std::array<host::DescriptorKeyID, CountListed() + 1> keys{};
    size_t n = 0;
    for (const Setting& s : params::kSettings)
        if (s.listed) keys[n++] = params::FourCharCode(s.key);
    return keys;  // the last entry stays 0, the list's end
}
constexpr auto kListedKeys = ListedKeys();

// A host whose key iterator never ends would otherwise hang the start selector.
constexpr int kMaxDescriptorKeys = 4096;

// The descriptor is always the host's handle. Without usable handle procs it cannot be one of our
// fallback handles, and probing it as one would read past the host's master pointer: the host
// keeps it then (a small leak, never a corruption).
void DisposeDescriptor(const host::HandleProcs* procs, host::Handle descriptor) {
    if (descriptor != nullptr && HostHandlesUsable(procs)) DisposeHostHandle(procs, descriptor);
}

// Stores a value only when the host's getter succeeded: a failed getter leaves its output unset.
void ReadValue(const host::ReadDescriptorProcs& procs, host::PIReadDescriptor reader, const Setting& entry,
               FilterParameters& params) {
    switch (entry.scriptType) {
        case ScriptType::kNone:
            break;
        case ScriptType::kUnitFloat: {
            host::DescriptorUnitID unit = 0;
            double value = 0.0;
            if (procs.getUnitFloatProc(reader, &unit, &value) == host::kNoErr)
                params.*entry.real = static_cast<float>(value);
            break;
        }
        case ScriptType::kBoolean: {
            host::Boolean value = 0;
            if (procs.getBooleanProc(reader, &value) != host::kNoErr) break;
            // A 32-bit field holds 0 or 1; an 8-bit one keeps the byte the host gave.
            if (entry.kind == params::FieldKind::kFlag32)
                params.*entry.flag32 = value != 0 ? 1 : 0;
            else
                params.*entry.byte = value;
            break;
        }
        case ScriptType::kInteger: {
            int32_t value = 0;
            if (procs.getIntegerProc(reader, &value) == host::kNoErr)
                params.*entry.byte = static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFFu);
            break;
        }
    }
}

// Write procs are not part of the usability test, so each one is checked before its call.
void WriteValue(const host::WriteDescriptorProcs& procs, host::PIWriteDescriptor writer, const Setting& entry,
                const FilterParameters& params) {
    const host::DescriptorKeyID key = params::FourCharCode(entry.key);
    switch (entry.scriptType) {
        case ScriptType::kNone:
            break;
        case ScriptType::kUnitFloat: {
            const double value = static_cast<double>(params.*entry.real);
            if (procs.putUnitFloatProc != nullptr) procs.putUnitFloatProc(writer, key, host::kUnitPercent, &value);
            break;
        }
        case ScriptType::kBoolean: {
            // The lowest byte of a 32-bit field, as every earlier version recorded it.
            const auto value = entry.kind == params::FieldKind::kFlag32
                                   ? static_cast<host::Boolean>(static_cast<uint32_t>(params.*entry.flag32) & 0xFFu)
                                   : static_cast<host::Boolean>(params.*entry.byte);
            if (procs.putBooleanProc != nullptr) procs.putBooleanProc(writer, key, value);
            break;
        }
        case ScriptType::kInteger:
            if (procs.putIntegerProc != nullptr) procs.putIntegerProc(writer, key, params.*entry.byte);
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
        block->descriptor != nullptr ? procs.openReadDescriptorProc(block->descriptor, kListedKeys.data()) : nullptr;
    if (reader != nullptr) {
        params.fillAlpha = 0;
        host::DescriptorKeyID key = 0;
        host::DescriptorTypeID type = 0;
        int32_t flags = 0;
        for (int count = 0; count < kMaxDescriptorKeys && procs.getKeyProc(reader, &key, &type, &flags); ++count) {
            if (const Setting* entry = params::FindByCode(key)) ReadValue(procs, reader, *entry, params);
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

    // In table order, the order recorded actions have always held the keys in.
    for (const Setting& entry : params::kSettings)
        if (entry.key != nullptr) WriteValue(procs, writer, entry, *gPlugin.parameters);

    DisposeDescriptor(record.handleProcs, block->descriptor);
    block->descriptor = nullptr;
    host::PIDescriptorHandle written = nullptr;
    procs.closeWriteDescriptorProc(writer, &written);
    block->descriptor = written;
    block->recordInfo = host::kRecordDialogOptional;
    return 0;
}
