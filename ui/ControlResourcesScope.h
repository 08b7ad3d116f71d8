// ui/ControlResourcesScope.h: what a dialog of the plug-in needs from the control library for
// the time it is open: the registered classes, shared fonts, brush and button skin, and the
// activation context of common controls 6.
#pragma once

#include "controls/ControlFramework.h"
#include "host/Platform.h"

#include <windows.h>

namespace ui {

// The plug-in's module: dialog templates and bitmaps come from it.
inline HINSTANCE PluginInstance() noexcept {
    return static_cast<HINSTANCE>(platform::ModuleHandle());
}

// Counted by the library: a box opened from the main dialog shares the main dialog's resources.
class ControlResourcesScope {
public:
    ControlResourcesScope() noexcept : isRegistered(controls::RegisterControlClasses(PluginInstance())) {}
    ~ControlResourcesScope() {
        if (isRegistered) controls::UnregisterControlClasses(PluginInstance());
    }
    ControlResourcesScope(const ControlResourcesScope&) = delete;
    ControlResourcesScope& operator=(const ControlResourcesScope&) = delete;
    bool IsReady() const noexcept { return isRegistered; }

private:
    bool isRegistered;
    controls::ControlActivationScope activation;  // after the registration that creates it
};

}  // namespace ui
