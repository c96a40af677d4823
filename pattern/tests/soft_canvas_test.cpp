#include <gtest/gtest.h>

#include <set>
#include <utility>

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
