// host/PluginGlobals.h: what the plug-in keeps between the host's calls, and the current
// call's host pointers. One instance; the host calls one selector at a time.
#pragma once

#include "api/HostApi.h"
#include "params/FilterParameters.h"

#include <cstdint>

// Kept in a host handle in the data slot between calls.
struct DataBlock {
    uint8_t initialised;     // 1 after the block is set up; every start clears it
    int16_t previewRect[4];  // top, left, bottom, right of the preview pane (0 until the dialog sets it)
};

struct PluginGlobals {
    void* hostBlock = nullptr;  // FilterRecord for selectors 1..5, AboutRecord for 0
    intptr_t* dataSlot = nullptr;
    int16_t* result = nullptr;
    host::SPBasicSuite* basicSuite = nullptr;
    void* moduleInstance = nullptr;
    FilterParameters* parameters = nullptr;  // valid between LockHandles and the unlock at the end of a call
    DataBlock* dataBlock = nullptr;
    void* progressWindow = nullptr;  // the dialog's progress bar while the dialog is open
    int32_t inDialog = 0;            // 1 while the dialog is open: previews instead of final renders
};

extern PluginGlobals gPlugin;

// The filter record of the current call (selectors 1..5).
inline host::FilterRecord* CurrentRecord() {
    return static_cast<host::FilterRecord*>(gPlugin.hostBlock);
}

inline void SetResult(int16_t code) {
    if (gPlugin.result != nullptr) *gPlugin.result = code;
}
inline int16_t Result() {
    return gPlugin.result != nullptr ? *gPlugin.result : host::kNoErr;
}
