// The preview and the desktop wallpaper: a disabled child window over the
// whole of a window that belongs to somebody else, drawn on by the drawing
// thread, with a message loop of its own.
#pragma once
#include <windows.h>

#include "pattern.h"

namespace vireska {

// Returns when the host window has been closed or destroyed (or could not be made).
void RunHostWindow(HWND parentWindow, PatternSettings& settings);

}  // namespace vireska
