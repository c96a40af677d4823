// One drawing step on a 1024x768 area, for 7 and for 1000 corners: the step
// alone (a canvas that draws nothing), with the software canvas, and the
// floor that the step's arithmetic cannot go below, measured in the same run:
// its extended-precision sines and cosines alone, four per line, evaluated one
// by one on the angles of the same steps.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <type_traits>
#include <vector>

#include "pattern.h"
#include "soft_canvas.h"

namespace {

using namespace vireska;

PatternSettings Settings(int32_t corners) {
    PatternInput in;
    in.EckenZahl = corners;
    in.continue_ = 1;
    in.continueat = 100000;  // the same steps every run
    return DerivePattern(in, 0);
}

// Four line operations a step per corner: two drawing passes, two erasing ones.
void CountLines(benchmark::State& state) {
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 4 * static_cast<double>(state.range(0)),
                           benchmark::Counter::kIsRate);
}

template <typename CanvasT>
void Step(benchmark::State& state) {
    PatternSettings ps = Settings(static_cast<int32_t>(state.range(0)));
    std::unique_ptr<CanvasT> canvas;
    if constexpr (std::is_same_v<CanvasT, SoftCanvas>)
        canvas = std::make_unique<CanvasT>(1024, 768);
    else
        canvas = std::make_unique<CanvasT>();
    StepRunner runner(ps, canvas.get(), Rect{0, 0, 1024, 768});
    runner.AStep();  // the full-area clear of the first step is not measured
    for (auto _ : state) runner.AStep();
    CountLines(state);
}

// Called through pointers, so that the compiler cannot fuse a sine and a
// cosine of one angle into one evaluation: the floor is four of them a line.
long double (*volatile Sine)(long double) = sinl;
long double (*volatile Cosine)(long double) = cosl;

void TrigFloor(benchmark::State& state) {
    PatternSettings ps = Settings(static_cast<int32_t>(state.range(0)));
    RosetteState st;
    NullCanvas nothing;
    // The angles of 64 steps from the same start, as the step's passes walk them.
    std::vector<std::vector<float>> steps;
    for (int i = 0; i < 64; ++i) {
        malen(ps, st, nothing, 1024, 768);
        ps.FirstStep = false;
        std::vector<float> angles;
        for (float sigma : {-1.0f, 1.0f})
            for (const LineSlot* slot : {&st.LineRing[ps.RingHead], &st.LineRing[st.RingTail]})
                ForEachLine(ps, *slot, sigma, [&](float alpha, float beta) {
                    angles.push_back(alpha);
                    angles.push_back(beta);
                });
        steps.push_back(std::move(angles));
    }
    const auto sine = Sine, cosine = Cosine;
    size_t i = 0;
    for (auto _ : state) {
        for (float angle : steps[i++ % steps.size()]) {
            benchmark::DoNotOptimize(cosine(angle));
            benchmark::DoNotOptimize(sine(angle));
        }
    }
    CountLines(state);
}

BENCHMARK(TrigFloor)->Arg(7)->Arg(1000);
BENCHMARK_TEMPLATE(Step, NullCanvas)->Arg(7)->Arg(1000);
BENCHMARK_TEMPLATE(Step, SoftCanvas)->Arg(7)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
