// host/ScriptParameters.h: the parameters carried by the host's recorded actions.
#pragma once

#include "api/HostApi.h"

#include <cstdint>

// True when the block exists with version 0, its read procs (version 0) have all 18 procs, and
// its write procs (version 0) declare at least 16. Scripting is skipped entirely otherwise.
bool DescriptorProcsUsable(const host::PIDescriptorParameters* block);

// Start: applies the action's descriptor to the locked record (clearing fillAlpha first, since
// actions without 'FllA' mean no fill), disposes of the descriptor and sets showDialog from
// playInfo. Returns the reader's close result (-1715 included; other errors also become the
// host's result); 0 when there is nothing to read.
int16_t ReadScriptParameters();

// Finish: records the locked record's 21 keys in a new descriptor, replacing the block's old one,
// and marks the dialog optional on replay. Always returns 0.
int16_t WriteScriptParameters();
