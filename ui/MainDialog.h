// ui/MainDialog.h: the main dialog's window procedure and what it keeps while it is open.
#pragma once

#include <windows.h>

namespace ui {

// The posted command that recomputes the preview after a change, once the handler that made the
// change has returned.
constexpr WORD kUpdatePreviewCommand = 9999;

// The dialog procedure of "FERNWISPWITHPARAM00". One dialog at a time.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the dialog modally over `owner` while the start selector holds the parameter record
// locked. Returns IDOK, IDCANCEL, or -1 when the template or a control could not be created.
INT_PTR ShowMainDialog(HINSTANCE instance, HWND owner);

}  // namespace ui
