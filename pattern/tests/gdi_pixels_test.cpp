// The software canvas against the platform's GDI: the same operations on a
// memory bitmap and on a SoftCanvas must set the same pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "soft_canvas.h"

namespace vireska {
namespace {

class GdiBitmap {
public:
    GdiBitmap(int w, int h) : W(w), H(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;  // top-down rows
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        Dc = CreateCompatibleDC(nullptr);
        Bitmap = CreateDIBSection(Dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&Bits), nullptr, 0);
        Old = SelectObject(Dc, Bitmap);
        SelectObject(Dc, GetStockObject(BLACK_BRUSH));
    }
    ~GdiBitmap() {
        SelectObject(Dc, Old);
        DeleteObject(Bitmap);
        if (Pen) DeleteObject(Pen);
        DeleteDC(Dc);
    }
    void SetPen(COLORREF c) {
        HPEN pen = CreatePen(PS_SOLID, 1, c);
        SelectObject(Dc, pen);
        if (Pen) DeleteObject(Pen);
        Pen = pen;
    }
    // COLORREF of a pixel (the DIB holds blue in the low byte).
    COLORREF Pixel(int x, int y) const {
        const uint32_t v = Bits[y * W + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    HDC Dc;
    int W, H;

private:
    HBITMAP Bitmap;
    HGDIOBJ Old;
    HPEN Pen = nullptr;
    uint32_t* Bits = nullptr;
};

// Number of pixels where the two differ, with the first one reported.
int Differences(const GdiBitmap& gdi, const SoftCanvas& soft, std::string* first) {
    int count = 0;
    for (int y = 0; y < gdi.H; ++y)
        for (int x = 0; x < gdi.W; ++x)
            if (gdi.Pixel(x, y) != soft.Pixel(x, y)) {
                if (count++ == 0 && first)
                    *first = "(" + std::to_string(x) + "," + std::to_string(y) + ") gdi " +
                             std::to_string(gdi.Pixel(x, y)) + " soft " + std::to_string(soft.Pixel(x, y));
            }
    return count;
}

TEST(GdiPixels, LinesInEveryOctantAndClippedMatch) {
    constexpr int W = 97, H = 61;
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> coord(-40, 140), colour(1, 0xFFFFFF);
    for (int round = 0; round < 40; ++round) {
        GdiBitmap gdi(W, H);
        SoftCanvas soft(W, H);
        for (int i = 0; i < 60; ++i) {
            const int x1 = coord(rng), y1 = coord(rng);
            // Every third line has an exact-tie slope: dx or dy twice the other.
            int x2 = coord(rng), y2 = coord(rng);
            if (i % 3 == 0) y2 = y1 + (x2 - x1) / 2;
            if (i % 3 == 1) x2 = x1 + (y2 - y1) / 2;
            const COLORREF c = static_cast<COLORREF>(colour(rng));
            gdi.SetPen(c);
            soft.SetPen(c);
            MoveToEx(gdi.Dc, x1, y1, nullptr);
            LineTo(gdi.Dc, x2, y2);
            soft.MoveTo(x1, y1);
            soft.LineTo(x2, y2);
        }
        std::string first;
        ASSERT_EQ(Differences(gdi, soft, &first), 0) << "round " << round << ", first difference " << first;
    }
}

TEST(GdiPixels, RectangleAndFillRectMatch) {
    constexpr int W = 40, H = 30;
    GdiBitmap gdi(W, H);
    SoftCanvas soft(W, H);
    gdi.SetPen(RGB(200, 100, 50));
    soft.SetPen(RGB(200, 100, 50));
    struct R { int l, t, r, b; } rects[] = {{2, 3, 20, 17}, {25, 20, 10, 5}, {-5, -5, 8, 4}, {30, 25, 45, 40}, {5, 5, 5, 9}};
    for (const auto& r : rects) {
        Rectangle(gdi.Dc, r.l, r.t, r.r, r.b);
        soft.Rectangle(r.l, r.t, r.r, r.b);
    }
    const RECT fill{4, 6, 30, 12};
    FillRect(gdi.Dc, &fill, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    soft.FillBlack(Rect{4, 6, 30, 12});
    std::string first;
    EXPECT_EQ(Differences(gdi, soft, &first), 0) << first;
}

}  // namespace
}  // namespace vireska
