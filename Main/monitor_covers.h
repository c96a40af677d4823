// The monitors besides the primary one while the full-screen saver runs: each
// gets a black, borderless, topmost window of the saver's process that draws
// nothing and takes the saver's input, so that no other window shows there
// and a key, a button or quick pointer movement over it ends the saver as it
// would over the saver window itself.
#pragma once
#include <windows.h>

namespace vireska {

// Covers every monitor but the primary one, each cover just below `saver` in
// the topmost band (where monitors overlap, the saver shows) and owned by
// `owner` (no taskbar button). Input over a cover is handed to `saver`'s
// window procedure. Call it again when the monitors change: the covers then
// follow them.
void CoverOtherMonitors(HWND saver, HWND owner);
// Destroys the covers.
void RemoveCovers();

}  // namespace vireska
