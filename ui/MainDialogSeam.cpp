// The start selector's way into the Windows user interface.
#include "host/DialogSeam.h"

#include "controls/ControlFramework.h"
#include "host/Platform.h"
#include "host/PluginGlobals.h"
#include "ui/DialogServices.h"
#include "ui/MainDialog.h"

#include <commctrl.h>

namespace {

HWND OwnerOf(const host::PlatformData* platform) {
    return platform != nullptr ? reinterpret_cast<HWND>(platform->hwnd) : nullptr;
}

}  // namespace

DialogOutcome RunMainDialog() {
    auto instance = static_cast<HINSTANCE>(platform::ModuleHandle());
    if (!controls::RegisterControlClasses(instance)) return DialogOutcome::kUnavailable;
    INT_PTR end = -1;
    {
        controls::ControlActivationScope activation;
        end = ui::ShowMainDialog(instance, OwnerOf(CurrentRecord()->platformData));
    }
    controls::UnregisterControlClasses(instance);
    // A dialog that could not be built at all leaves the run as it would be without one.
    if (end == -1 || end == 0) return DialogOutcome::kUnavailable;
    return end == IDOK ? DialogOutcome::kOk : DialogOutcome::kCancel;
}

void ShowAbout(const host::AboutRecord& about) {
    ui::ShowAboutBox(OwnerOf(about.platformData));
}

void ShowDialogProgress(void* progressWindow, int32_t done, int32_t total) {
    auto bar = static_cast<HWND>(progressWindow);
    if (bar == nullptr) return;
    SendMessageA(bar, PBM_SETRANGE32, 0, total > 0 ? total : 1);
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(done < 0 ? 0 : done), 0);
}
