// The rosette: drawing parameters, their derivation, and the drawing step.
// Every step is a pure function of the step counter, the parameters and the
// size of the area, so a run can be resumed or replayed exactly.
#pragma once
#include <cstdint>

#include "canvas.h"
#include "numeric.h"

namespace vireska {

// The step counter wraps to 0 when it reaches this value (equality only).
constexpr int32_t kCounterWrap = 3000000;
constexpr int32_t kRingSlots = 800;
// The most corners a pass draws exactly: with the angle step accumulated in
// float32, the loop runs Corners times for every count up to 1900 and not for
// 1901. Far above it the sum stops growing (beyond about 26 million corners
// the loop never ends), and long before that a step takes seconds.
constexpr int32_t kMostCorners = 1900;

// Drawing parameters and drawing state of one process.
struct PatternSettings {
    int32_t FineDelay = 0;   // busy-wait passes after a step, only while SleepMs is 0
    int32_t SleepMs = 5;     // pause after each step
    int32_t LineCount = 200; // ring size; below 1 acts as 1
    int32_t Corners = 7;     // lines per half of a line set (only via AngleStep)
    int32_t LineLength = 25; // half-length on a 480-pixel-high area; rescaled by the first step
    int32_t SpinMode = 2;    // 1 fast, 2 slow second colour; anything else: same colour
    int32_t EraseMode = 1;   // exactly 1: old line sets are drawn again in black
    int32_t AutoLength = 1;  // exactly 1: the length swings with the counter
    float ZoomFactor = 1.5f; // midpoint radius reaches (height div 2) * ZoomFactor
    int32_t ContinueAt = 0;  // start value of StepCounter

    float AngleStep = 0.0f;
    int32_t StepCounter = 0;
    bool FirstStep = true;
    int32_t RingHead = 0;
};

// The raw values the settings reader hands over after its checksum and limits.
struct PatternInput {
    int32_t Delay = 0, msDelay = 5, LinZahl = 200, EckenZahl = 7, LinLaenge = 25;
    int32_t Spinit = 2, Erase = 1, AutoLength = 1, Zoom = 15;
    int32_t continueat = 0, continue_ = 0;
};

// The random start: a multiple of 100 from 0 to 29999 * 100.
// `seed` is the time of day in milliseconds.
int32_t RandomStart(uint32_t seed);
// Milliseconds since midnight, local time: the seed of the random start.
uint32_t TimeOfDayMs();

// Fills the record from the reader's values and derives the drawing values.
// With continue_ 0 the start is RandomStart(seed).
PatternSettings DerivePattern(const PatternInput& in, uint32_t seed);

// One line set of the ring.
struct LineSlot {
    int32_t Radius = 0;
    int32_t HalfLength = 0;
    float PositionAngle = 0.0f;
    float DirectionAngle = 0.0f;
};

// Per-run drawing state that is not part of PatternSettings.
struct RosetteState {
    LineSlot LineRing[kRingSlots + 1] = {};  // slots 1..800; slot 0 unused
    int32_t RingTail = 0;
    int32_t LengthSwing = 0;
};

// The angles of the lines of one pass over `slot` with the mirror sign
// `sigma`: fn(alpha, beta) for line 1 to Corners, alpha turning the line's
// midpoint about the centre and beta its direction, each stored as float32 and
// one angle step past the line before. The loop runs to 6.28, not 2 pi: with
// float32 accumulation it runs exactly Corners times.
template <typename Fn>
void ForEachLine(const PatternSettings& ps, const LineSlot& slot, float sigma, Fn&& fn) {
    float alpha = Store32(static_cast<long double>(sigma) * slot.PositionAngle);
    float beta = Store32(static_cast<long double>(sigma) * slot.DirectionAngle);
    for (float t = 0.0f; t < 6.28L; t = Store32(static_cast<long double>(t) + ps.AngleStep)) {
        alpha = Store32(static_cast<long double>(alpha) + ps.AngleStep);
        beta = Store32(static_cast<long double>(beta) + ps.AngleStep);
        fn(alpha, beta);
    }
}

// The counter value the next step will draw.
int32_t NextCounter(int32_t stepCounter);

// Draws one step on `canvas`, an area of `width` x `height` pixels.
void malen(PatternSettings& ps, RosetteState& st, Canvas& canvas, int32_t width, int32_t height);

// The platform-free half of the drawing thread: the canvas, the area and the
// pending repaint rectangle, and the step that clears it and draws.
class StepRunner {
public:
    StepRunner(PatternSettings& ps, Canvas* canvas, const Rect& area);

    void SetRepaintRect(const Rect& r) { RepaintRect = r; }
    const Rect& PendingRepaint() const { return RepaintRect; }
    int32_t AreaWidth() const { return AreaWidth_; }
    int32_t AreaHeight() const { return AreaHeight_; }
    bool HasCanvas() const { return Canvas_ != nullptr; }

    // Fills the pending repaint rectangle black and clears it.
    void ScrRepaint();
    // ScrRepaint, then malen, then FirstStep is cleared.
    void AStep();

private:
    PatternSettings& Settings;
    RosetteState State;
    Canvas* Canvas_;
    Rect RepaintRect;
    int32_t AreaWidth_;
    int32_t AreaHeight_;
};

}  // namespace vireska
