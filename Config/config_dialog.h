// The settings dialog: edits "Vireska Settings" and the presets, starts a
// test run and the desktop wallpaper, stops the wallpaper, opens the links.
#pragma once
#include <windows.h>

namespace vireska {

// Runs the dialog as the program's only form, owned by `callerWindow`, which
// takes no input while it is open, or (with no caller) by the program's
// hidden application window; returns when it closes.
void RunSettingsDialog(HWND applicationWindow, HWND callerWindow);

}  // namespace vireska
