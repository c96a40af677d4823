// The settings dialog: edits "Vireska Settings" and the presets, starts a
// test run and the desktop wallpaper, stops the wallpaper, opens the links.
#pragma once
#include <windows.h>

namespace vireska {

// Runs the dialog as the program's only window, owned by `callerWindow`
// (0 for none), which takes no input while it is open; returns when it closes.
void RunSettingsDialog(HWND callerWindow);

}  // namespace vireska
