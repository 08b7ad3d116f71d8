// The about box: picture, title, version and credits, and the buttons to the maker's pages.
#include "ui/DialogServices.h"

#include "controls/GdiHandles.h"
#include "controls/SharedResources.h"
#include "controls/SkinnedButton.h"
#include "controls/Tooltip.h"
#include "product/ProductInfo.h"
#include "product/WebAddresses.h"
#include "resources/ControlIds.h"
#include "resources/ServiceDialogIds.h"
#include "ui/ControlResourcesScope.h"
#include "ui/HelpLinks.h"

#include <new>
#include <string>

namespace ui {
namespace {

constexpr COLORREF kTextColor = RGB(50, 55, 60);
// The description, in the system's 8-bit code page (Windows-1252: 0xAE is the registered sign).
constexpr char kDescription[] = "Plug-in filter for Adobe\xAE Photoshop\xAE.";

// What one open box owns; freed when the box is destroyed.
struct AboutBoxState {
    controls::GdiObject<HFONT> labelFont;
    controls::GdiObject<HBITMAP> picture;
    controls::GdiObject<HBITMAP> title;
};

void SetPicture(HWND dialog, int id, controls::GdiObject<HBITMAP>& owner, int bitmapId) noexcept {
    owner.Reset(LoadBitmapA(PluginInstance(), MAKEINTRESOURCEA(bitmapId)));
    if (owner) SendDlgItemMessageA(dialog, id, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(owner.Get()));
}

void StartAboutBox(HWND dialog) noexcept {
    auto* state = new (std::nothrow) AboutBoxState;
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    if (state != nullptr) {
        state->labelFont.Reset(CreateFontA(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                           CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial"));
        SetPicture(dialog, IDC_ABOUT_PICTURE, state->picture, IDB_ABOUT_PICTURE);
        SetPicture(dialog, IDC_ABOUT_TITLE, state->title, IDB_ABOUT_TITLE);
        for (int id :
             {IDC_ABOUT_DESCRIPTION, IDC_ABOUT_VERSION_LABEL, IDC_ABOUT_AUTHOR_LABEL, IDC_ABOUT_HELP_TEXT_LABEL})
            SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(state->labelFont.Get()), FALSE);
    }
    for (int id : {IDC_ABOUT_CLOSE, IDC_ABOUT_WEB, IDC_ABOUT_TUTORIAL, IDC_ABOUT_UPDATES})
        controls::SubclassForHover(GetDlgItem(dialog, id));
    for (int id : {IDC_ABOUT_AUTHOR, IDC_ABOUT_VERSION, IDC_ABOUT_HELP_TEXT})
        SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(controls::FontLight()), FALSE);

    const std::string version = std::string(product::kVersionText) + product::kVersionSuffix;
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, version.c_str());
    SetDlgItemTextA(dialog, IDC_ABOUT_DESCRIPTION, kDescription);
    SetDlgItemTextA(dialog, IDC_ABOUT_AUTHOR, product::kAuthorCredit);
    SetDlgItemTextA(dialog, IDC_ABOUT_HELP_TEXT, product::kHelpTextCredit);
    SetDlgItemTextA(dialog, IDC_ABOUT_WEB, product::kWebSiteCaption);

    controls::AttachTooltip(GetDlgItem(dialog, IDC_ABOUT_WEB), "Go to our site and see other our products.");
    controls::AttachTooltip(GetDlgItem(dialog, IDC_ABOUT_CLOSE), "Close window");
    controls::AttachTooltip(GetDlgItem(dialog, IDC_ABOUT_TUTORIAL), "See online tutorials.");
    controls::AttachTooltip(GetDlgItem(dialog, IDC_ABOUT_UPDATES), "Get freshest version, textures and presets.");
}

bool HandleAboutCommand(HWND dialog, int id, int code) noexcept {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDOK:
        case IDCANCEL:
        case IDC_ABOUT_CLOSE:
            EndDialog(dialog, id);
            return true;
        case IDC_ABOUT_WEB:
            OpenAddress(dialog, product::kHomePageAddress);
            return true;
        case IDC_ABOUT_TUTORIAL:
            OpenAddress(dialog, product::kTutorialsAddress);
            return true;
        case IDC_ABOUT_UPDATES:
            try {
                OpenAddress(dialog, product::UpdatesAddress().c_str());
            } catch (...) {
                // No memory for the address: the page does not open.
            }
            return true;
        default:
            return false;
    }
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_INITDIALOG:
            StartAboutBox(dialog);
            return TRUE;
        case WM_COMMAND:
            return HandleAboutCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_DRAWITEM:
            controls::DrawSkinnedButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            SetTextColor(reinterpret_cast<HDC>(wParam), kTextColor);
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(controls::BackgroundBrush());
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<INT_PTR>(controls::BackgroundBrush());
        case WM_DESTROY:
            delete reinterpret_cast<AboutBoxState*>(GetWindowLongPtrA(dialog, DWLP_USER));
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAboutBox(HWND owner) {
    ControlResourcesScope resources;
    const INT_PTR result = DialogBoxParamA(PluginInstance(), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutBoxProc, 0);
    if (result == -1) {
        const std::string text = std::string("Merovane II ") + product::kVersionText + product::kVersionSuffix;
        MessageBoxA(owner, text.c_str(), "About MerovaneII", MB_OK | MB_ICONINFORMATION);
    }
}

}  // namespace ui
