#include "saver_window.h"

#include <memory>

#include "gdi_canvas.h"
#include "monitor_covers.h"
#include "password.h"
#include "saver_thread.h"

namespace vireska {

namespace {

constexpr char kSaverClass[] = "TSForm";
constexpr char kSaverTitle[] = "VireskaSForm";
// Repaint areas this high or higher are not cleared.
constexpr int32_t kRepaintLimit = 470;

struct SaverForm {
    PatternSettings* Settings = nullptr;
    StorePosition Store;
    std::unique_ptr<GdiCanvas> Canvas;
    std::shared_ptr<TSaverThread> Thread;
    PointerCounter Pointer;
};

// The process has one saver window, and this is its state.
SaverForm TheForm;

void ScreenSaverRunning(bool running) {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

int32_t SecondOfDay() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return (t.wHour * 60 + t.wMinute) * 60 + t.wSecond;
}

// Stops the drawing and gives the system its state back.
void StopDrawing(SaverForm& form) {
    if (!form.Thread) return;
    form.Thread->Terminate();
    form.Thread.reset();
    ScreenSaverRunning(false);
    ShowCursor(TRUE);
}

void CloseSaver(HWND hwnd, SaverForm& form) {
    if (form.Store) form.Store(form.Settings->StepCounter);
    StopDrawing(form);
    DestroyWindow(hwnd);
}

void CloseRequest(HWND hwnd, SaverForm& form) {
    if (!form.Thread) return;  // already closing
    if (VerifyPassword(hwnd)) CloseSaver(hwnd, form);
}

void FormShow(HWND hwnd, SaverForm& form) {
    if (form.Thread) return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    form.Thread = TSaverThread::Create(*form.Settings, form.Canvas.get(), Rect{0, 0, rc.right, rc.bottom});
    if (form.Settings->FineDelay == 0) form.Thread->SetPriority(THREAD_PRIORITY_HIGHEST);
    CoverOtherMonitors(hwnd, GetWindow(hwnd, GW_OWNER));
}

LRESULT CALLBACK SaverWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    SaverForm* form = &TheForm;
    switch (msg) {
    case WM_CREATE:
        ScreenSaverRunning(true);
        ShowCursor(FALSE);
        form->Canvas = std::make_unique<GdiCanvas>(GetDC(hwnd));
        return 0;
    case WM_SHOWWINDOW:
        if (wp) FormShow(hwnd, *form);
        break;
    case WM_ERASEBKGND:
        return 0;  // never paint over the drawing
    case WM_DISPLAYCHANGE:
        // Monitors came or went: cover the ones there are now.
        if (form->Thread) CoverOtherMonitors(hwnd, GetWindow(hwnd, GW_OWNER));
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        const Rect area{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom};
        if (form->Thread && area.Bottom - area.Top < kRepaintLimit) form->Thread->SetRepaintRect(area);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETCURSOR:
        SetCursor(nullptr);  // no pointer over the saver
        return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Any key, Alt and F10 included; nothing gets its usual effect.
        CloseRequest(hwnd, *form);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        CloseRequest(hwnd, *form);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
        if (form->Pointer.Event(SecondOfDay())) CloseRequest(hwnd, *form);
        return 0;
    case WM_CLOSE:
        // Closed from outside: stop, but store nothing.
        StopDrawing(*form);
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        RemoveCovers();
        StopDrawing(*form);
        form->Canvas.reset();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

bool PointerCounter::Event(int32_t second) {
    if (second != MoveSecond) MoveCount = 0;
    MoveSecond = second;
    ++MoveCount;
    return MoveCount > 3;
}

HWND CreateSaverWindow(HWND owner, PatternSettings& settings, StorePosition store) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = SaverWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kSaverClass;
    RegisterClassA(&wc);

    TheForm.Settings = &settings;
    TheForm.Store = std::move(store);
    return CreateWindowExA(WS_EX_TOPMOST, kSaverClass, kSaverTitle, WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN), owner, nullptr, instance, nullptr);
}

}  // namespace vireska
