#include "controls/ControlFramework.h"

#include "controls/ControlButton.h"
#include "controls/MacSlider.h"
#include "controls/PreviewContaner.h"
#include "controls/Rotor.h"
#include "controls/SharedResources.h"
#include "controls/SpinEdit.h"

#include <commctrl.h>

#include <cstring>
#include <new>

namespace controls {
namespace {

// Manifest resource id of a DLL (ISOLATIONAWARE_MANIFEST_RESOURCE_ID).
constexpr WORD kManifestResourceId = 2;
constexpr int kClassNameBufferBytes = 64;

int gRegistrations = 0;
HANDLE gActivationContext = INVALID_HANDLE_VALUE;
ControlObject* gPendingAdoption = nullptr;

}  // namespace

ControlObject::~ControlObject() {
    if (buffer != nullptr) VirtualFree(buffer, 0, MEM_RELEASE);
    if (ownsBitmap && ownedBitmap != nullptr) DeleteObject(ownedBitmap);
}

LRESULT ControlObject::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return DefWindowProcA(window, message, wParam, lParam);
}

void ControlObject::NotifyParent(WORD code, LPARAM lParam) const noexcept {
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), lParam);
}

void ControlObject::PostToParent(WORD code, LPARAM lParam) const noexcept {
    PostMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), lParam);
}

void ControlObject::RedrawNow() const noexcept {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// One procedure per class: the object lifecycle here, the behaviour in the object.
template <class T, bool kFocusOnPress>
LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* object = reinterpret_cast<ControlObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_CREATE && object == nullptr) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        // Adopt only the object CreateControlWithObject announced: any other creation
        // parameter (dialog template data, a stranger's pointer) is not ours to own.
        ControlObject* created = nullptr;
        if (create->lpCreateParams != nullptr && create->lpCreateParams == gPendingAdoption) {
            created = gPendingAdoption;
            gPendingAdoption = nullptr;
        } else {
            created = new (std::nothrow) T();
        }
        if (created == nullptr) return 0;  // a plain window that only paints its background
        RECT client{};
        GetClientRect(window, &client);
        created->width = client.right - client.left;
        created->height = client.bottom - client.top;
        created->hwnd = window;
        created->id = GetWindowLongPtrA(window, GWLP_ID);
        created->OnCreate();
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        return 0;
    }
    if (message == WM_NCDESTROY) {
        if (object != nullptr) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            // A parent may destroy the dialog while answering this control's notification;
            // the handler still on the stack then deletes the object on its way out.
            if (object->handlerDepth > 0) {
                object->windowIsGone = true;
            } else {
                delete object;
            }
        }
        DefWindowProcA(window, message, wParam, lParam);
        return 0;
    }
    if (object == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (kFocusOnPress && message == WM_LBUTTONDOWN) SetFocus(window);
    ++object->handlerDepth;
    const LRESULT result = object->HandleMessage(window, message, wParam, lParam);
    if (--object->handlerDepth == 0 && object->windowIsGone) delete object;
    return result;
}

namespace {

struct ClassEntry {
    const char* name;
    WNDPROC procedure;
    const char* cursor;
};

// Registration and unregistration both follow this order.
const ClassEntry kClasses[] = {
    {kControlClass, ControlWindowProc<ControlObject, true>, IDC_ARROW},
    {kControlButtonFireClass, ControlWindowProc<ControlObject, true>, IDC_ARROW},
    {kControlGlassClass, ControlWindowProc<ControlObject, true>, IDC_ARROW},
    {kControlButtonClass, ControlWindowProc<ControlButton, true>, IDC_ARROW},
    {kContanerAnimClass, ControlWindowProc<ControlObject, true>, IDC_ARROW},
    {kContanerClass, ControlWindowProc<ControlObject, true>, IDC_ARROW},
    {kRotorClass, ControlWindowProc<Rotor, false>, IDC_ARROW},
    {kMacSliderClass, ControlWindowProc<MacSlider, false>, IDC_ARROW},
    {kGlassSliderClass, ControlWindowProc<ControlObject, false>, IDC_ARROW},
    {kPreviewContanerClass, ControlWindowProc<PreviewContainer, false>, IDC_SIZEALL},
    {kContanerColorClass, ControlWindowProc<ControlObject, false>, IDC_ARROW},
    {kSpinEditClass, ControlWindowProc<SpinEdit, false>, IDC_ARROW},
    {kColorEqualizerClass, ControlWindowProc<ControlObject, false>, IDC_ARROW},
};

HANDLE CreateModuleActivationContext(HINSTANCE instance) noexcept {
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA(instance, path, MAX_PATH) == 0) return INVALID_HANDLE_VALUE;
    ACTCTXA context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path;
    context.hModule = instance;
    context.lpResourceName = MAKEINTRESOURCEA(kManifestResourceId);
    return CreateActCtxA(&context);
}

void RegisterOne(HINSTANCE instance, const ClassEntry& entry) noexcept {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = 0;
    wc.lpfnWndProc = entry.procedure;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 4;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, entry.cursor);
    // Each class gets a brush of its own: UnregisterClass deletes a class's brush, so one
    // brush shared by thirteen classes would be deleted thirteen times, and the handle,
    // by then perhaps reused by the host, with it.
    wc.hbrBackground = CreateSolidBrush(kBackgroundColor);
    wc.lpszClassName = entry.name;
    if (RegisterClassExA(&wc) == 0 && wc.hbrBackground != nullptr) DeleteObject(wc.hbrBackground);
}

}  // namespace

bool RegisterControlClasses(HINSTANCE instance) noexcept {
    if (gRegistrations > 0) {
        ++gRegistrations;
        return true;
    }
    if (!AcquireSharedResources(instance)) return false;
    gActivationContext = CreateModuleActivationContext(instance);
    {
        ControlActivationScope activation;
        INITCOMMONCONTROLSEX init{};
        init.dwSize = sizeof init;  // 8 bytes
        init.dwICC = 0xFF;
        InitCommonControlsEx(&init);
        for (const ClassEntry& entry : kClasses) RegisterOne(instance, entry);
    }
    gRegistrations = 1;
    return true;
}

void UnregisterControlClasses(HINSTANCE instance) noexcept {
    if (gRegistrations == 0) return;
    if (--gRegistrations > 0) return;
    {
        ControlActivationScope activation;
        for (const ClassEntry& entry : kClasses) UnregisterClassA(entry.name, instance);
    }
    ReleaseSharedResources();
    if (gActivationContext != INVALID_HANDLE_VALUE) ReleaseActCtx(gActivationContext);
    gActivationContext = INVALID_HANDLE_VALUE;
}

ControlActivationScope::ControlActivationScope() noexcept {
    if (gActivationContext != INVALID_HANDLE_VALUE) isActive = ActivateActCtx(gActivationContext, &cookie) != FALSE;
}

ControlActivationScope::~ControlActivationScope() {
    if (isActive) DeactivateActCtx(0, cookie);
}

ControlObject* FindControlObject(HWND window, const char* className) noexcept {
    if (window == nullptr || className == nullptr) return nullptr;
    char name[kClassNameBufferBytes] = {};
    if (GetClassNameA(window, name, sizeof name) == 0) return nullptr;
    if (std::strcmp(name, className) != 0) return nullptr;
    return reinterpret_cast<ControlObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND CreateControlWithObject(ControlObject* object, DWORD exStyle, const char* className, DWORD style, int x, int y,
                             int width, int height, HWND parent, int id) noexcept {
    if (object == nullptr) return nullptr;
    if (className == nullptr || std::strcmp(object->ClassName(), className) != 0) {
        delete object;
        return nullptr;
    }
    gPendingAdoption = object;
    HWND window = CreateWindowExA(exStyle, className, "", style, x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ControlsInstance(), object);
    if (gPendingAdoption == object) {
        // Never reached WM_CREATE: nobody took it.
        gPendingAdoption = nullptr;
        delete object;
        return window;
    }
    return window;
}

bool RouteEditBoxKey(HWND dialog, int commandId) noexcept {
    HWND focus = GetFocus();
    if (focus == nullptr) return false;
    char name[kClassNameBufferBytes] = {};
    GetClassNameA(focus, name, sizeof name);
    if (std::memcmp(name, "Edit", 5) != 0) return false;
    if (commandId == IDOK) {
        PostMessageA(dialog, WM_NEXTDLGCTL, 0, 0);
        return true;
    }
    if (commandId == IDCANCEL) {
        const WORD editId = static_cast<WORD>(GetDlgCtrlID(focus));
        PostMessageA(GetParent(focus), WM_COMMAND, MAKEWPARAM(editId, kRestoreEditText),
                     reinterpret_cast<LPARAM>(focus));
        return true;
    }
    return false;
}

void FocusAndSelectAll(HWND edit) noexcept {
    if (edit == nullptr) return;
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

}  // namespace controls
