// Scoped GDI resources: every object, selection and device context made through these is released
// when the scope ends, also on early returns.
#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI object (font, brush, pen, bitmap) and deletes it.
template <class Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : handle(h) {}
    GdiObject(GdiObject&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }

    Handle Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    void Reset(Handle h = nullptr) {
        if (handle) DeleteObject(handle);
        handle = h;
    }

private:
    Handle handle = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC and puts the previous one back. A null object selects nothing.
class SelectScope {
public:
    SelectScope(HDC target, HGDIOBJ object) : dc(target), previous(object ? SelectObject(target, object) : nullptr) {}
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    ~SelectScope() {
        if (previous) SelectObject(dc, previous);
    }

private:
    HDC dc;
    HGDIOBJ previous;
};

// BeginPaint/EndPaint around one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : hwnd(window) { dc = BeginPaint(window, &ps); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(hwnd, &ps); }

    HDC Dc() const { return dc; }
    const PAINTSTRUCT& Info() const { return ps; }

private:
    HWND hwnd;
    HDC dc = nullptr;
    PAINTSTRUCT ps{};
};

// GetDC/ReleaseDC; a null window gives the screen.
class WindowDc {
public:
    explicit WindowDc(HWND window) : hwnd(window), dc(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc) ReleaseDC(hwnd, dc);
    }

    HDC Dc() const { return dc; }

private:
    HWND hwnd;
    HDC dc;
};

// A memory DC with a 32-bit bitmap of its own selected: a surface to paint into and read pixels from.
class MemoryDc {
public:
    MemoryDc(int width, int height) {
        WindowDc screen(nullptr);
        dc = CreateCompatibleDC(screen.Dc());
        bitmap.Reset(CreateCompatibleBitmap(screen.Dc(), width, height));
        if (dc && bitmap) previous = SelectObject(dc, bitmap.Get());
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (previous) SelectObject(dc, previous);
        if (dc) DeleteDC(dc);
    }

    HDC Dc() const { return dc; }

private:
    HDC dc = nullptr;
    Bitmap bitmap;
    HGDIOBJ previous = nullptr;
};
