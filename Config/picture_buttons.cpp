#include "picture_buttons.h"

#include <commctrl.h>

#include <cstdint>
#include <vector>

namespace vireska {

namespace {

constexpr int kPictureSize = 18;
constexpr char kStateProperty[] = "VireskaPictureButton";

struct PictureButton {
    std::vector<COLORREF> Pixels;  // top-down rows
    COLORREF Transparent = 0;
    PictureLayout Layout = PictureLayout::Centred;
    bool Default = false;  // the dialog's default button, told by BM_SETSTYLE
};

PictureButton* StateOf(HWND button) { return static_cast<PictureButton*>(GetPropA(button, kStateProperty)); }

std::vector<COLORREF> LoadPixels(int bitmapId) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    std::vector<COLORREF> pixels;
    if (!bitmap) return pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kPictureSize;
    info.bmiHeader.biHeight = -kPictureSize;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bgra(kPictureSize * kPictureSize);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, kPictureSize, bgra.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bitmap);
    if (rows != kPictureSize) return pixels;
    for (uint32_t p : bgra) pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return pixels;
}

// The disabled variant: each pixel of the picture as a light grey of its brightness.
COLORREF Greyed(COLORREF c) {
    const int luminance = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
    const int grey = 128 + luminance / 2;
    return RGB(grey, grey, grey);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    PictureButton* state = StateOf(hwnd);
    switch (msg) {
    case WM_GETDLGCODE:
        // Owner-drawn buttons are not push buttons to the dialog manager; this one is.
        return DLGC_BUTTON | (state->Default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE:
        // The dialog manager moves the default frame; the style stays owner-drawn.
        state->Default = (wp & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (lp) InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_NCDESTROY:
        RemovePropA(hwnd, kStateProperty);
        delete state;
        RemoveWindowSubclass(hwnd, ButtonProc, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void MakePictureButton(HWND button, int bitmapId, PictureLayout layout, bool isDefault) {
    auto* state = new PictureButton;
    state->Pixels = LoadPixels(bitmapId);
    if (!state->Pixels.empty()) state->Transparent = state->Pixels[(kPictureSize - 1) * kPictureSize];
    state->Layout = layout;
    state->Default = isDefault;
    SetPropA(button, kStateProperty, state);
    SetWindowSubclass(button, ButtonProc, 1, 0);
}

bool DrawPictureButton(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON) return false;
    const PictureButton* state = StateOf(item.hwndItem);
    if (!state) return false;
    HDC dc = item.hDC;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool focused = item.itemState & ODS_FOCUS;
    const bool disabled = item.itemState & ODS_DISABLED;

    RECT frame = item.rcItem;
    FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
    if (state->Default || focused) {
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&frame, -1, -1);
    }
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    char caption[64] = {};
    GetWindowTextA(item.hwndItem, caption, sizeof caption);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    RECT textSize{0, 0, 0, 0};
    DrawTextA(dc, caption, -1, &textSize, DT_SINGLELINE | DT_CALCRECT);
    const int width = item.rcItem.right - item.rcItem.left, height = item.rcItem.bottom - item.rcItem.top;
    const int shift = pressed ? 1 : 0;
    int pictureX = item.rcItem.left + 4, textX = pictureX + kPictureSize + 8;
    if (state->Layout == PictureLayout::Centred) {
        pictureX = item.rcItem.left + (width - (kPictureSize + 4 + textSize.right)) / 2;
        textX = pictureX + kPictureSize + 4;
    }
    pictureX += shift;
    textX += shift;
    const int pictureY = item.rcItem.top + (height - kPictureSize) / 2 + shift;

    if (state->Pixels.size() == kPictureSize * kPictureSize) {
        for (int y = 0; y < kPictureSize; ++y)
            for (int x = 0; x < kPictureSize; ++x) {
                const COLORREF c = state->Pixels[y * kPictureSize + x];
                if (c != state->Transparent) SetPixelV(dc, pictureX + x, pictureY + y, disabled ? Greyed(c) : c);
            }
    }
    RECT text{textX, item.rcItem.top + shift, item.rcItem.right, item.rcItem.bottom + shift};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextA(dc, caption, -1, &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | ((item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0));
    SelectObject(dc, oldFont);

    // The focus rectangle goes round the caption, clear of the picture.
    if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
        const int textY = item.rcItem.top + (height - textSize.bottom) / 2 + shift;
        RECT focus{textX - 2, textY - 1, textX + textSize.right + 2, textY + textSize.bottom + 1};
        DrawFocusRect(dc, &focus);
    }
    return true;
}

}  // namespace vireska
