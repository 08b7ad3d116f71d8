// host/ScriptParameters.h: the parameters carried by the host's recorded actions.
#pragma once

#include <cstdint>

// Start: applies the action's descriptor to the locked record and decides showDialog.
// Returns the reader's close result (-1715 included); 0 when there is nothing to read.
int16_t ReadScriptParameters();

// Finish: records the locked record in a new descriptor for the host's action.
int16_t WriteScriptParameters();
