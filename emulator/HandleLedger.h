// emulator/HandleLedger.h: the host's handle procs, with a ledger of every handle and lock it
// hands out, so a test can fail on a leak, a double dispose or an unbalanced lock.
#pragma once

#include "api/HostApi.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace emulator {

class HandleLedger {
public:
    HandleLedger();
    ~HandleLedger();
    HandleLedger(const HandleLedger&) = delete;
    HandleLedger& operator=(const HandleLedger&) = delete;

    // The procs record the plug-in sees; its callbacks reach the ledger made active last.
    host::HandleProcs* Procs() { return &procs; }
    void MakeActive();

    host::Handle New(int32_t size);
    void Dispose(host::Handle handle);
    int32_t Size(host::Handle handle) const;
    host::Ptr Lock(host::Handle handle);
    void Unlock(host::Handle handle);
    bool SetSize(host::Handle handle, int32_t size);

    bool Owns(host::Handle handle) const { return live.count(handle) != 0; }
    int LockedCount() const;  // locks not yet released, over all live handles
    size_t LiveCount() const { return live.size(); }
    const std::vector<std::string>& Problems() const { return problems; }

    // Fault switches: fail the Nth allocation (1-based, 0 = never); locks that return null.
    int failAllocationNumber = 0;
    bool failLocks = false;
    bool reportZeroSize = false;  // hosts that do not know their handles' sizes
    bool ignoreSetSize = false;   // hosts whose set-size does nothing but says it worked

private:
    struct Entry {
        int32_t size = 0;
        int locks = 0;
    };
    host::HandleProcs procs{};
    std::map<host::Handle, Entry> live;
    std::set<host::Handle> disposed;  // kept allocated so a second dispose is seen, not a crash
    std::vector<std::string> problems;
    int allocations = 0;
};

}  // namespace emulator
