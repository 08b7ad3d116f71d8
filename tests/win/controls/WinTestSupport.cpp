#include "WinTestSupport.h"

#include "ControlsTestIds.h"
#include "DialogLayout.h"
#include "controls/SharedResources.h"
#include "controls/SkinnedButton.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <deque>

namespace wintest {
namespace {

INT_PTR CALLBACK HostDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        for (int id : {IDOK, IDCANCEL, IDC_TEST_UPDATE, IDC_TEST_SAVE})
            controls::SubclassForHover(GetDlgItem(dialog, id));
        return TRUE;
    }
    auto* recorder = reinterpret_cast<Recorder*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (recorder == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if ((id == IDOK || id == IDCANCEL) && code == BN_CLICKED) {
                // Enter / Escape, or a click: the edit box rules come first.
                if (!controls::RouteEditBoxKey(dialog, id)) recorder->closedWith = id;
                return TRUE;
            }
            recorder->commands.push_back({id, code, lParam});
            return TRUE;
        }
        case WM_DRAWITEM:
            controls::DrawSkinnedButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<INT_PTR>(controls::BackgroundBrush());
        default:
            return FALSE;
    }
}

std::deque<std::function<void()>> gSteps;
UINT_PTR gTimer = 0;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (gSteps.empty()) {
        KillTimer(nullptr, gTimer);
        gTimer = 0;
        return;
    }
    auto step = std::move(gSteps.front());
    gSteps.pop_front();
    step();
}

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
    PutBigEndian(out, static_cast<uint32_t>(body.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBigEndian(out, Crc32(typed.data(), typed.size()));
}

}  // namespace

size_t Recorder::CountFrom(int id, int code) const {
    size_t n = 0;
    for (const Command& c : commands) {
        if (c.id == id && (code < 0 || c.code == code)) ++n;
    }
    return n;
}

void Pump(HWND dialog) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog != nullptr && IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Mouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    SendMessageA(window, message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

void Click(HWND window, int x, int y) {
    Mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(window, WM_LBUTTONUP, x, y, 0);
}

void PressKey(HWND dialog, UINT virtualKey) {
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(focus, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
    Pump(dialog);
}

Pixels Capture(HWND window) {
    Pixels out;
    RECT client{};
    GetClientRect(window, &client);
    out.width = client.right;
    out.height = client.bottom;
    if (out.width <= 0 || out.height <= 0) return out;
    UpdateWindow(window);
    const std::string hidden = WhatHides(window);
    if (!hidden.empty()) ADD_FAILURE() << "the capture would read pixels that were never painted: " << hidden;
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = out.width;
    info.bmiHeader.biHeight = -out.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, out.width, out.height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    out.data.assign(source, source + static_cast<size_t>(out.width) * out.height);
    for (uint32_t& p : out.data) p &= 0x00FFFFFFu;
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
    return out;
}

void SaveScreenshot(const Pixels& pixels, const std::string& name) {
    if (pixels.width <= 0 || pixels.height <= 0) return;
    const char* folder = std::getenv("MV_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr && *folder != '\0') ? std::string(folder) + "\\" + name : name;
    // Raw scanlines (filter byte 0 + RGB), stored in deflate blocks of at most 65535 bytes.
    std::vector<uint8_t> raw;
    for (int y = 0; y < pixels.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < pixels.width; ++x) {
            const uint32_t p = pixels.At(x, y);
            raw.push_back(static_cast<uint8_t>(Red(p)));
            raw.push_back(static_cast<uint8_t>(Green(p)));
            raw.push_back(static_cast<uint8_t>(Blue(p)));
        }
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - offset);
        const bool isLast = offset + n == raw.size();
        z.push_back(isLast ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n & 0xFF));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n & 0xFF));
        z.push_back(static_cast<uint8_t>((~n >> 8) & 0xFF));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
                 raw.begin() + static_cast<std::ptrdiff_t>(offset + n));
        offset += n;
    } while (offset < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(pixels.width));
    PutBigEndian(header, static_cast<uint32_t>(pixels.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", {});
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(png.data(), 1, png.size(), f);
        std::fclose(f);
    }
}

uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>((r << 16) | (g << 8) | b);
}
int Red(uint32_t p) {
    return static_cast<int>((p >> 16) & 0xFF);
}
int Green(uint32_t p) {
    return static_cast<int>((p >> 8) & 0xFF);
}
int Blue(uint32_t p) {
    return static_cast<int>(p & 0xFF);
}

void RunDuringModalLoop(std::vector<std::function<void()>> steps) {
    for (auto& step : steps) gSteps.push_back(std::move(step));
    if (gTimer == 0) gTimer = SetTimer(nullptr, 0, 1, StepTimer);
}

bool ModalScriptFinished() {
    return gSteps.empty();
}

void ClearModalScript() {
    gSteps.clear();
    if (gTimer != 0) KillTimer(nullptr, gTimer);
    gTimer = 0;
}

HWND FindSetValueDialog() {
    struct Search {
        HWND found = nullptr;
    } search;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            char title[32] = {};
            GetWindowTextA(window, title, sizeof title);
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::strcmp(title, "Set value") == 0 && std::strcmp(name, "#32770") == 0) {
                reinterpret_cast<Search*>(lParam)->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

// Wine does not count GDI objects for GetGuiResources, but it keeps the process's objects in
// the GDI handle table that the process environment block points to, as Windows does: an
// entry with a non-zero type is a live object.
#pragma pack(push, 1)
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "layout of the shared GDI handle table");
constexpr size_t kPebOffsetInTeb = 0x60;
constexpr size_t kGdiHandleTableOffsetInPeb = 0xF8;
constexpr size_t kGdiHandleTableEntries = 0x10000;

DWORD CountHandleTableEntries() {
    DeleteObject(CreateSolidBrush(0));  // makes sure GDI has set its table up
// GCC mistakes the segment-relative read inside NtCurrentTeb for an empty array access.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const auto* teb = reinterpret_cast<const uint8_t*>(NtCurrentTeb());
#pragma GCC diagnostic pop
    const auto* peb = *reinterpret_cast<const uint8_t* const*>(teb + kPebOffsetInTeb);
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiHandleTableOffsetInPeb);
    if (table == nullptr) return 0;
    DWORD live = 0;
    for (size_t i = 0; i < kGdiHandleTableEntries; ++i) live += table[i].type != 0;
    return live;
}

}  // namespace

DWORD GdiObjectCount() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return counted != 0 ? counted : CountHandleTableEntries();
}

HWND CreateHostWindow() {
    static const ATOM hostClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "Merovane controls test host";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        return RegisterClassA(&wc);
    }();
    HWND window = CreateWindowExA(0, MAKEINTATOM(hostClass), "Merovane II controls", WS_POPUP | WS_VISIBLE, 0, 0, 560,
                                  360, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window);
    return window;
}

HWND TestHostWindow() {
    static HWND host = CreateHostWindow();
    return host;
}

HWND OpenControlsDialog(Recorder& recorder, HWND host) {
    if (host == nullptr) host = TestHostWindow();
    HWND dialog = nullptr;
    {
        controls::ControlActivationScope activation;
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONTROLS_TEST), host,
                                    HostDialogProc, reinterpret_cast<LPARAM>(&recorder));
    }
    if (dialog == nullptr) return nullptr;
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    // The dialog's size follows its font: a host smaller than the dialog would cut it off.
    RECT needed{};
    GetWindowRect(dialog, &needed);
    RECT hostArea{};
    GetClientRect(host, &hostArea);
    if (needed.right - needed.left > hostArea.right || needed.bottom - needed.top > hostArea.bottom) {
        SetWindowPos(host, nullptr, 0, 0, std::max(hostArea.right, needed.right - needed.left),
                     std::max(hostArea.bottom, needed.bottom - needed.top), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetForegroundWindow(host);
    UpdateWindow(dialog);
    Pump(dialog);
    return dialog;
}

void ControlsDialog::SetUp() {
    ASSERT_TRUE(controls::RegisterControlClasses(GetModuleHandleA(nullptr)));
    dialog = OpenControlsDialog(recorder);
    ASSERT_NE(dialog, nullptr);
}

void ControlsDialog::TearDown() {
    ClearModalScript();
    if (dialog != nullptr) DestroyWindow(dialog);
    Pump();
    controls::UnregisterControlClasses(GetModuleHandleA(nullptr));
}

}  // namespace wintest
