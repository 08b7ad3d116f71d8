// ui/MessageDialog.h: the plug-in's own message dialog, and a way for tests to see messages
// without a modal box.
#pragma once

#include <windows.h>

namespace ui {

enum MessageKind : int {
    kMessagePlain = 0,    // no icon
    kMessageWarning = 1,  // exclamation
    kMessageError = 2,    // hand, red-brown text
    kMessageInformation = 3,
};

// While an observer is set, ShowMessage hands it the message and shows nothing.
using MessageObserver = void (*)(void* context, HWND owner, const char* text, int kind);
void SetMessageObserver(MessageObserver observer, void* context) noexcept;

}  // namespace ui
