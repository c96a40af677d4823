// One drawing step: the step alone (a canvas that draws nothing) and with the
// software canvas on a 1024x768 area, for 7 and for 1000 corners.
#include <benchmark/benchmark.h>

#include <memory>
#include <type_traits>

#include "pattern.h"
#include "soft_canvas.h"

namespace {

using namespace vireska;

template <typename CanvasT>
void Step(benchmark::State& state) {
    PatternInput in;
    in.EckenZahl = static_cast<int32_t>(state.range(0));
    in.continue_ = 1;
    in.continueat = 100000;  // the same steps every run
    PatternSettings ps = DerivePattern(in, 0);
    std::unique_ptr<CanvasT> canvas;
    if constexpr (std::is_same_v<CanvasT, SoftCanvas>)
        canvas = std::make_unique<CanvasT>(1024, 768);
    else
        canvas = std::make_unique<CanvasT>();
    StepRunner runner(ps, canvas.get(), Rect{0, 0, 1024, 768});
    runner.AStep();  // the full-area clear of the first step is not measured
    for (auto _ : state) runner.AStep();
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK_TEMPLATE(Step, NullCanvas)->Arg(7)->Arg(1000);
BENCHMARK_TEMPLATE(Step, SoftCanvas)->Arg(7)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
