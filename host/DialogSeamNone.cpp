#include "host/DialogSeam.h"

DialogOutcome RunMainDialog() {
    return DialogOutcome::kUnavailable;
}

void ShowAbout(const host::AboutRecord&) {}

void ShowDialogProgress(void*, int32_t, int32_t) {}
