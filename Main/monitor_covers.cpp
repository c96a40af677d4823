#include "monitor_covers.h"

#include <vector>

namespace vireska {

namespace {

constexpr char kCoverClass[] = "VireskaMonitorCover";

// The process has one saver, and these are its covers.
struct Covers {
    HWND Saver = nullptr;
    std::vector<HWND> Windows;
};
Covers TheCovers;

LRESULT CALLBACK CoverWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
    case WM_CLOSE:
        // The saver's own rules decide: the same close request, the same
        // count of pointer events; closed from outside, the saver closes.
        if (TheCovers.Saver) SendMessageA(TheCovers.Saver, msg, wp, lp);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // the keyboard stays with the saver window
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM rects) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info) && !(info.dwFlags & MONITORINFOF_PRIMARY))
        reinterpret_cast<std::vector<RECT>*>(rects)->push_back(info.rcMonitor);
    return TRUE;
}

}  // namespace

void CoverOtherMonitors(HWND saver, HWND owner) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = CoverWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kCoverClass;
    RegisterClassA(&wc);  // fails harmlessly when the covers are made again

    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    TheCovers.Saver = saver;
    std::vector<HWND>& covers = TheCovers.Windows;
    // Covers there are already move to the monitors there are now; only the
    // missing ones are made and only the ones left over go.
    while (covers.size() > monitors.size()) {
        DestroyWindow(covers.back());
        covers.pop_back();
    }
    for (size_t i = 0; i < monitors.size(); ++i) {
        const RECT& r = monitors[i];
        if (i == covers.size()) {
            HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, "", WS_POPUP,
                                         r.left, r.top, r.right - r.left, r.bottom - r.top, owner, nullptr, instance,
                                         nullptr);
            if (!cover) break;
            covers.push_back(cover);
        }
        SetWindowPos(covers[i], saver, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void RemoveCovers() {
    for (HWND cover : TheCovers.Windows) DestroyWindow(cover);
    TheCovers.Windows.clear();
    TheCovers.Saver = nullptr;
}

}  // namespace vireska
