#include "desktop_windows.h"

namespace vireska {

namespace {

BOOL CALLBACK FindViewInWorker(HWND top, LPARAM found) {
    char cls[16] = {};
    GetClassNameA(top, cls, sizeof cls);
    if (lstrcmpA(cls, "WorkerW") != 0) return TRUE;
    HWND view = FindWindowExA(top, nullptr, "SHELLDLL_DefView", nullptr);
    if (!view) return TRUE;
    *reinterpret_cast<HWND*>(found) = view;
    return FALSE;
}

}  // namespace

HWND DesktopIconList() {
    HWND progman = FindWindowA("Progman", nullptr);
    HWND view = progman ? FindWindowExA(progman, nullptr, "SHELLDLL_DefView", nullptr) : nullptr;
    // Re-parented: the top-level "WorkerW" that holds the view.
    if (!view) EnumWindows(FindViewInWorker, reinterpret_cast<LPARAM>(&view));
    return view ? GetWindow(view, GW_CHILD) : nullptr;
}

}  // namespace vireska
