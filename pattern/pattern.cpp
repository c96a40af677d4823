#include "pattern.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <initializer_list>

#include "numeric.h"

namespace vireska {

namespace {

// A division of the counter by a constant is a product with the reciprocal,
// both in extended precision.
inline long double Per(int32_t n, long double divisor) {
    return static_cast<long double>(n) * (1.0L / divisor);
}

// Colour component on a sine wave: 1 to 255.
inline int32_t Wave(int32_t n, long double divisor) {
    return Round32(std::sin(Per(n, divisor)) * 127.0L + 128.0L);
}

// The pass over one slot: Corners lines turned about the centre by the angle step.
void Pass(const PatternSettings& ps, const LineSlot& slot, float sigma, int32_t cx, int32_t cy,
          Canvas& canvas, bool draw) {
    const long double rho = slot.Radius;
    const long double h = slot.HalfLength;
    ForEachLine(ps, slot, sigma, [&](float alpha, float beta) {
        const int32_t mx = Round32(std::cos(static_cast<long double>(alpha)) * rho);
        const int32_t my = Round32(std::sin(static_cast<long double>(alpha)) * rho);
        const int32_t dx = Round32(std::cos(static_cast<long double>(beta)) * h);
        const int32_t dy = Round32(std::sin(static_cast<long double>(beta)) * h);
        const int32_t px = Add32(Add32(mx, dx), cx), py = Add32(Add32(my, dy), cy);
        const int32_t qx = Add32(Sub32(mx, dx), cx), qy = Add32(Sub32(my, dy), cy);
        canvas.MoveTo(px, py);
        if (!draw) return;
        // A zero-length line still leaves the start pixel.
        if (px == qx && py == qy)
            canvas.LineTo(Add32(px, 1), py);
        else
            canvas.LineTo(qx, qy);
    });
}

}  // namespace

int32_t RandomStart(uint32_t seed) {
    // A linear congruential generator; one draw is all the saver needs.
    const uint32_t next = seed * 134775813u + 1u;
    const uint32_t draw = static_cast<uint32_t>((static_cast<uint64_t>(next) * 30000u) >> 32);
    return static_cast<int32_t>(draw) * 100;
}

uint32_t TimeOfDayMs() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &secs);
#else
    localtime_r(&secs, &local);
#endif
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return static_cast<uint32_t>(((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 + ms);
}

PatternSettings DerivePattern(const PatternInput& in, uint32_t seed) {
    PatternSettings ps;
    ps.FineDelay = in.Delay;
    ps.SleepMs = in.msDelay;
    ps.LineCount = in.LinZahl;
    ps.Corners = in.EckenZahl;
    ps.LineLength = in.LinLaenge;
    ps.SpinMode = in.Spinit;
    ps.EraseMode = in.Erase;
    ps.AutoLength = in.AutoLength;
    ps.FirstStep = true;
    ps.RingHead = 0;
    // The decimal constant 6.28318530718, not the exact 2*pi. The reader has
    // made Corners at least 1; a 0 reaching here gives an infinite angle step
    // (one line per pass) rather than a fault.
    ps.AngleStep = Store32(6.28318530718L / static_cast<long double>(in.EckenZahl));
    ps.ZoomFactor = Store32(static_cast<long double>(static_cast<float>(in.Zoom)) * 0.1L);
    ps.ContinueAt = in.continue_ == 0 ? RandomStart(seed) : in.continueat;
    ps.StepCounter = ps.ContinueAt;
    return ps;
}

int32_t NextCounter(int32_t stepCounter) {
    const int32_t n = Add32(stepCounter, 1);
    return n == kCounterWrap ? 0 : n;
}

void malen(PatternSettings& ps, RosetteState& st, Canvas& canvas, int32_t width, int32_t height) {
    const int32_t cx = Div32(width, 2), cy = Div32(height, 2);
    // The configured length means pixels on an area 480 pixels high.
    if (ps.FirstStep)
        ps.LineLength = Round32(static_cast<long double>(cy) * (1.0L / 240.0L) * ps.LineLength);
    const int32_t L = ps.LineLength;

    int32_t& n = ps.StepCounter;
    n = Add32(n, 1);
    if (n == kCounterWrap) {
        n = 0;
        // The pen is black here: every step ends with the black erase pen.
        canvas.Rectangle(0, 0, width, height);
    }

    // Length swing -2..2, one cycle in about 6283 steps.
    const int32_t s = ps.AutoLength == 1 ? Round32(std::sin(Per(n, 1000.0L)) * 1.9L) : 0;
    st.LengthSwing = s;

    int32_t& head = ps.RingHead;
    head = Add32(head, 1);
    if (head > ps.LineCount) head = 1;
    st.RingTail = head + 1;
    if (st.RingTail > ps.LineCount) st.RingTail = 1;
    // The ring has 800 slots; the reader limits LineCount to 800, and a
    // record filled by other code must still not index past the ring.
    if (head > kRingSlots) head = 1;
    if (st.RingTail > kRingSlots) st.RingTail = 1;

    LineSlot& slot = st.LineRing[head];
    slot.Radius = Round32(std::fabs(std::sin(Per(n, 100.0L))) *
                          (static_cast<long double>(cy) * static_cast<long double>(ps.ZoomFactor)));
    const int32_t absS = s < 0 ? -s : s;
    slot.HalfLength = Add32(Mul32(absS - 1, L), Div32(Mul32(Mul32(slot.Radius, L), s), 200));
    slot.PositionAngle = Store32((std::sin(Per(n, 170.0L)) + std::sin(Per(n, 410.0L)) * 0.5L) * 5.28L);
    slot.DirectionAngle = Store32(std::cos(Per(n, 333.0L)) * 6.28L);

    int32_t red = Wave(n, 38.0L), green = Wave(n, 28.0L), blue = Wave(n, 18.0L);
    const LineSlot& tail = st.LineRing[st.RingTail];
    for (float sigma : {-1.0f, 1.0f}) {
        canvas.SetPen(MakeColor(red, green, blue));
        Pass(ps, slot, sigma, cx, cy, canvas, true);
        canvas.SetPen(0);
        Pass(ps, tail, sigma, cx, cy, canvas, ps.EraseMode == 1);
        if (ps.SpinMode == 1) {
            red = Wave(n, 5.0L), green = Wave(n, 6.0L), blue = Wave(n, 7.0L);
        } else if (ps.SpinMode == 2) {
            red = Wave(n, 68.0L), green = Wave(n, 58.0L), blue = Wave(n, 48.0L);
        }
    }
}

StepRunner::StepRunner(PatternSettings& ps, Canvas* canvas, const Rect& area)
    : Settings(ps),
      Canvas_(canvas),
      RepaintRect(area),  // the first step paints the whole area black
      AreaWidth_(Sub32(area.Right, area.Left)),
      AreaHeight_(Sub32(area.Bottom, area.Top)) {}

void StepRunner::ScrRepaint() {
    Canvas_->FillBlack(RepaintRect);
    RepaintRect = Rect{};
}

void StepRunner::AStep() {
    if (!Canvas_) return;
    Canvas_->BeginStep(NextCounter(Settings.StepCounter));
    ScrRepaint();
    malen(Settings, State, *Canvas_, AreaWidth_, AreaHeight_);
    Settings.FirstStep = false;
}

}  // namespace vireska
