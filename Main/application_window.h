// The program's application window: a hidden top-level window that owns the
// program's own top-level windows, so that none of them has a taskbar button,
// and that a second saver start brings to the foreground. Like a form
// framework's application window it never keeps activation or the keyboard
// focus for itself: it hands them on to the main form.
#pragma once
#include <windows.h>

#include <string>

namespace vireska {

HWND CreateApplicationWindow(const std::string& title);
// The window that activation and focus go on to (0 for none).
void SetMainForm(HWND applicationWindow, HWND form);

}  // namespace vireska
