// ui/HelpLinks.h: local help and web pages opened by the shell on short-lived worker threads, so
// that a slow browser start never freezes the dialog. One request at a time: while a worker is
// inside its shell call, further requests are dropped.
#pragma once

#include <windows.h>

namespace ui {

// Opens `address` (copied; the caller's text may go at once) with the shell's "open" verb.
// Returns false when the request was dropped because another is still running, or no worker
// could be started.
bool OpenAddress(HWND owner, const char* address);

// How the worker hands a target to the shell; tests replace it to see the call without a
// browser. Null restores ShellExecuteA("open", SW_SHOW).
using ShellOpener = void (*)(HWND owner, const char* target);
void SetShellOpener(ShellOpener opener) noexcept;

// True while a worker is between its start and the end of its shell call.
bool IsLinkBusy() noexcept;

}  // namespace ui
