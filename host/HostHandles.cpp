#include "host/HostHandles.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <set>

namespace {

constexpr uint32_t kFallbackSignature = host::FourCC("FOTO");

// Our own handle: the master block holds the data pointer (so *handle works like a host
// handle), the signature that tells it apart, and the size the host would report.
struct FallbackMaster {
    char* data;
    uint32_t signature;
    int32_t size;
};

int16_t gFallbackError = 0;

// The masters we made. A host's handle points at an 8-byte master pointer, so reading our
// signature behind it would read past the host's block: look the handle up instead.
std::set<FallbackMaster*>& FallbackMasters() {
    static std::set<FallbackMaster*> masters;
    return masters;
}

FallbackMaster* AsFallback(host::Handle handle) {
    auto* master = reinterpret_cast<FallbackMaster*>(handle);
    if (FallbackMasters().count(master) == 0) return nullptr;
    return master->signature == kFallbackSignature ? master : nullptr;
}

}  // namespace

bool HostHandlesUsable(const host::HandleProcs* procs) {
    return procs != nullptr && procs->handleProcsVersion == 1 && procs->numHandleProcs >= 8 &&
           procs->newProc != nullptr && procs->disposeProc != nullptr && procs->getSizeProc != nullptr &&
           procs->setSizeProc != nullptr;
}

host::Handle NewHostHandle(const host::HandleProcs* procs, int32_t size) {
    if (size < 0) return nullptr;
    if (HostHandlesUsable(procs)) return procs->newProc(size);
    auto* master = static_cast<FallbackMaster*>(std::calloc(1, sizeof(FallbackMaster)));
    char* data = static_cast<char*>(std::calloc(1, size > 0 ? static_cast<size_t>(size) : 1));
    if (master == nullptr || data == nullptr) {
        std::free(master);
        std::free(data);
        gFallbackError = host::kMemFullErr;
        return nullptr;
    }
    master->data = data;
    master->signature = kFallbackSignature;
    master->size = size;
    FallbackMasters().insert(master);
    gFallbackError = 0;
    return reinterpret_cast<host::Handle>(master);
}

void DisposeHostHandle(const host::HandleProcs* procs, host::Handle handle) {
    if (handle == nullptr) {
        gFallbackError = host::kNilHandleErr;
        return;
    }
    if (HostHandlesUsable(procs)) {
        procs->disposeProc(handle);
        return;
    }
    if (FallbackMaster* master = AsFallback(handle)) {
        std::free(master->data);
        master->signature = 0;
        FallbackMasters().erase(master);
        std::free(master);
        gFallbackError = 0;
    }
}

int32_t HostHandleSize(const host::HandleProcs* procs, host::Handle handle) {
    if (handle == nullptr) {
        gFallbackError = host::kNilHandleErr;
        return 0;
    }
    if (HostHandlesUsable(procs)) return procs->getSizeProc(handle);
    FallbackMaster* master = AsFallback(handle);
    gFallbackError = 0;
    return master != nullptr ? master->size : 0;
}

void* LockHostHandle(const host::HandleProcs* procs, host::Handle handle) {
    if (handle == nullptr) return nullptr;
    if (HostHandlesUsable(procs) && procs->lockProc != nullptr) return procs->lockProc(handle, /*moveHigh=*/1);
    if (FallbackMaster* master = AsFallback(handle)) return master->data;
    // A host handle without a lock proc: the documented layout still gives us the block.
    return *handle;
}

void UnlockHostHandle(const host::HandleProcs* procs, host::Handle handle) {
    if (handle == nullptr) return;
    if (HostHandlesUsable(procs) && procs->unlockProc != nullptr) procs->unlockProc(handle);
}

int16_t FallbackHandleError() {
    return gFallbackError;
}
