// host/HostHandles.h: memory handles through the host's handle procs, with a fallback of our
// own ('FOTO' handles) for hosts whose procs are missing or of another version.
#pragma once

#include "api/HostApi.h"

#include <cstdint>

// True when the procs exist with version 1, at least 8 slots and the four procs we rely on.
bool HostHandlesUsable(const host::HandleProcs* procs);

// A new zero-filled handle of `size` bytes; nullptr when nothing could be allocated.
host::Handle NewHostHandle(const host::HandleProcs* procs, int32_t size);
void DisposeHostHandle(const host::HandleProcs* procs, host::Handle handle);
// The handle's size in bytes; 0 for a null handle (some hosts also say 0 for their own handles).
int32_t HostHandleSize(const host::HandleProcs* procs, host::Handle handle);
// The data block, locked until UnlockHostHandle; nullptr when the host cannot lock it.
void* LockHostHandle(const host::HandleProcs* procs, host::Handle handle);
void UnlockHostHandle(const host::HandleProcs* procs, host::Handle handle);

// 0 after a fallback operation succeeded, -108 when an allocation failed, -109 for a null handle.
int16_t FallbackHandleError();
