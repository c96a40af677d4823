#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <limits>

#include "numeric.h"
#include "pattern.h"
#include "recording_canvas.h"

namespace vireska {
namespace {

using test::Op;
using test::RecordingCanvas;

PatternInput Resume(int32_t at) {
    PatternInput in;
    in.continue_ = 1;
    in.continueat = at;
    return in;
}

// The value as the figures quote it: 7 significant digits.
std::string Printed(float f) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(f));
    return buf;
}

uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

TEST(Round32, TiesGoToEvenAndOutOfRangeIsDefined) {
    struct Case { long double x; int32_t want; } cases[] = {
        {0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {-0.5L, 0}, {-1.5L, -2}, {-2.5L, -2}, {2.4999L, 2}, {-2.5001L, -3},
        {2147483647.0L, 2147483647}, {2147483648.0L, -2147483647 - 1},  // low 32 bits of the 64-bit result
        {4294967297.0L, 1}, {1e30L, 0}, {-1e30L, 0},
        {std::numeric_limits<long double>::quiet_NaN(), 0}, {std::numeric_limits<long double>::infinity(), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Round32(c.x), c.want) << static_cast<double>(c.x);
}

TEST(Derivation, AngleStepAndZoomFactorAreFloat32OfTheExtendedResult) {
    PatternInput seven = Resume(0);
    seven.EckenZahl = 7;
    EXPECT_EQ(Bits(DerivePattern(seven, 0).AngleStep), Bits(0.897597908973693848f));
    struct Case { int32_t corners; const char* angle; } angles[] = {
        {7, "0.8975979"}, {12, "0.5235988"}, {1000, "0.006283185"}, {1, "6.283185"}};
    for (const auto& c : angles) {
        PatternInput in = Resume(0);
        in.EckenZahl = c.corners;
        EXPECT_EQ(Printed(DerivePattern(in, 0).AngleStep), c.angle) << c.corners;
    }
    struct ZCase { int32_t zoom; float factor; } zooms[] = {
        {15, 1.5f}, {10, 1.0f}, {1, 0.100000001f}, {0, 0.0f}, {-1, -0.100000001f}};
    for (const auto& z : zooms) {
        PatternInput in = Resume(0);
        in.Zoom = z.zoom;
        EXPECT_EQ(Bits(DerivePattern(in, 0).ZoomFactor), Bits(z.factor)) << z.zoom;
    }
}

TEST(Derivation, StartCounterResumesOrIsARandomMultipleOf100) {
    PatternSettings ps = DerivePattern(Resume(12345), 0);
    EXPECT_EQ(ps.StepCounter, 12345);
    EXPECT_TRUE(ps.FirstStep);
    EXPECT_EQ(ps.RingHead, 0);

    PatternInput in = Resume(12345);
    in.continue_ = 0;
    bool differs = false;
    for (uint32_t seed = 0; seed < 86400000u; seed += 999983u) {
        const int32_t start = DerivePattern(in, seed).StepCounter;
        EXPECT_EQ(start % 100, 0);
        EXPECT_GE(start, 0);
        EXPECT_LE(start, 29999 * 100);
        differs |= start != DerivePattern(in, 0).StepCounter;
    }
    EXPECT_TRUE(differs) << "the clock seed must change the start";
}

// One step of a fresh run, with the ops it drew.
struct Stepped {
    PatternSettings ps;
    RecordingCanvas canvas;
};

void StepOnce(Stepped& s, int32_t w, int32_t h, int steps = 1) {
    StepRunner runner(s.ps, &s.canvas, Rect{0, 0, w, h});
    for (int i = 0; i < steps; ++i) runner.AStep();
}

TEST(Step, WorkedExampleAtCounter1000) {
    PatternInput in = Resume(999);
    in.LinZahl = 200, in.EckenZahl = 7, in.LinLaenge = 25, in.Spinit = 2, in.Erase = 1, in.AutoLength = 1,
    in.Zoom = 15;
    Stepped s{DerivePattern(in, 0), {}};
    PatternSettings& ps = s.ps;
    RosetteState st;
    malen(ps, st, s.canvas, 1024, 768);

    EXPECT_EQ(ps.LineLength, 40);
    EXPECT_EQ(ps.StepCounter, 1000);
    EXPECT_EQ(st.LengthSwing, 2);
    const LineSlot& slot = st.LineRing[1];
    EXPECT_EQ(slot.Radius, 313);
    EXPECT_EQ(slot.HalfLength, 165);
    EXPECT_EQ(Printed(slot.PositionAngle), "-0.3542612");
    EXPECT_EQ(Printed(slot.DirectionAngle), "-6.219786");

    const auto lines = s.canvas.Lines();
    // 7 drawn + 7 erased per half.
    ASSERT_EQ(lines.size(), 28u);
    struct Want { size_t index; int32_t x1, y1, x2, y2; ColorRef color; } wants[] = {
        {0, 721, 803, 499, 559, MakeColor(246, 12, 22)},
        {1, 315, 809, 367, 483, MakeColor(246, 12, 22)},
        {14, 874, 681, 686, 411, MakeColor(235, 1, 244)},
    };
    for (const auto& w : wants) {
        const Op& o = lines[w.index];
        EXPECT_EQ((std::vector<int32_t>{o.a, o.b, o.c, o.d}), (std::vector<int32_t>{w.x1, w.y1, w.x2, w.y2}))
            << "line " << w.index;
        EXPECT_EQ(o.color, w.color) << "line " << w.index;
    }
    // The erase pass over the empty tail slot blackens the centre pixel, once per line.
    for (size_t i : {7u, 8u, 13u, 21u, 27u}) {
        const Op& o = lines[i];
        EXPECT_EQ((std::vector<int32_t>{o.a, o.b, o.c, o.d, static_cast<int32_t>(o.color)}),
                  (std::vector<int32_t>{512, 384, 513, 384, 0}))
            << "erase line " << i;
    }
}

TEST(Step, WrapToZeroClearsAndDrawsAGreyStar) {
    Stepped s{DerivePattern(Resume(2999999), 0), {}};
    StepOnce(s, 1024, 768);
    const auto& ops = s.canvas.ops;
    ASSERT_GE(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, Op::Step);
    EXPECT_EQ(ops[0].a, 0);
    EXPECT_EQ(ops[1].kind, Op::Fill);  // the first step's full-area clear
    EXPECT_EQ(ops[2].kind, Op::Rect);
    EXPECT_EQ((std::vector<int32_t>{ops[2].a, ops[2].b, ops[2].c, ops[2].d, static_cast<int32_t>(ops[2].color)}),
              (std::vector<int32_t>{0, 0, 1024, 768, 0}));
    EXPECT_EQ(s.ps.StepCounter, 0);
    const auto lines = s.canvas.Lines();
    for (size_t first : {0u, 14u}) {  // first line of either half
        EXPECT_EQ((std::vector<int32_t>{lines[first].a, lines[first].b, lines[first].c, lines[first].d}),
                  (std::vector<int32_t>{487, 353, 537, 415}));
        EXPECT_EQ(lines[first].color, MakeColor(128, 128, 128));
    }
}

TEST(Step, CounterAboveTheWrapNeverWraps) {
    Stepped s{DerivePattern(Resume(3000000), 0), {}};
    StepOnce(s, 1024, 768, 3);
    EXPECT_EQ(s.ps.StepCounter, 3000003);
    for (const Op& o : s.canvas.ops) EXPECT_NE(o.kind, Op::Rect);
}

TEST(Step, FirstStepScalesTheLengthToTheAreaHeight) {
    struct Case { int32_t w, h, length, want; } cases[] = {{1024, 768, 25, 40}, {152, 112, 25, 6}, {640, 480, 25, 25}};
    for (const auto& c : cases) {
        PatternInput in = Resume(0);
        in.LinLaenge = c.length;
        Stepped s{DerivePattern(in, 0), {}};
        StepOnce(s, c.w, c.h, 2);  // the second step keeps the scaled value
        EXPECT_EQ(s.ps.LineLength, c.want) << c.w << "x" << c.h;
        EXPECT_FALSE(s.ps.FirstStep);
    }
}

// Lines drawn by one pass, for every number of corners the float32 loop must
// honour; the first count beyond it is where the reader's limit stops.
TEST(Step, APassDrawsExactlyCornersLinesFrom1To1900) {
    const auto linesOfOneStep = [](int32_t corners) {
        PatternInput in = Resume(0);
        in.EckenZahl = corners;
        in.Erase = 0;
        PatternSettings ps = DerivePattern(in, 0);
        struct Count : Canvas {
            size_t lines = 0;
            void SetPen(ColorRef) override {}
            void MoveTo(int32_t, int32_t) override {}
            void LineTo(int32_t, int32_t) override { ++lines; }
            void Rectangle(int32_t, int32_t, int32_t, int32_t) override {}
            void FillBlack(const Rect&) override {}
        } count;
        RosetteState st;
        malen(ps, st, count, 1024, 768);
        return count.lines;
    };
    for (int32_t corners = 1; corners <= 1900; ++corners)
        ASSERT_EQ(linesOfOneStep(corners), 2u * static_cast<size_t>(corners)) << corners << " corners";
    EXPECT_NE(linesOfOneStep(1901), 2u * 1901u) << "1900 is the last count drawn exactly";
    EXPECT_EQ(kMostCorners, 1900);
}

TEST(Step, EraseModesAndRingSizes) {
    // Counts of black lines and where the set drawn at step k is erased.
    struct Case { int32_t lineCount, erase; size_t blackPerStep; int eraseDelay; } cases[] = {
        {200, 1, 14, 199}, {2, 1, 14, 1}, {1, 1, 14, 0}, {0, 1, 14, 0}, {-5, 1, 14, 0}, {200, 0, 0, -1}, {200, 2, 0, -1}};
    for (const auto& c : cases) {
        PatternInput in = Resume(500);
        in.LinZahl = c.lineCount, in.Erase = c.erase, in.AutoLength = 0;
        PatternSettings ps = DerivePattern(in, 0);
        RosetteState st;
        std::vector<std::vector<Op>> steps;
        for (int i = 0; i < 205; ++i) {
            RecordingCanvas rc;
            malen(ps, st, rc, 1024, 768);
            steps.push_back(rc.Lines());
        }
        for (const auto& lines : steps) {
            size_t black = 0;
            for (const Op& o : lines) black += o.color == 0;
            ASSERT_EQ(black, c.blackPerStep) << "LineCount " << c.lineCount << " Erase " << c.erase;
        }
        if (c.eraseDelay < 0) continue;
        // The erase lines of step k + delay are the draw lines of step k.
        const auto& drawn = steps[3];
        const auto& erased = steps[3 + c.eraseDelay];
        for (size_t i = 0; i < 7; ++i) {
            EXPECT_EQ(drawn[i].a, erased[7 + i].a) << "LineCount " << c.lineCount;
            EXPECT_EQ(drawn[i].d, erased[7 + i].d) << "LineCount " << c.lineCount;
        }
    }
}

TEST(Step, SpinModeChoosesTheSecondHalfsColour) {
    struct Case { int32_t spin; bool sameColour; } cases[] = {{0, true}, {1, false}, {2, false}, {3, true}, {-1, true}};
    for (const auto& c : cases) {
        PatternInput in = Resume(1234);
        in.Spinit = c.spin;
        Stepped s{DerivePattern(in, 0), {}};
        StepOnce(s, 800, 600);
        const auto lines = s.canvas.Lines();
        EXPECT_EQ(lines[0].color == lines[14].color, c.sameColour) << "Spinit " << c.spin;
    }
}

TEST(Step, ZeroLengthLinesLeaveOnePixel) {
    PatternInput in = Resume(700);
    in.LinLaenge = 0, in.AutoLength = 0;
    Stepped s{DerivePattern(in, 0), {}};
    StepOnce(s, 1024, 768);
    const auto lines = s.canvas.Lines();
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(lines[i].c, lines[i].a + 1);
        EXPECT_EQ(lines[i].d, lines[i].b);
    }
}

TEST(Step, HandEditedExtremesStayDefined) {
    // Values only a hand-edited file can hold: the step must stay defined and
    // repeatable (the sanitizer build checks for undefined behaviour).
    struct Case { int32_t zoom, length, corners; } cases[] = {
        {std::numeric_limits<int32_t>::max(), 25, 7}, {std::numeric_limits<int32_t>::min(), 25, 7},
        {15, std::numeric_limits<int32_t>::max(), 7}, {15, std::numeric_limits<int32_t>::min(), 3},
        {1000000, 100000, 1}};
    for (const auto& c : cases) {
        auto run = [&] {
            PatternInput in = Resume(std::numeric_limits<int32_t>::max() - 1);
            in.Zoom = c.zoom, in.LinLaenge = c.length, in.EckenZahl = c.corners;
            Stepped s{DerivePattern(in, 0), {}};
            StepOnce(s, 1024, 768, 3);
            return s.canvas.Lines();
        };
        const auto a = run(), b = run();
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].c, b[i].c);
    }
}

TEST(StepRunner, RepaintIsFilledAtTheNextStepOnce) {
    PatternSettings ps = DerivePattern(Resume(41), 0);
    RecordingCanvas rc;
    StepRunner runner(ps, &rc, Rect{0, 0, 640, 480});
    runner.AStep();
    runner.SetRepaintRect(Rect{10, 20, 30, 40});
    runner.AStep();
    runner.AStep();
    std::vector<std::vector<int32_t>> fills;
    std::vector<int32_t> stepNumbers;
    for (const Op& o : rc.ops) {
        if (o.kind == Op::Fill) fills.push_back({o.a, o.b, o.c, o.d});
        if (o.kind == Op::Step) stepNumbers.push_back(o.a);
    }
    // The runner hands the empty rectangle to the canvas; GDI fills nothing for it.
    EXPECT_EQ(fills, (std::vector<std::vector<int32_t>>{{0, 0, 640, 480}, {10, 20, 30, 40}, {0, 0, 0, 0}}));
    EXPECT_EQ(stepNumbers, (std::vector<int32_t>{42, 43, 44}));
}

TEST(StepRunner, NoCanvasDrawsNothing) {
    PatternSettings ps = DerivePattern(Resume(41), 0);
    StepRunner runner(ps, nullptr, Rect{0, 0, 640, 480});
    runner.AStep();
    EXPECT_EQ(ps.StepCounter, 41);
}

}  // namespace
}  // namespace vireska
