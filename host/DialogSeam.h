// host/DialogSeam.h: where the start selector meets the user interface. Builds without a dialog
// (Linux, the command-line host) link an implementation that shows nothing.
#pragma once

#include "api/HostApi.h"

#include <cstdint>

enum class DialogOutcome {
    kUnavailable,  // no dialog in this build: run as if the host had asked for none
    kOk,           // the user confirmed; the dialog already fetched the image
    kCancel,
};

// The main dialog, modal, editing the locked parameter record in place.
DialogOutcome RunMainDialog();

// The about box, owned by the host window of the about record.
void ShowAbout(const host::AboutRecord& about);

// The dialog's own progress bar (0..total, done never negative).
void ShowDialogProgress(void* progressWindow, int32_t done, int32_t total);
