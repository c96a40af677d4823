#include <gtest/gtest.h>

#include <set>
#include <utility>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>

#include "numeric.h"
#include "soft_canvas.h"

namespace vireska {
namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels Lit(const SoftCanvas& c) {
    Pixels out;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.Pixel(x, y) != 0) out.insert({x, y});
    return out;
}

Pixels Line(int x1, int y1, int x2, int y2, int w = 16, int h = 16) {
    SoftCanvas c(w, h);
    c.SetPen(0xFFFFFF);
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
    return Lit(c);
}

// The line rasterizer's exact ceil((2ab - c) / d), whose 2ab needs up to 66
// bits, with |a| <= d / 2 as the rasterizer calls it.
TEST(SoftCanvas, TheWideCeilingIsExactAtTheLimits) {
    constexpr int64_t big = int64_t{1} << 32;
    struct Case { int64_t a, b, c, d, want; } cases[] = {
        {1, 1, 1, 2, 1},    // (2 - 1) / 2 = 0.5 gives 1
        {-1, 1, 1, 2, -1},  // -3 / 2 = -1.5 gives -1
        {3, 5, 0, 10, 3},   // exactly 3
        // (2(2^32 - 1)^2 - 2^32) / 2^33 = 2^32 - 2.5 + 2^-32 gives 2^32 - 2
        {big - 1, big - 1, big, 2 * big, big - 2},
        {-big, big, -big, 2 * big, -big + 1},  // (-2^65 + 2^32) / 2^33 = -2^32 + 0.5
    };
    for (const Case& c : cases) EXPECT_EQ(CeilOfTwiceProductMinus(c.a, c.b, c.c, c.d), c.want) << c.a << " " << c.b;
#ifdef __SIZEOF_INT128__
    // Against 128-bit arithmetic, where the compiler has it.
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const int64_t d0 = std::uniform_int_distribution<int64_t>(1, big)(random);
        const int64_t a = std::uniform_int_distribution<int64_t>(-d0, d0)(random);
        const int64_t b = std::uniform_int_distribution<int64_t>(-big, big)(random);
        const int64_t c = std::uniform_int_distribution<int64_t>(-2 * big, 2 * big)(random);
        const __int128 n = static_cast<__int128>(a) * b * 2 - c;
        __int128 q = n / (2 * d0);
        if (n % (2 * d0) != 0 && n > 0) ++q;
        ASSERT_EQ(CeilOfTwiceProductMinus(a, b, c, 2 * d0), static_cast<int64_t>(q)) << a << " " << b << " " << c << " " << d0;
    }
#endif
}

TEST(SoftCanvas, LinesLeaveOutTheEndPixelAndSendTiesToTheSmallerCoordinate) {
    struct Case { int x1, y1, x2, y2; Pixels want; } cases[] = {
        {2, 2, 2, 2, {}},
        {1, 3, 5, 3, {{1, 3}, {2, 3}, {3, 3}, {4, 3}}},                  // left to right: [x1, x2)
        {5, 3, 1, 3, {{5, 3}, {4, 3}, {3, 3}, {2, 3}}},                  // right to left: (x2, x1]
        {4, 1, 4, 4, {{4, 1}, {4, 2}, {4, 3}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},                          // 45 degrees
        {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 1}}},                  // y = 0.5 at x = 2 goes up
        {4, 1, 0, 0, {{4, 1}, {3, 1}, {2, 0}, {1, 0}}},                  // same pixels backwards, tie still up
        {0, 0, 1, 4, {{0, 0}, {0, 1}, {0, 2}, {1, 3}}},                  // y-major: tie goes left
        {0, 0, 3, 1, {{0, 0}, {1, 0}, {2, 1}}},                          // 1/3, 2/3 round to nearest
    };
    for (const auto& c : cases)
        EXPECT_EQ(Line(c.x1, c.y1, c.x2, c.y2), c.want) << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
}

TEST(SoftCanvas, ClippingKeepsThePixelsOfTheWholeLine) {
    // The part inside the area is exactly the unclipped line's pixels there.
    const Pixels whole = Line(-7, -3, 22, 9, 40, 40);
    Pixels inside;
    for (auto p : Line(-7 - 10, -3 - 10, 22 - 10, 9 - 10, 40, 40)) inside.insert(p);
    Pixels shifted;
    for (auto p : whole)
        if (p.first - 10 >= 0 && p.second - 10 >= 0) shifted.insert({p.first - 10, p.second - 10});
    // Same line drawn from far outside the area.
    EXPECT_EQ(Line(-7, -3, 22, 9, 40, 40).size(), whole.size());
    EXPECT_EQ(inside, shifted);
    EXPECT_TRUE(Line(-2000000000, 5, 2000000000, 6, 16, 16).size() == 16u);
}

// The line rule pixel by pixel: for each step along the major axis the minor
// coordinate computed anew as ceil(exact - 1/2), in exact arithmetic. The
// canvas must set exactly these pixels, however it gets to them.
Pixels ByTheFormula(int64_t px, int64_t py, int64_t qx, int64_t qy, int64_t w, int64_t h) {
    Pixels out;
    const int64_t dx = qx - px, dy = qy - py;
    if (dx == 0 && dy == 0) return out;
    const bool xMajor = (dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy);
    const int64_t p0 = xMajor ? px : py, p1 = xMajor ? py : px, q0 = xMajor ? qx : qy;
    const int64_t d0 = xMajor ? dx : dy, d1 = xMajor ? dy : dx;
    const int64_t lo = std::max<int64_t>(d0 > 0 ? p0 : q0 + 1, 0);
    const int64_t hi = std::min<int64_t>(d0 > 0 ? q0 - 1 : p0, (xMajor ? w : h) - 1);
    const int64_t slope = d0 > 0 ? d1 : -d1, run = d0 > 0 ? d0 : -d0;
    for (int64_t m = lo; m <= hi; ++m) {
        const int64_t minor = p1 + CeilOfTwiceProductMinus(slope, m - p0, run, 2 * run);
        const int64_t x = xMajor ? m : minor, y = xMajor ? minor : m;
        if (x >= 0 && x < w && y >= 0 && y < h) out.insert({static_cast<int>(x), static_cast<int>(y)});
    }
    return out;
}

TEST(SoftCanvas, LinesSetThePixelsOfTheFormulaAlsoAtThe32BitLimits) {
    std::mt19937 random(2024);
    const int32_t w = 48, h = 40;
    // End points anywhere in 32 bits, near the area, and on its edges.
    const auto coordinate = [&](int32_t size) -> int32_t {
        switch (random() % 4) {
        case 0: return static_cast<int32_t>(random());
        case 1: return std::uniform_int_distribution<int32_t>(-3 * size, 4 * size)(random);
        case 2: return random() % 2 ? INT32_MIN + static_cast<int32_t>(random() % 3)
                                    : INT32_MAX - static_cast<int32_t>(random() % 3);
        default: return std::uniform_int_distribution<int32_t>(-1, size)(random);
        }
    };
    for (int i = 0; i < 300000; ++i) {
        const int32_t x1 = coordinate(w), y1 = coordinate(h), x2 = coordinate(w), y2 = coordinate(h);
        SoftCanvas c(w, h);
        c.SetPen(0xFFFFFF);
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
        ASSERT_EQ(Lit(c), ByTheFormula(x1, y1, x2, y2, w, h)) << x1 << "," << y1 << " -> " << x2 << "," << y2;
    }
}

TEST(SoftCanvas, RectangleAndFillLeaveOutTheRightColumnAndBottomRow) {
    SoftCanvas c(8, 8);
    c.SetPen(0xFF);
    c.Rectangle(5, 6, 1, 2);  // corners put in order
    Pixels outline = Lit(c);
    EXPECT_EQ(outline.size(), 12u);  // 4x4 box [1,5) x [2,6), inside 2x2 black
    EXPECT_TRUE(outline.count({4, 5}) && !outline.count({5, 5}) && !outline.count({2, 3}));
    c.FillBlack(Rect{0, 0, 4, 8});
    EXPECT_EQ(Lit(c), (Pixels{{4, 2}, {4, 3}, {4, 4}, {4, 5}}));
    c.FillBlack(Rect{5, 5, 2, 2});  // empty: nothing
    c.Rectangle(0, 0, 0, 9);        // no width: nothing
    EXPECT_EQ(Lit(c).size(), 4u);
    c.FillBlack(Rect{-100, -100, 100, 100});
    EXPECT_TRUE(Lit(c).empty());
}

}  // namespace
}  // namespace vireska
