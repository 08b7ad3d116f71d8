// Stand-ins for the preset group, the about box, the message dialog and help links until their
// own implementation joins the build: the main dialog works without them.
#include "ui/DialogServices.h"

namespace ui {

void StartPresetGroup(HWND) {}
bool HandlePresetCommand(HWND, int, int) {
    return false;
}
void NotePresetParameterChange() {}
void EndPresetGroup() {}
void ShowAboutBox(HWND) {}
void ShowMessage(HWND, const char*, int) {}
void OpenHelp(HWND, int) {}

}  // namespace ui
