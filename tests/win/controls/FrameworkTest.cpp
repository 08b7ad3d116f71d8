#include "WinTestSupport.h"

#include "ControlsTestIds.h"
#include "controls/ControlFramework.h"
#include "controls/SharedResources.h"
#include "controls/ControlButton.h"
#include "controls/PreviewContaner.h"
#include "controls/Rotor.h"
#include "controls/SpinEdit.h"
#include "controls/Tooltip.h"

#include <commctrl.h>

using namespace controls;
using namespace wintest;

namespace {

const char* const kAllClasses[] = {kControlClass,         kControlButtonFireClass, kControlGlassClass,
                                   kControlButtonClass,   kContanerAnimClass,      kContanerClass,
                                   kRotorClass,           kMacSliderClass,         kGlassSliderClass,
                                   kPreviewContanerClass, kContanerColorClass,     kSpinEditClass,
                                   kColorEqualizerClass};

int RegisteredClassCount(HINSTANCE instance) {
    int n = 0;
    for (const char* name : kAllClasses) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        if (GetClassInfoExA(instance, name, &wc)) ++n;
    }
    return n;
}

// One dialog run as the plug-in does it: register, open the dialog, configure and paint every
// control, close, unregister.
void RunDialogOnce(HINSTANCE instance) {
    ASSERT_TRUE(RegisterControlClasses(instance));
    EXPECT_EQ(RegisteredClassCount(instance), 13);
    EXPECT_NE(FontEditSmall(), nullptr);
    EXPECT_NE(SkinBitmap(123), nullptr);
    EXPECT_NE(SkinBitmap(134), nullptr);
    Recorder recorder;
    // Its own top-level window, as the plug-in's dialog is: tooltips belong to it and go with it.
    HWND host = CreateHostWindow();
    HWND dialog = OpenControlsDialog(recorder, host);
    ASSERT_NE(dialog, nullptr);
    SpinEdit* spin = FindControl<SpinEdit>(GetDlgItem(dialog, IDC_TEST_SPIN));
    Rotor* rotor = FindControl<Rotor>(GetDlgItem(dialog, IDC_TEST_ROTOR));
    PreviewContainer* preview = FindControl<PreviewContainer>(GetDlgItem(dialog, IDC_TEST_MAIN_PREVIEW));
    ControlButton* about = FindControl<ControlButton>(GetDlgItem(dialog, IDC_TEST_ABOUT));
    ASSERT_TRUE(spin && rotor && preview && about);
    spin->SetTooltip("Distance between elements");
    spin->SetValue(20.0f);
    rotor->CreateEdit(50);
    rotor->SetAngle(30.0f);
    AttachTooltip(rotor->hwnd, "Angle for pattern direction");
    HDC screen = GetDC(nullptr);
    preview->SetPicture(CreateCompatibleBitmap(screen, 64, 64));
    ReleaseDC(nullptr, screen);
    about->SetBitmaps(136, 138, 137);
    about->SetBitmaps(136, 0, 0);
    Mouse(about->hwnd, WM_MOUSEMOVE, 3, 3, 0);
    Mouse(GetDlgItem(dialog, IDOK), WM_MOUSEMOVE, 3, 3, 0);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(dialog);
    DestroyWindow(host);
    Pump();
    UnregisterControlClasses(instance);
    EXPECT_EQ(RegisteredClassCount(instance), 0);
    EXPECT_EQ(FontEditSmall(), nullptr);
    EXPECT_EQ(BackgroundBrush(), nullptr);
}

}  // namespace

TEST(ControlClasses, RunningTheDialogTwiceRegistersAndUnregistersCleanlyAndLeaksNoGdiObject) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // The system keeps fonts and device contexts it creates for the first dialog of a
    // process; a first run lets it do so before counting.
    RunDialogOnce(instance);
    const DWORD gdiBefore = GdiObjectCount();
    ASSERT_GT(gdiBefore, 0u) << "GDI objects must be countable here";
    RunDialogOnce(instance);
    RunDialogOnce(instance);
    EXPECT_EQ(GdiObjectCount(), gdiBefore);
}

TEST(ControlClasses, NestedRegistrationKeepsTheSharedResourcesOfTheOuterOne) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_TRUE(RegisterControlClasses(instance));
    const HFONT outerFont = FontEditSmall();
    ASSERT_TRUE(RegisterControlClasses(instance));
    EXPECT_EQ(FontEditSmall(), outerFont);
    UnregisterControlClasses(instance);
    EXPECT_EQ(FontEditSmall(), outerFont);
    EXPECT_EQ(GetObjectType(outerFont), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(RegisteredClassCount(instance), 13);
    UnregisterControlClasses(instance);
    EXPECT_EQ(RegisteredClassCount(instance), 0);
}

using FrameworkDialog = ControlsDialog;

TEST_F(FrameworkDialog, FindControlObjectAnswersOnlyForTheExactClassName) {
    HWND spinWindow = Item(IDC_TEST_SPIN);
    ControlObject* first = FindControlObject(spinWindow, kSpinEditClass);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(FindControlObject(spinWindow, kSpinEditClass), first);
    EXPECT_EQ(FindControlObject(spinWindow, "spin edit cpp"), nullptr);
    EXPECT_EQ(FindControlObject(spinWindow, "Spin Edit"), nullptr);
    EXPECT_EQ(FindControlObject(Item(IDC_TEST_PLAIN_EDIT), "Edit"), nullptr);
    EXPECT_EQ(FindControlObject(Item(IDC_TEST_PLAIN_BUTTON), kSpinEditClass), nullptr);
    EXPECT_EQ(FindControlObject(nullptr, kSpinEditClass), nullptr);
    EXPECT_EQ(FindControl<SpinEdit>(Item(IDC_TEST_ROTOR)), nullptr);
}

namespace {

bool gAdoptedObjectDeleted = false;

class TracedSpinEdit : public SpinEdit {
public:
    ~TracedSpinEdit() override { gAdoptedObjectDeleted = true; }
};

}  // namespace

TEST_F(FrameworkDialog, AnAdoptedObjectLivesAndDiesWithItsWindow) {
    gAdoptedObjectDeleted = false;
    auto* object = new TracedSpinEdit();
    HWND window = CreateControlWithObject(object, 0, kSpinEditClass, WS_CHILD | WS_VISIBLE, 0, 0, 80, 45, dialog, 4000);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindControl<SpinEdit>(window), object);
    EXPECT_NE(object->editWindow, nullptr);
    EXPECT_FALSE(gAdoptedObjectDeleted);
    DestroyWindow(window);
    EXPECT_TRUE(gAdoptedObjectDeleted);
}

TEST_F(FrameworkDialog, ACreationParameterThatIsNotAnAnnouncedObjectIsNotAdopted) {
    int stranger = 42;
    HWND window = CreateWindowExA(0, kSpinEditClass, "", WS_CHILD, 0, 0, 80, 45, dialog, nullptr,
                                  GetModuleHandleA(nullptr), &stranger);
    ASSERT_NE(window, nullptr);
    ControlObject* object = FindControlObject(window, kSpinEditClass);
    ASSERT_NE(object, nullptr);
    EXPECT_NE(static_cast<void*>(object), static_cast<void*>(&stranger));
    DestroyWindow(window);
    EXPECT_EQ(stranger, 42);
}

TEST_F(FrameworkDialog, ObjectOfTheWrongClassIsRefusedAndFreed) {
    gAdoptedObjectDeleted = false;
    EXPECT_EQ(CreateControlWithObject(new TracedSpinEdit(), 0, kRotorClass, WS_CHILD, 0, 0, 10, 10, dialog, 4001),
              nullptr);
    EXPECT_TRUE(gAdoptedObjectDeleted);
}

TEST_F(FrameworkDialog, TooltipIsABalloonOwnedByTheControlAtMostAHundredPixelsWide) {
    EXPECT_EQ(AttachTooltip(nullptr, "text"), nullptr);
    EXPECT_EQ(AttachTooltip(Item(IDC_TEST_ROTOR), nullptr), nullptr);
    HWND tip = AttachTooltip(Item(IDC_TEST_ROTOR), "Angle for pattern direction");
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), GetAncestor(dialog, GA_ROOT));  // a child cannot own: its top-level window does
    EXPECT_NE(GetWindowLongA(tip, GWL_STYLE) & TTS_BALLOON, 0);
    EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 100);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Item(IDC_TEST_ROTOR);
    tool.uId = 0;
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Angle for pattern direction");
}

TEST_F(FrameworkDialog, EscapeWithTheFocusOnAButtonClosesTheDialog) {
    SetFocus(Item(IDC_TEST_PLAIN_BUTTON));
    PressKey(dialog, VK_ESCAPE);
    EXPECT_EQ(recorder.closedWith, IDCANCEL);
}

namespace {

bool gRotorDeleted = false;
bool gDeletedWhileNotifying = true;

class TracedRotor : public Rotor {
public:
    ~TracedRotor() override { gRotorDeleted = true; }
};

// A parent that destroys whichever control reports to it.
LRESULT CALLBACK DestroyingParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_COMMAND) {
        DestroyWindow(GetDlgItem(window, LOWORD(wParam)));
        gDeletedWhileNotifying = gRotorDeleted;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST_F(FrameworkDialog, ParentMayDestroyAControlWhileItNotifies) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DestroyingParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Destroying parent";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, dialog, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    gRotorDeleted = false;
    gDeletedWhileNotifying = true;
    HWND rotor =
        CreateControlWithObject(new TracedRotor(), 0, kRotorClass, WS_CHILD | WS_VISIBLE, 0, 0, 80, 80, parent, 7);
    ASSERT_NE(rotor, nullptr);
    Click(rotor, 40, 10);  // the release notifies, the parent destroys the rotor mid-message
    EXPECT_FALSE(IsWindow(rotor));
    EXPECT_FALSE(gDeletedWhileNotifying) << "the object must outlive the message that is still using it";
    EXPECT_TRUE(gRotorDeleted);
    DestroyWindow(parent);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}
