// The screen-saver password of the Windows 95 family: asked before the saver
// closes, and changed when the display settings ask for it. Other systems
// never ask. The platform's libraries are loaded by full path from the system
// directory at the moment of use and freed right after.
#pragma once
#include <windows.h>

namespace vireska {

// True when the saver may close. Shows the pointer while the platform asks.
bool VerifyPassword(HWND saverWindow);
// Runs the platform's password change with `parent` as its dialog's parent.
void ChangePassword(HWND parent);

}  // namespace vireska
