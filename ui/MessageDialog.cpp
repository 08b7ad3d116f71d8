#include "ui/MessageDialog.h"

#include "resources/ServiceDialogIds.h"
#include "ui/ControlResourcesScope.h"
#include "ui/DialogServices.h"
#include "controls/Tooltip.h"

namespace ui {
namespace {

constexpr COLORREF kErrorTextColor = RGB(150, 50, 50);
constexpr COLORREF kTextColor = RGB(50, 55, 60);

MessageObserver gObserver = nullptr;
void* gObserverContext = nullptr;

struct MessageRequest {
    const char* text;
    int kind;
};

LPCSTR SystemIconFor(int kind) noexcept {
    switch (kind) {
        case kMessagePlain:
            return nullptr;
        case kMessageWarning:
            return IDI_EXCLAMATION;
        case kMessageError:
            return IDI_HAND;
        default:
            return IDI_ASTERISK;
    }
}

void StartMessageDialog(HWND dialog, const MessageRequest& request) noexcept {
    SetWindowLongPtrA(dialog, DWLP_USER, request.kind);
    SetDlgItemTextA(dialog, IDC_MESSAGE_TEXT, request.text != nullptr ? request.text : "");
    if (LPCSTR iconName = SystemIconFor(request.kind)) {
        // System icons are shared: nothing to free when the dialog closes.
        HICON icon = LoadIconA(nullptr, iconName);
        SendDlgItemMessageA(dialog, IDC_MESSAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    controls::AttachTooltip(GetDlgItem(dialog, IDOK), "Close message");
    controls::AttachTooltip(GetDlgItem(dialog, IDC_MESSAGE_HELP), "Read help");
    controls::AttachTooltip(GetDlgItem(dialog, IDC_MESSAGE_SUPPORT), "Get techical support");
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_INITDIALOG:
            StartMessageDialog(dialog, *reinterpret_cast<const MessageRequest*>(lParam));
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDCANCEL:
                    EndDialog(dialog, LOWORD(wParam));
                    return TRUE;
                case IDC_MESSAGE_HELP:
                    OpenHelp(dialog, 2);
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_HELP:
            OpenHelp(dialog, 2);
            return TRUE;
        case WM_CTLCOLORSTATIC: {
            const int kind = static_cast<int>(GetWindowLongPtrA(dialog, DWLP_USER));
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kind == kMessageError ? kErrorTextColor : kTextColor);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        default:
            return FALSE;
    }
}

}  // namespace

void SetMessageObserver(MessageObserver observer, void* context) noexcept {
    gObserver = observer;
    gObserverContext = context;
}

void ShowMessage(HWND owner, const char* text, int kind) {
    if (gObserver != nullptr) {
        gObserver(gObserverContext, owner, text, kind);
        return;
    }
    ControlResourcesScope resources;
    MessageRequest request{text, kind};
    const INT_PTR result = DialogBoxParamA(PluginInstance(), MAKEINTRESOURCEA(IDD_MESSAGE), owner, MessageDialogProc,
                                           reinterpret_cast<LPARAM>(&request));
    if (result == -1 || result == 0) {
        // No template or no window: the user must still learn what happened.
        MessageBoxA(owner, text, "Merovane", MB_OK | MB_ICONWARNING);
    }
}

}  // namespace ui
