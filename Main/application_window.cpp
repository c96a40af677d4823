#include "application_window.h"

namespace vireska {

namespace {

constexpr char kAppWindowClass[] = "VireskaApplication";

HWND MainFormOf(HWND applicationWindow) {
    return reinterpret_cast<HWND>(GetWindowLongPtrA(applicationWindow, GWLP_USERDATA));
}

LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETFOCUS) {
        // Activated (by a second saver start, or when an owned window closed):
        // the keyboard belongs to the main form while it takes input.
        HWND form = MainFormOf(hwnd);
        if (form && IsWindow(form) && IsWindowVisible(form) && IsWindowEnabled(form)) {
            SetFocus(form);
            return 0;
        }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

HWND CreateApplicationWindow(const std::string& title) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ApplicationWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kAppWindowClass;
    RegisterClassA(&wc);
    // Never shown, and a tool window besides: no taskbar button in any role.
    return CreateWindowExA(WS_EX_TOOLWINDOW, kAppWindowClass, title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           instance, nullptr);
}

void SetMainForm(HWND applicationWindow, HWND form) {
    if (applicationWindow) SetWindowLongPtrA(applicationWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
}

}  // namespace vireska
