// The control library's common ground: class registration around a dialog run, the object
// every control window owns, how a parent finds it, and the WM_COMMAND protocol.
#pragma once

#include <windows.h>

#include <cstdint>

namespace controls {

inline constexpr char kControlClass[] = "Control CPP";
inline constexpr char kControlButtonFireClass[] = "Control Button Fire CPP";
inline constexpr char kControlGlassClass[] = "Control Glass CPP";
inline constexpr char kControlButtonClass[] = "Control Button CPP";
inline constexpr char kContanerAnimClass[] = "Contaner Anim CPP";
inline constexpr char kContanerClass[] = "Contaner CPP";
inline constexpr char kRotorClass[] = "Rotor CPP";
inline constexpr char kMacSliderClass[] = "Mac Slider CPP";
inline constexpr char kGlassSliderClass[] = "Glass Slider CPP";
inline constexpr char kPreviewContanerClass[] = "Preview Contaner CPP";
inline constexpr char kContanerColorClass[] = "Contaner Color CPP";
inline constexpr char kSpinEditClass[] = "Spin Edit CPP";
inline constexpr char kColorEqualizerClass[] = "Color Equalizer CPP";

// Notification codes (high word of WM_COMMAND's wParam); the low word is the control's id.
constexpr WORD kNotifyValueChanged = 0;
constexpr WORD kNotifyButtonReleased = 9;
// Sent to an edit box's owner to make it restore the text from its current value (Escape).
constexpr WORD kRestoreEditText = 27;

// Text colour of the registered-only classes.
constexpr COLORREF kDefaultTextColor = RGB(0, 0, 0);

// The object behind every window of a library class, kept in GWLP_USERDATA. Created at
// WM_CREATE, deleted at WM_NCDESTROY; a parent may use a pointer to it only while the
// window exists.
class ControlObject {
public:
    ControlObject() noexcept = default;
    // Releases `buffer` (page-allocated with VirtualAlloc) and the owned bitmap.
    virtual ~ControlObject();
    ControlObject(const ControlObject&) = delete;
    ControlObject& operator=(const ControlObject&) = delete;

    // The window class this object serves; FindControl checks it before casting.
    virtual const char* ClassName() const noexcept { return kControlClass; }
    // Called once at WM_CREATE with hwnd, id, width and height set; composite controls
    // build their children here.
    virtual void OnCreate() noexcept {}
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    // Sends (or posts) WM_COMMAND(id, code) with `lParam` to the parent window.
    void NotifyParent(WORD code, LPARAM lParam = 0) const noexcept;
    void PostToParent(WORD code, LPARAM lParam = 0) const noexcept;
    // RedrawWindow with invalidate + update now.
    void RedrawNow() const noexcept;

    void* buffer = nullptr;
    HWND hwnd = nullptr;
    int64_t id = 0;
    int32_t width = 0;   // client size read at creation; an owner that resizes the window
    int32_t height = 0;  // writes the new size here itself
    uint8_t state = 0;
    // Used only by the registered-only classes.
    COLORREF textColor = kDefaultTextColor;
    HBITMAP ownedBitmap = nullptr;
    bool ownsBitmap = false;
    uint8_t styleBytes[3] = {};
    uint8_t enabledLook = 1;
    int32_t index = -1;

private:
    template <class T, bool kFocusOnPress>
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    int handlerDepth = 0;       // messages of this object on the stack
    bool windowIsGone = false;  // WM_NCDESTROY came while a handler was still running
};

// Builds the shared resources, initialises the common controls and registers the thirteen
// classes for `instance`, inside the activation context of the module's manifest (id 2)
// when it has one. Counted like the shared resources: nested calls only add a reference.
// Returns false when the shared resources could not be made; a single failed class
// registration is not reported (creating a window of that class then fails).
bool RegisterControlClasses(HINSTANCE instance) noexcept;
// Drops the reference; the last one unregisters the classes (which frees their brushes),
// releases the shared resources and the activation context.
void UnregisterControlClasses(HINSTANCE instance) noexcept;

// Keeps the library's activation context active for its lifetime, so that dialogs created
// inside it get the same common controls the classes were registered with.
class ControlActivationScope {
public:
    ControlActivationScope() noexcept;
    ~ControlActivationScope();
    ControlActivationScope(const ControlActivationScope&) = delete;
    ControlActivationScope& operator=(const ControlActivationScope&) = delete;

private:
    ULONG_PTR cookie = 0;
    bool isActive = false;
};

// The object of `window` when its class name equals `className` exactly, else null.
ControlObject* FindControlObject(HWND window, const char* className) noexcept;

// Typed lookup: T names its class in T::kClassName.
template <class T>
T* FindControl(HWND window) noexcept {
    ControlObject* object = FindControlObject(window, T::kClassName);
    if (object == nullptr || object->ClassName() != T::kClassName) return nullptr;
    return static_cast<T*>(object);
}

// Creates a window of a library class that adopts `object` (allocated with new) instead of
// allocating its own. The window owns the object from then on; if creation fails or the
// object does not belong to `className`, the object is deleted and null returned.
HWND CreateControlWithObject(ControlObject* object, DWORD exStyle, const char* className, DWORD style, int x, int y,
                             int width, int height, HWND parent, int id) noexcept;

// For a dialog's IDOK / IDCANCEL: when the focus is in an edit box, Enter moves the focus
// on (so the box commits through EN_KILLFOCUS) and Escape asks the box's owner to restore
// its text; returns true then, and the dialog must stay open.
bool RouteEditBoxKey(HWND dialog, int commandId) noexcept;

// Select all text of an edit box and give it the focus.
void FocusAndSelectAll(HWND edit) noexcept;

}  // namespace controls
