// The desktop's list of icons, where the animated wallpaper lives. Windows
// keeps it as the first child of the "SHELLDLL_DefView" window inside the
// top-level window "Progman"; from Windows 8 on, once the desktop has been
// re-parented (a wallpaper slideshow, a change of wallpaper, or any program
// sending Progman its message 0x052C), "SHELLDLL_DefView" lives inside a
// top-level window of class "WorkerW" instead.
#pragma once
#include <windows.h>

namespace vireska {

// The icon list, or 0 when the desktop has none of these windows.
HWND DesktopIconList();

}  // namespace vireska
