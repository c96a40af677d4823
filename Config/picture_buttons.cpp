#include "picture_buttons.h"

#include <commctrl.h>

#include <cstdint>
#include <iterator>
#include <vector>

namespace vireska {

namespace {

// The picture's sizes: 18 pixels at 96 dpi, drawn anew for 120, 144 and 192.
// The resource of size i is the 18-pixel picture's id plus 10 i.
constexpr int kPictureSizes[] = {18, 23, 27, 36};
constexpr int kSizeIdStep = 10;
constexpr char kStateProperty[] = "VireskaPictureButton";

struct Picture {
    int Size = 0;
    std::vector<COLORREF> Pixels;  // top-down rows
    COLORREF Transparent = 0;
};

struct PictureButton {
    std::vector<Picture> Pictures;  // the sizes that loaded, smallest first
    PictureLayout Layout = PictureLayout::Centred;
    bool Default = false;  // the dialog's default button, told by BM_SETSTYLE
};

PictureButton* StateOf(HWND button) { return static_cast<PictureButton*>(GetPropA(button, kStateProperty)); }

Picture LoadPicture(int bitmapId, int size) {
    Picture picture;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return picture;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bgra(static_cast<size_t>(size) * size);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, size, bgra.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bitmap);
    if (rows != size) return picture;
    picture.Size = size;
    for (uint32_t p : bgra) picture.Pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    picture.Transparent = picture.Pixels[static_cast<size_t>(size - 1) * size];  // the lower-left pixel
    return picture;
}

// The resolution the window is shown at: its monitor's with per-monitor
// awareness (Windows 10 1607 on), else the screen's.
int DpiOf(HWND window, HDC dc) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT dpi = getDpi ? getDpi(window) : 0;
    return dpi ? static_cast<int>(dpi) : GetDeviceCaps(dc, LOGPIXELSY);
}

// The largest picture that fits 18 pixels at this resolution, else the smallest.
const Picture* PictureFor(const PictureButton& state, int dpi) {
    const int wanted = MulDiv(18, dpi, 96);
    const Picture* best = nullptr;
    for (const Picture& p : state.Pictures)
        if (!best || p.Size <= wanted) best = &p;
    return best;
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
    for (size_t i = 0; i < std::size(kPictureSizes); ++i) {
        Picture p = LoadPicture(bitmapId + kSizeIdStep * static_cast<int>(i), kPictureSizes[i]);
        if (p.Size) state->Pictures.push_back(std::move(p));
    }
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
    const int dpi = DpiOf(item.hwndItem, dc);
    const Picture* picture = PictureFor(*state, dpi);
    const int size = picture ? picture->Size : MulDiv(18, dpi, 96);
    // The distances of the 96-dpi layout, scaled like the dialog.
    const int margin = MulDiv(4, dpi, 96), gap = MulDiv(state->Layout == PictureLayout::Centred ? 4 : 8, dpi, 96);
    const int shift = pressed ? 1 : 0;
    int pictureX = item.rcItem.left + margin;
    if (state->Layout == PictureLayout::Centred)
        pictureX = item.rcItem.left + (width - (size + gap + textSize.right)) / 2;
    int textX = pictureX + size + gap;
    pictureX += shift;
    textX += shift;
    const int pictureY = item.rcItem.top + (height - size) / 2 + shift;

    if (picture) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const COLORREF c = picture->Pixels[static_cast<size_t>(y) * size + x];
                if (c != picture->Transparent) SetPixelV(dc, pictureX + x, pictureY + y, disabled ? Greyed(c) : c);
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
