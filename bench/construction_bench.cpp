// The cost of the longest construction the lesson shows: the regular 17-gon's steps written
// and replayed by the checker, every point computed.
#include <benchmark/benchmark.h>

#include "lesson/construction_scene.h"
#include "lesson/polygon_construction.h"

namespace tamirel {
namespace {

void BuildAndCheckHeptadecagon(benchmark::State& state) {
    for (auto _ : state) {
        const Construction c = BuildConstruction(300, 17);
        const Replay replay = ReplayConstruction(c);
        benchmark::DoNotOptimize(replay.vertices.data());
    }
}
BENCHMARK(BuildAndCheckHeptadecagon);

// One step's figure for a face: the 17-gon at its last step, everything drawn.
void HeptadecagonLastStepScene(benchmark::State& state) {
    const Construction c = BuildConstruction(300, 17);
    const Replay replay = ReplayConstruction(c);
    for (auto _ : state) {
        const ConstructionView view = ConstructionAtStep(c, replay, c.steps.size());
        benchmark::DoNotOptimize(view.scene.items.data());
    }
}
BENCHMARK(HeptadecagonLastStepScene);

}  // namespace
}  // namespace tamirel

BENCHMARK_MAIN();
