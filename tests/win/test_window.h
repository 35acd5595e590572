// A visible top-level window for control tests, and message pumping.
#pragma once

#include "win/window.h"

#include <functional>
#include <vector>

// Runs every message waiting for this thread.
inline void PumpMessages() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

class TestParent : public Window {
public:
    std::vector<int> clicked;               // ids of WM_LINK_CLICKED, in order
    std::function<void(int)> onLinkClicked; // runs inside the handler

    bool Open(int x = 100, int y = 100, int w = 420, int h = 300) {
        Register(L"LunoriaTestParent", 0, LoadCursorW(nullptr, IDC_ARROW),
                 reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT r{x, y, x + w, y + h};
        if (!Create(L"LunoriaTestParent", WS_POPUP | WS_VISIBLE, 0, r, nullptr, 0, "测试")) return false;
        UpdateWindow(hwnd);
        return true;
    }

protected:
    LRESULT OnLinkClicked(int id) override {
        clicked.push_back(id);
        if (onLinkClicked) onLinkClicked(id);
        return 0;
    }
};

// Window size as the screen has it.
inline SIZE WindowSize(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}
