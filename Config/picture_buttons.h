// Push buttons with a picture beside the caption, drawn by the program
// (owner-drawn) but keeping a push button's part in the dialog: the default
// button frame, Enter on a focused button, the mnemonic.
#pragma once
#include <windows.h>

namespace vireska {

// Distances in pixels at 96 dpi; they grow with the resolution as the dialog does.
enum class PictureLayout {
    Centred,   // picture, 4 pixels, caption, centred together (OK, Cancel, Help)
    AtMargin,  // picture 4 pixels from the left edge, caption 8 pixels after it ("&Test")
};

// Makes `button` (created with BS_OWNERDRAW) show the bitmap resource
// `bitmapId` (18 x 18) or, at a higher resolution, the largest of its larger
// sizes that fits (see resource.h); the colour of a bitmap's lower-left pixel
// is transparent.
void MakePictureButton(HWND button, int bitmapId, PictureLayout layout, bool isDefault);
// Draws a picture button for the dialog's WM_DRAWITEM; false for any other control.
bool DrawPictureButton(const DRAWITEMSTRUCT& item);

}  // namespace vireska
