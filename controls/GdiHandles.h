// RAII owners for the GDI objects the controls create while painting: every object created
// is deleted and every selection undone on all paths.
#pragma once

#include <windows.h>

namespace controls {

// Owns a GDI object (pen, brush, font, bitmap) and deletes it.
template <class Handle>
class GdiObject {
public:
    GdiObject() noexcept = default;
    explicit GdiObject(Handle h) noexcept : handle(h) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle Get() const noexcept { return handle; }
    explicit operator bool() const noexcept { return handle != nullptr; }
    void Reset(Handle h = nullptr) noexcept {
        if (handle != nullptr) DeleteObject(handle);
        handle = h;
    }
    Handle Release() noexcept {
        Handle h = handle;
        handle = nullptr;
        return h;
    }

private:
    Handle handle = nullptr;
};

// Selects an object into a device context and puts the previous one back.
class SelectionScope {
public:
    SelectionScope(HDC target, HGDIOBJ object) noexcept
        : dc(target), previous(object ? SelectObject(target, object) : nullptr) {}
    ~SelectionScope() {
        if (previous != nullptr) SelectObject(dc, previous);
    }
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// A memory device context compatible with `reference` (the screen when null).
class MemoryDc {
public:
    explicit MemoryDc(HDC reference) noexcept : dc(CreateCompatibleDC(reference)) {}
    ~MemoryDc() {
        if (dc != nullptr) DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const noexcept { return dc; }
    explicit operator bool() const noexcept { return dc != nullptr; }

private:
    HDC dc;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND target) noexcept : window(target) { dc = BeginPaint(target, &ps); }
    ~PaintScope() { EndPaint(window, &ps); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const noexcept { return dc; }

private:
    HWND window;
    PAINTSTRUCT ps{};
    HDC dc = nullptr;
};

// Off-screen canvas of the client size: draw into Dc(), then CopyTo() the window in one BitBlt,
// so a control never shows a half-drawn frame.
class BufferedCanvas {
public:
    BufferedCanvas(HDC target, int widthPx, int heightPx) noexcept
        : memory(target),
          bitmap(CreateCompatibleBitmap(target, widthPx > 0 ? widthPx : 1, heightPx > 0 ? heightPx : 1)),
          selection(memory.Get(), bitmap.Get()),
          width(widthPx),
          height(heightPx) {}
    bool IsReady() const noexcept { return memory && bitmap; }
    HDC Dc() const noexcept { return memory.Get(); }
    void CopyTo(HDC target, int x = 0, int y = 0) const noexcept {
        BitBlt(target, x, y, width, height, memory.Get(), 0, 0, SRCCOPY);
    }

private:
    MemoryDc memory;
    GdiObject<HBITMAP> bitmap;
    SelectionScope selection;  // declared after the bitmap: deselected before it is deleted
    int width;
    int height;
};

}  // namespace controls
