#include "controls/Tooltip.h"

#include "controls/SharedResources.h"

#include <commctrl.h>

namespace controls {

HWND AttachTooltip(HWND window, const char* text, const char* title) noexcept {
    if (window == nullptr || text == nullptr) return nullptr;
    HWND tip =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | WS_BORDER | WS_DLGFRAME | TTS_BALLOON | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, ControlsInstance(), nullptr);
    if (tip == nullptr) return nullptr;
    SetWindowPos(tip, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_CENTERTIP | TTF_SUBCLASS | TTF_TRANSPARENT;
    tool.hwnd = window;
    tool.uId = 0;
    GetClientRect(window, &tool.rect);
    tool.hinst = nullptr;
    tool.lpszText = const_cast<char*>(text);  // the tooltip copies the text
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (title != nullptr) SendMessageA(tip, TTM_SETTITLEA, TTI_INFO, reinterpret_cast<LPARAM>(title));
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, kTooltipMaxWidthPx);
    return tip;
}

}  // namespace controls
