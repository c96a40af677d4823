#include "host_window.h"

#include <memory>

#include "gdi_canvas.h"
#include "saver_thread.h"

namespace vireska {

namespace {

constexpr char kHostClass[] = "ClVireskaPreview";
constexpr char kHostTitle[] = "WndVireskaSaver";

// The drawing thread and the host area, for the window procedure.
std::shared_ptr<TSaverThread> HostThread;
Rect HostRect;

// The parent can go without the host hearing of it: when the process that
// owns the parent ends, the host (or what is left of it) may stay behind,
// drawing for nobody. A look twice a second, by a timer of the thread (a
// timer of the window would go with the window), ends the role then.
constexpr UINT kParentCheckMs = 500;

LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
    case WM_DESTROY:
        // WM_CLOSE and the WM_DESTROY that follows both post a quit; the loop ends at the first.
        PostMessageA(hwnd, WM_QUIT, 0, 0);
        break;
    case WM_PAINT:
        // Every repaint clears the whole host window at the next step.
        if (HostThread) HostThread->SetRepaintRect(HostRect);
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

void RunHostWindow(HWND parentWindow, PatternSettings& settings) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.style = CS_PARENTDC;
    wc.lpfnWndProc = HostWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kHostClass;  // no cursor, no background brush: nothing erases the drawing
    RegisterClassA(&wc);

    RECT parent{};
    GetWindowRect(parentWindow, &parent);
    HostRect = Rect{0, 0, parent.right - parent.left, parent.bottom - parent.top};

    HWND host = CreateWindowExA(0, kHostClass, kHostTitle, WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, HostRect.Right,
                                HostRect.Bottom, parentWindow, nullptr, instance, nullptr);
    if (!host) return;

    auto canvas = std::make_unique<GdiCanvas>(GetDC(host));
    HostThread = TSaverThread::Create(settings, canvas.get(), HostRect);

    const UINT_PTR parentCheck = SetTimer(nullptr, 0, kParentCheckMs, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && !msg.hwnd && msg.wParam == parentCheck) {
            if (!IsWindow(parentWindow) || !IsWindow(host)) break;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    KillTimer(nullptr, parentCheck);

    // No step runs after the loop: the thread is told to stop, and a step it
    // still asks for draws nothing, so the canvas can go now.
    HostThread->Terminate();
    HostThread.reset();
    canvas.reset();
}

}  // namespace vireska
