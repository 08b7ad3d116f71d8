#include "emulator/HandleLedger.h"

#include <cstdlib>
#include <cstring>

namespace emulator {

namespace {

HandleLedger* gActive = nullptr;

host::Handle NewProc(int32_t size) {
    return gActive->New(size);
}
void DisposeProc(host::Handle h) {
    gActive->Dispose(h);
}
int32_t GetSizeProc(host::Handle h) {
    return gActive->Size(h);
}
host::OSErr SetSizeProc(host::Handle h, int32_t size) {
    return gActive->SetSize(h, size) ? 0 : host::kMemFullErr;
}
host::Ptr LockProc(host::Handle h, host::Boolean) {
    return gActive->Lock(h);
}
void UnlockProc(host::Handle h) {
    gActive->Unlock(h);
}
void RecoverSpaceProc(int32_t) {}

}  // namespace

HandleLedger::HandleLedger() {
    procs.handleProcsVersion = 1;
    procs.numHandleProcs = 8;
    procs.newProc = NewProc;
    procs.disposeProc = DisposeProc;
    procs.getSizeProc = GetSizeProc;
    procs.setSizeProc = SetSizeProc;
    procs.lockProc = LockProc;
    procs.unlockProc = UnlockProc;
    procs.recoverSpaceProc = RecoverSpaceProc;
    procs.disposeRegularHandleProc = DisposeProc;
    MakeActive();
}

HandleLedger::~HandleLedger() {
    for (auto& [handle, entry] : live) {
        std::free(*handle);
        delete handle;
    }
    for (host::Handle handle : disposed) delete handle;
    if (gActive == this) gActive = nullptr;
}

void HandleLedger::MakeActive() {
    gActive = this;
}

host::Handle HandleLedger::New(int32_t size) {
    ++allocations;
    if (size < 0 || allocations == failAllocationNumber) return nullptr;
    // Handles are real double pointers: plug-ins are known to dereference them directly.
    auto* handle = new char*(static_cast<char*>(std::calloc(1, size > 0 ? static_cast<size_t>(size) : 1)));
    live[handle] = Entry{size, 0};
    return handle;
}

void HandleLedger::Dispose(host::Handle handle) {
    if (handle == nullptr) return;
    auto it = live.find(handle);
    if (it == live.end()) {
        problems.push_back(disposed.count(handle) ? "handle disposed twice" : "dispose of an unknown handle");
        return;
    }
    if (it->second.locks != 0) problems.push_back("handle disposed while locked");
    std::free(*handle);
    *handle = nullptr;
    live.erase(it);
    disposed.insert(handle);
}

int32_t HandleLedger::Size(host::Handle handle) const {
    auto it = live.find(handle);
    if (it == live.end()) return 0;
    return reportZeroSize ? 0 : it->second.size;
}

bool HandleLedger::SetSize(host::Handle handle, int32_t size) {
    auto it = live.find(handle);
    if (it == live.end() || size < 0) return false;
    if (ignoreSetSize) return true;
    char* grown = static_cast<char*>(std::realloc(*handle, size > 0 ? static_cast<size_t>(size) : 1));
    if (grown == nullptr) return false;
    if (size > it->second.size) std::memset(grown + it->second.size, 0, static_cast<size_t>(size - it->second.size));
    *handle = grown;
    it->second.size = size;
    return true;
}

host::Ptr HandleLedger::Lock(host::Handle handle) {
    auto it = live.find(handle);
    if (it == live.end()) {
        problems.push_back("lock of an unknown handle");
        return nullptr;
    }
    if (failLocks) return nullptr;
    ++it->second.locks;
    return *handle;
}

void HandleLedger::Unlock(host::Handle handle) {
    auto it = live.find(handle);
    if (it == live.end()) {
        problems.push_back("unlock of an unknown handle");
        return;
    }
    if (it->second.locks == 0) {
        problems.push_back("unlock of a handle that was not locked");
        return;
    }
    --it->second.locks;
}

int HandleLedger::LockedCount() const {
    int count = 0;
    for (const auto& [handle, entry] : live) count += entry.locks;
    return count;
}

}  // namespace emulator
