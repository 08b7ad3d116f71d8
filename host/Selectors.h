// host/Selectors.h: what the plug-in does for each of the host's calls.
#pragma once

#include "api/HostApi.h"

void DoAbout(const host::AboutRecord& about);
void DoParameters();
void DoPrepare();
void DoStart();
void DoContinue();
void DoFinish();

// Unlocks what this call locked (never more: some hosts count locks).
void UnlockHandles();
