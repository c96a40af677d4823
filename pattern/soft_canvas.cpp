#include "soft_canvas.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "numeric.h"

namespace vireska {

SoftCanvas::SoftCanvas(int32_t width, int32_t height)
    : W(std::max<int32_t>(width, 0)), H(std::max<int32_t>(height, 0)),
      Pixels(static_cast<size_t>(W) * static_cast<size_t>(H), 0) {}

// GDI's cosmetic line: one pixel per step along the major axis (an exact 45
// degree line counts as y-major), from the start pixel up to but without the
// end pixel. The minor coordinate is the ideal line rounded to nearest, an
// exact half going to the smaller integer: minor = ceil(exact - 1/2). Only the
// pixels of the whole line that fall inside the area are set; the visible part
// is never re-rasterized on its own.
void SoftCanvas::LineTo(int32_t x, int32_t y) {
    const int64_t px = CurX, py = CurY, qx = x, qy = y;
    CurX = x, CurY = y;
    const int64_t dx = qx - px, dy = qy - py;
    if (dx == 0 && dy == 0) return;
    const bool xMajor = (dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy);
    // Work in (major, minor) coordinates.
    const int64_t p0 = xMajor ? px : py, p1 = xMajor ? py : px;
    const int64_t q0 = xMajor ? qx : qy;
    const int64_t d0 = xMajor ? dx : dy, d1 = xMajor ? dy : dx;
    const int64_t limit = xMajor ? W : H;
    // Major coordinates of the line's pixels: [p0, q0) or (q0, p0], within the area.
    int64_t lo = d0 > 0 ? p0 : q0 + 1;
    int64_t hi = d0 > 0 ? q0 - 1 : p0;
    lo = std::max<int64_t>(lo, 0);
    hi = std::min<int64_t>(hi, limit - 1);
    if (lo > hi) return;
    // minor(m) = p1 + ceil(N(m) / D) with N(m) = 2 slope (m - p0) - run and
    // D = 2 run, the fraction's signs turned so that D is positive. The first
    // pixel's quotient q is exact, and so is its remainder r = q D - N in
    // [0, D), taken modulo 2^64 since N may need 66 bits; each further step
    // adds 2 slope = A D + B (0 <= B < D) to N: q grows by A, and by one more
    // when B exceeds r. Every pixel comes out as the formula gives it, with a
    // few integer additions.
    const int64_t slope = d0 > 0 ? d1 : -d1, run = d0 > 0 ? d0 : -d0;
    const int64_t D = 2 * run;
    int64_t q = CeilOfTwiceProductMinus(slope, lo - p0, run, D);
    const uint64_t wrapped = static_cast<uint64_t>(q) * static_cast<uint64_t>(D) -
                             2u * static_cast<uint64_t>(slope) * static_cast<uint64_t>(lo - p0) +
                             static_cast<uint64_t>(run);
    int64_t r;
    std::memcpy(&r, &wrapped, sizeof r);
    const int64_t A = FloorDiv(2 * slope, D), B = 2 * slope - A * D;
    for (int64_t m = lo; m <= hi; ++m) {
        if (xMajor)
            Plot(m, p1 + q);
        else
            Plot(p1 + q, m);
        q += A;
        if (B > r) {
            ++q;
            r += D - B;
        } else {
            r -= B;
        }
    }
}

void SoftCanvas::Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, ColorRef color) {
    left = std::max<int64_t>(left, 0), top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, W), bottom = std::min<int64_t>(bottom, H);
    if (right <= left) return;
    for (int64_t yy = top; yy < bottom; ++yy)
        std::fill(Pixels.begin() + static_cast<ptrdiff_t>(yy * W + left),
                  Pixels.begin() + static_cast<ptrdiff_t>(yy * W + right), color);
}

// Outline with the pen through (l,t), (r-1,t), (r-1,b-1), (l,b-1); inside with
// the black brush. Corners are put in order first; no width or height draws nothing.
void SoftCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    int64_t l = std::min(left, right), r = std::max(left, right);
    int64_t t = std::min(top, bottom), b = std::max(top, bottom);
    if (l == r || t == b) return;
    Fill(l, t, r, t + 1, Pen);
    Fill(l, b - 1, r, b, Pen);
    Fill(l, t, l + 1, b, Pen);
    Fill(r - 1, t, r, b, Pen);
    Fill(l + 1, t + 1, r - 1, b - 1, 0);
}

void SoftCanvas::FillBlack(const Rect& r) {
    if (r.IsEmpty()) return;
    Fill(r.Left, r.Top, r.Right, r.Bottom, 0);
}

}  // namespace vireska
