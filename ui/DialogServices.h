// ui/DialogServices.h: what the main dialog asks of the preset group, the about box, the message
// dialog and the help links. The main dialog calls these; each is implemented in its own file.
#pragma once

#include <windows.h>

namespace ui {

// Preset group (list 1077, Save 1074, Delete 1078) inside the main dialog.
// At dialog start: derive the preset and help folders from the module's path, fill the list,
// give it its font and tooltips, register the preset file types, and take the snapshot behind
// "Last Used Settings" from the parameter record as it stands.
void StartPresetGroup(HWND dialog);
// A WM_COMMAND for 1074, 1077 or 1078. Returns true when the parameter record was replaced
// ("Default", "Last Used Settings" or a preset file loaded) and the dialog must refresh its
// controls from it.
bool HandlePresetCommand(HWND dialog, int id, int code);
// Every parameter change the dialog processes, and the Update button: keeps "Last Used
// Settings" pointing at the user's own most recent settings.
void NotePresetParameterChange();
// When the dialog closes.
void EndPresetGroup();

// The about box, modal, owned by `owner` (the host's window or the main dialog).
void ShowAboutBox(HWND owner);

// The plug-in's own message dialog; kind 0 no icon, 1 warning, 2 error, other information.
void ShowMessage(HWND owner, const char* text, int kind);

// The local help page (kind 0), or at its installing section (kind 2), opened by the shell on a
// worker thread; the owner is the window that asked last.
void OpenHelp(HWND owner, int kind);

}  // namespace ui
