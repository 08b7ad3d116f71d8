// emulator/DescriptorProcs.h: the host's descriptor store for recorded actions. A descriptor is
// a host handle holding typed key/value pairs; the read and write procs open sessions on it.
#pragma once

#include "emulator/HandleLedger.h"
#include "api/HostApi.h"

#include <cstdint>
#include <vector>

namespace emulator {

// One value of a descriptor. Integers and booleans are held in `number` (exact for 32 bits).
struct DescriptorItem {
    host::DescriptorKeyID key = 0;
    host::DescriptorTypeID type = 0;
    host::DescriptorUnitID unit = 0;  // unit floats only
    double number = 0.0;
};

constexpr host::OSErr kDescriptorParamErr = -50;  // wrong type for the getter, a null argument

class DescriptorStore {
public:
    explicit DescriptorStore(HandleLedger& ledger);
    ~DescriptorStore();
    DescriptorStore(const DescriptorStore&) = delete;
    DescriptorStore& operator=(const DescriptorStore&) = delete;

    // The procs records the plug-in sees; their callbacks reach the store made active last.
    host::ReadDescriptorProcs* ReadProcs() { return &readProcs; }
    host::WriteDescriptorProcs* WriteProcs() { return &writeProcs; }
    void MakeActive();

    // A new ledger handle holding `items` in the store's layout (per item: key, type, payload
    // size as little-endian 32-bit words, then the payload).
    host::Handle Encode(const std::vector<DescriptorItem>& items);
    // The items of a handle's bytes; a truncated or oversized item ends the list.
    static std::vector<DescriptorItem> Decode(const uint8_t* bytes, size_t size);
    std::vector<DescriptorItem> Decode(host::Handle handle) const;

    // Sessions the plug-in opened and never closed.
    int OpenSessions() const { return openSessions; }

    // Session callbacks (public for the C trampolines).
    host::PIReadDescriptor OpenRead(host::PIDescriptorHandle handle, host::DescriptorKeyIDArray keys);
    host::OSErr CloseRead(host::PIReadDescriptor reader);
    host::PIWriteDescriptor OpenWrite();
    host::OSErr CloseWrite(host::PIWriteDescriptor writer, host::PIDescriptorHandle* out);

private:
    HandleLedger& ledger;
    host::ReadDescriptorProcs readProcs{};
    host::WriteDescriptorProcs writeProcs{};
    int openSessions = 0;
};

}  // namespace emulator
