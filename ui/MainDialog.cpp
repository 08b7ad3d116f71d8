#include "ui/MainDialog.h"

#include "controls/ControlButton.h"
#include "controls/PreviewContaner.h"
#include "controls/SharedResources.h"
#include "controls/SkinnedButton.h"
#include "controls/Tooltip.h"
#include "host/FilterDriver.h"
#include "host/HostHandles.h"
#include "host/PluginGlobals.h"
#include "params/SettingTable.h"
#include "render/PreviewOrigin.h"
#include "resources/ControlIds.h"
#include "resources/MainDialogIds.h"
#include "ui/DialogServices.h"
#include "ui/MainDialogControls.h"
#include "ui/PreviewPanes.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace ui {
namespace {

struct DialogState {
    HWND dialog = nullptr;
    PreviewPanes panes;
    std::vector<uint8_t> cancelBackup;  // the parameter bytes as the dialog opened
    bool firstPaint = false;
    bool cmyk = false;
    HBITMAP checkerOn = nullptr, checkerOff = nullptr;
};

DialogState* gState = nullptr;  // one dialog at a time

FilterParameters& Params() {
    return *gPlugin.parameters;
}

bool PreviewsEnabled() {
    return Params().previewEnabled != 0;
}

void RedrawNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ERASENOW);
}

// Redraws the part of the dialog a control covers, so transparent labels over it repaint too.
void RedrawArea(HWND dialog, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(dialog, &r, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ERASENOW | RDW_ALLCHILDREN);
}

bool HasAlpha() {
    return ImageHasAlpha(CurrentRecord()->planes, gState->cmyk);
}

void ApplyAlpha() {
    ApplyAlphaEnabling(gState->dialog, Params(), HasAlpha(), gState->checkerOn, gState->checkerOff);
}

// A preview is a view of the user's work, not the work itself: a preview that fails (no
// memory, a refused document) must not leave its error for the final render to report.
void RenderPreview() {
    if (!PreviewsEnabled()) return;
    RunFilter();
    if (Result() != host::kNoErr) SetResult(host::kNoErr);
}

// Keeps the preview origin where the driver will actually render it, so that the navigator frame
// and later drags start from the part the user sees.
void ClampOrigin() {
    const PreviewView& main = gState->panes.main;
    const int16_t* pane = gPlugin.dataBlock->previewRect;
    const int32_t paneWidth = (pane[3] - pane[1] + 3) & ~3;
    Params().previewX = render::ClampPreviewOrigin(Params().previewX, main.frameWidth, paneWidth);
    Params().previewY = render::ClampPreviewOrigin(Params().previewY, main.frameHeight, pane[2] - pane[0]);
}

void ShowResult() {
    RefreshResultPane(gState->panes, Params().checkerBackground != 0);
}

void Recompute() {
    RenderPreview();
    ShowResult();
    RedrawArea(gState->dialog, gState->panes.mainWindow);
}

void PostUpdatePreview(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kUpdatePreviewCommand, 0), 0);
}

void RefreshControls(HWND dialog) {
    ShowNumericValues(dialog, Params());
    SelectListValues(dialog, Params());
    ShowCheckBoxes(dialog, Params());
    ApplyAlpha();
    if (Params().autoUpdate != 0 && PreviewsEnabled()) {
        RenderPreview();
        ShowResult();
        RedrawNow(dialog);
    }
    RedrawArea(dialog, gState->panes.navigatorWindow);
    UpdatePatternControls(dialog, Params().pattern);
}

void SetUpHeaderButton(HWND dialog, int id, int x, int y, int width, int height, WORD normal, WORD hover, WORD pressed,
                       const char* tooltip) {
    HWND window = GetDlgItem(dialog, id);
    controls::ControlButton* button = controls::FindControl<controls::ControlButton>(window);
    if (button == nullptr) return;
    MoveWindow(window, x, y, width, height, FALSE);
    button->width = width;
    button->height = height;
    button->SetBitmaps(normal, hover, pressed);
    controls::AttachTooltip(window, tooltip);
}

void PreparePreviews(HWND dialog) {
    PreviewPanes& panes = gState->panes;
    int16_t* pane = gPlugin.dataBlock->previewRect;
    pane[0] = pane[1] = 0;
    pane[2] = static_cast<int16_t>(panes.main.height);
    pane[3] = static_cast<int16_t>(panes.main.width);
    ShowNumericValues(dialog, Params());

    PreparePreviewView(panes.navigator);
    gState->firstPaint = true;
    PreparePreviewView(panes.main);
    ClampOrigin();
    PlaceFrameAtOrigin(panes, Params().previewX, Params().previewY);
    if (Result() != host::kNoErr) {
        // The host would not hand over the image: the dialog still edits every setting.
        Params().previewEnabled = 0;
        SetResult(host::kNoErr);
    } else {
        RenderPreview();
    }
}

BOOL OnInitDialog(HWND dialog) {
    host::FilterRecord& record = *CurrentRecord();
    gState->dialog = dialog;
    gState->cmyk = record.imageMode == host::kModeCMYK || record.imageMode == host::kModeCMYK64;
    for (int id : {IDCANCEL, IDOK, IDC_PRESET_SAVE, IDC_PRESET_DELETE, IDC_UPDATE})
        controls::SubclassForHover(GetDlgItem(dialog, id));
    StartPresetGroup(dialog);
    SetUpHeaderButton(dialog, IDC_HELP_BUTTON, 505, 15, 40, 19, IDB_HELP_NORMAL, IDB_HELP_HOVER, IDB_HELP_PRESSED,
                      "Help and plug-in support information");
    SetUpHeaderButton(dialog, IDC_ABOUT, 109, 17, 195, 18, IDB_ABOUT_NORMAL, IDB_ABOUT_HOVER, IDB_ABOUT_PRESSED,
                      "About this sofware");
    gPlugin.progressWindow = GetDlgItem(dialog, IDC_PROGRESS);
    gPlugin.inDialog = 1;
    ConfigureLists(dialog, Params());
    AttachPanes(gState->panes, GetDlgItem(dialog, IDC_MAIN_PREVIEW), GetDlgItem(dialog, IDC_NAVIGATOR));
    ConfigureNumericControls(dialog);

    const int32_t size = HostHandleSize(record.handleProcs, record.parameters);
    const size_t kept =
        size > 0 ? std::min<size_t>(static_cast<size_t>(size), sizeof(FilterParameters)) : sizeof(FilterParameters);
    const auto* bytes = reinterpret_cast<const uint8_t*>(gPlugin.parameters);
    gState->cancelBackup.assign(bytes, bytes + kept);

    ShowCheckBoxes(dialog, Params());
    AttachCheckBoxTooltips(dialog);
    HINSTANCE instance = controls::ControlsInstance();
    gState->checkerOn = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_CHECKER_ON));
    gState->checkerOff = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_CHECKER_OFF));
    ApplyAlpha();
    controls::AttachTooltip(GetDlgItem(dialog, IDC_UPDATE), "Manual preview redraw");

    if (PreviewsEnabled()) PreparePreviews(dialog);
    ShowNumericValues(dialog, Params());
    UpdatePatternControls(dialog, Params().pattern);
    return TRUE;
}

void OnMainPaneDrag() {
    PreviewPanes& panes = gState->panes;
    controls::PreviewContainer* pane = panes.MainPane();
    if (pane == nullptr) return;
    Params().previewX += pane->panX;
    Params().previewY += pane->panY;
    pane->panX = pane->panY = 0;
    ClampOrigin();
    PlaceFrameAtOrigin(panes, Params().previewX, Params().previewY);
    RedrawNow(panes.navigatorWindow);
    Recompute();
}

void OnNavigatorMoved(HWND dialog) {
    PreviewPanes& panes = gState->panes;
    RedrawArea(dialog, panes.navigatorWindow);
    OriginFromNavigatorFrame(panes, Params().previewX, Params().previewY);
    ClampOrigin();
    Recompute();
}

void OnUpdatePreview() {
    NotePresetParameterChange();
    if (Params().autoUpdate != 0 && PreviewsEnabled()) Recompute();
}

void OnCancel(HWND dialog) {
    // Put the opening bytes back into the handle the start selector holds locked: a new handle
    // would leave its lock and our pointer behind on a disposed one.
    std::memcpy(gPlugin.parameters, gState->cancelBackup.data(), gState->cancelBackup.size());
    SetResult(host::kUserCanceledErr);
    EndDialog(dialog, IDCANCEL);
}

// The spin edits, the rotor and the check boxes: any notification of theirs is a new value.
bool IsValueControl(int id) {
    const params::Setting* row = params::FindByControl(id);
    return row != nullptr && row->control != params::ControlKind::kList;
}

void OnCommand(HWND dialog, int id, int code) {
    if (IsValueControl(id)) {
        const uint8_t checkerBefore = Params().checkerBackground;
        ReadNumericControls(dialog, Params());
        ReadCheckBoxes(dialog, Params());
        ApplyAlpha();
        // The navigator is built once, but its transparent parts must follow the toggle as the
        // preview's do.
        if (Params().checkerBackground != checkerBefore && PreviewsEnabled() && !gState->firstPaint) {
            RefreshNavigatorPane(gState->panes, Params().checkerBackground != 0);
            RedrawNow(gState->panes.navigatorWindow);
        }
        PostUpdatePreview(dialog);
        return;
    }
    switch (id) {
        case IDC_COLOR_SCHEMA:
        case IDC_PATTERN: {
            if (code != CBN_SELENDOK) return;
            const LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
            if (index < 0) return;
            if (id == IDC_COLOR_SCHEMA) {
                Params().colorSchema = static_cast<uint8_t>(index);
            } else {
                Params().pattern = static_cast<uint8_t>(index);
                UpdatePatternControls(dialog, Params().pattern);
            }
            PostUpdatePreview(dialog);
            return;
        }
        case IDC_PRESET_SAVE:
        case IDC_PRESET_LIST:
        case IDC_PRESET_DELETE: {
            const bool replaced = HandlePresetCommand(dialog, id, code);
            gPlugin.progressWindow = GetDlgItem(dialog, IDC_PROGRESS);
            if (replaced) RefreshControls(dialog);
            return;
        }
        case IDC_ABOUT:
            ShowAboutBox(dialog);
            return;
        case IDC_HELP_BUTTON:
        case IDC_HELP_COMMAND:
            OpenHelp(dialog, 0);
            return;
        case IDC_MAIN_PREVIEW:
            OnMainPaneDrag();
            return;
        case IDC_NAVIGATOR:
            OnNavigatorMoved(dialog);
            return;
        case IDC_UPDATE:
            NotePresetParameterChange();
            RenderPreview();
            ShowResult();
            RedrawNow(gState->panes.mainWindow);
            return;
        case IDC_RESET:
            ResetParameters(Params());
            RefreshControls(dialog);
            return;
        case kUpdatePreviewCommand:
            OnUpdatePreview();
            return;
        case IDOK:
            if (code != 0 || controls::RouteEditBoxKey(dialog, IDOK)) return;
            EndDialog(dialog, IDOK);
            return;
        case IDCANCEL:
            if (code != 0 || controls::RouteEditBoxKey(dialog, IDCANCEL)) return;
            OnCancel(dialog);
            return;
        default:
            return;
    }
}

void OnDestroy() {
    gPlugin.inDialog = 0;
    EndPresetGroup();
    if (gState->checkerOn != nullptr) DeleteObject(gState->checkerOn);
    if (gState->checkerOff != nullptr) DeleteObject(gState->checkerOff);
    gState->checkerOn = gState->checkerOff = nullptr;
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        gState = reinterpret_cast<DialogState*>(lParam);
        return OnInitDialog(dialog);
    }
    if (gState == nullptr || gPlugin.parameters == nullptr) return FALSE;
    switch (message) {
        case WM_PAINT:
            if (PreviewsEnabled() && gState->firstPaint) {
                gState->firstPaint = false;
                ShowResult();
                RefreshNavigatorPane(gState->panes, Params().checkerBackground != 0);
                InvalidateRect(gState->panes.mainWindow, nullptr, FALSE);
                InvalidateRect(gState->panes.navigatorWindow, nullptr, FALSE);
            }
            return FALSE;
        case WM_DRAWITEM:
            controls::DrawSkinnedButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_HELP:
            OpenHelp(dialog, 0);
            return TRUE;
        case WM_KEYDOWN:
            if (wParam == VK_F1) OpenHelp(dialog, 0);
            return FALSE;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(controls::BackgroundBrush());
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
            return reinterpret_cast<INT_PTR>(controls::BackgroundBrush());
        case WM_COMMAND:
            OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR ShowMainDialog(HINSTANCE instance, HWND owner) {
    DialogState state;
    const INT_PTR end =
        DialogBoxParamA(instance, IDD_MAIN_DIALOG, owner, MainDialogProc, reinterpret_cast<LPARAM>(&state));
    gState = nullptr;
    gPlugin.inDialog = 0;
    gPlugin.progressWindow = nullptr;
    return end;
}

}  // namespace ui
