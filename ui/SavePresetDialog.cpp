#include "ui/SavePresetDialog.h"

#include "controls/SharedResources.h"
#include "controls/SkinnedButton.h"
#include "resources/ServiceDialogIds.h"
#include "ui/ControlResourcesScope.h"

#include <vector>

namespace ui {
namespace {

std::string FieldText(HWND field) {
    const int length = GetWindowTextLengthA(field);
    if (length <= 0) return {};
    std::vector<char> text(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextA(field, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void EnableSaveWhenNamed(HWND dialog) noexcept {
    EnableWindow(GetDlgItem(dialog, IDC_SAVE_PRESET_SAVE),
                 GetWindowTextLengthA(GetDlgItem(dialog, IDC_SAVE_PRESET_NAME)) > 0);
}

INT_PTR CALLBACK SavePresetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            const auto* name = reinterpret_cast<const std::string*>(lParam);
            controls::SubclassForHover(GetDlgItem(dialog, IDC_SAVE_PRESET_SAVE));
            controls::SubclassForHover(GetDlgItem(dialog, IDC_SAVE_PRESET_CANCEL));
            HWND field = GetDlgItem(dialog, IDC_SAVE_PRESET_NAME);
            SetWindowTextA(field, name->c_str());
            SendMessageA(field, EM_SETSEL, 0, -1);
            EnableSaveWhenNamed(dialog);
            SetFocus(field);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (id == IDC_SAVE_PRESET_NAME) {
                EnableSaveWhenNamed(dialog);
                return TRUE;
            }
            if (code != BN_CLICKED) return FALSE;
            if (id == IDOK || id == IDC_SAVE_PRESET_SAVE) {
                HWND field = GetDlgItem(dialog, IDC_SAVE_PRESET_NAME);
                if (GetWindowTextLengthA(field) == 0) return TRUE;  // Enter on an empty field
                try {
                    *reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, DWLP_USER)) = FieldText(field);
                } catch (...) {
                    EndDialog(dialog, IDCANCEL);  // no memory for the name: nothing is saved
                    return TRUE;
                }
                EndDialog(dialog, id);
                return TRUE;
            }
            if (id == IDCANCEL || id == IDC_SAVE_PRESET_CANCEL) {
                EndDialog(dialog, id);
                return TRUE;
            }
            return FALSE;
        }
        case WM_DRAWITEM:
            controls::DrawSkinnedButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(controls::BackgroundBrush());
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<INT_PTR>(controls::BackgroundBrush());
        default:
            return FALSE;
    }
}

}  // namespace

bool AskPresetName(HWND owner, std::string& name) {
    ControlResourcesScope resources;
    const INT_PTR result = DialogBoxParamA(PluginInstance(), MAKEINTRESOURCEA(IDD_SAVE_PRESET), owner,
                                           SavePresetDialogProc, reinterpret_cast<LPARAM>(&name));
    return (result == IDOK || result == IDC_SAVE_PRESET_SAVE) && !name.empty();
}

}  // namespace ui
