// Shared machinery of the controls' Windows tests: a live dialog with one of each control,
// message pumping, synthetic mouse and keyboard input, pixel capture and PNG screenshots.
#pragma once

#include "controls/ControlFramework.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace wintest {

// One WM_COMMAND as the host dialog received it.
struct Command {
    int id;
    int code;
    LPARAM lParam;
};

// What the host dialog saw: notifications, and a close that the test dialog only records.
struct Recorder {
    std::vector<Command> commands;
    int closedWith = 0;  // IDOK / IDCANCEL once the dialog would have closed
    size_t CountFrom(int id, int code = -1) const;
};

// Dispatches everything queued for this thread (dialog messages through the dialog manager),
// then returns; no waiting.
void Pump(HWND dialog = nullptr);

// Mouse messages as a window receives them (client coordinates).
void Mouse(HWND window, UINT message, int x, int y, WPARAM keys = 0);
void Click(HWND window, int x, int y);
// Key press posted to the focused window and pumped through the dialog manager.
void PressKey(HWND dialog, UINT virtualKey);

// 32-bit pixels of a window's client area as it shows on screen (0x00RRGGBB).
struct Pixels {
    static constexpr uint32_t kOutside = 0xFF000000u;  // equals no colour

    int width = 0;
    int height = 0;
    std::vector<uint32_t> data;
    // A point outside the capture is a failure of the test's own layout, reported as such.
    uint32_t At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) {
            ADD_FAILURE() << "pixel (" << x << ", " << y << ") is outside the " << width << " x " << height
                          << " capture";
            return kOutside;
        }
        return data[static_cast<size_t>(y) * width + x];
    }
};
// Fails the test, saying why, when part of the client area is not the window's own on screen
// (clipped by its parent or the screen, or under a sibling): those pixels were never painted.
Pixels Capture(HWND window);
// Writes a PNG (uncompressed deflate) under the screenshot folder: $MV_SCREENSHOT_DIR or the
// working directory.
void SaveScreenshot(const Pixels& pixels, const std::string& name);
uint32_t Rgb(int r, int g, int b);
int Red(uint32_t p);
int Green(uint32_t p);
int Blue(uint32_t p);

// Runs `steps` one at a time from a thread timer, i.e. from inside whatever message loop is
// running (a modal dialog's included): each step runs once the queue holds nothing but the
// timer, so everything the previous step posted has been handled.
void RunDuringModalLoop(std::vector<std::function<void()>> steps);
bool ModalScriptFinished();
// Drops the steps not run yet (a test that failed half-way).
void ClearModalScript();
// The open "Set value" dialog of this thread, or null.
HWND FindSetValueDialog();

// GDI objects of this process as the system counts them (0 where it does not count).
DWORD GdiObjectCount();

// A new top-level window to hold test dialogs; destroying it destroys what they own.
HWND CreateHostWindow();
// The host shared by all tests of the run. Test dialogs are its children: the X11 driver waits
// up to two seconds for a window manager whenever a top-level window goes away, and Xvfb has
// none.
HWND TestHostWindow();

// Opens the test dialog (a shown child of `host`, the shared host when null, which grows to
// hold it whatever size its font gives it) inside the library's activation context; the
// classes must be registered. `recorder` must outlive the dialog.
HWND OpenControlsDialog(Recorder& recorder, HWND host = nullptr);

// Registers the classes, opens the test dialog (modeless, shown) and closes it again.
class ControlsDialog : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    HWND Item(int id) const { return GetDlgItem(dialog, id); }

    HWND dialog = nullptr;
    Recorder recorder;
};

}  // namespace wintest
