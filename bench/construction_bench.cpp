// The cost of the longest construction the lesson shows: the regular 17-gon's steps written
// and replayed by the checker, every point computed.
#include <benchmark/benchmark.h>

#include <optional>

#include "crowded_attempt.h"
#include "lesson/attempt_session.h"
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

// One move among 300 drawn objects: the 300th, a circle, and every crossing it makes with the
// 299 before it; then a point made where a finger picks one of them.
// Each round starts from an attempt built afresh and ends freeing it, neither timed (a copy
// would time the copying).
void AttemptMoveAmong300(benchmark::State& state) {
    std::size_t crossings = 0;
    std::optional<Attempt> kept;   // freed while the clock stands, not within the next round
    for (auto _ : state) {
        state.PauseTiming();
        kept.reset();
        Attempt& attempt = kept.emplace(CrowdedAttempt(299));
        const std::vector<AttemptPoint>& p = attempt.points();
        const AttemptMove circle{AttemptTool::Opening, {p[2].name, p[3].name, p.back().name}, {}};
        const Spot pick = attempt.NearestCrossing({500, 500}, 1000)->at;
        state.ResumeTiming();
        const MoveOutcome drawn = attempt.Take(circle);
        const std::optional<AttemptCrossing> near = attempt.NearestCrossing({pick.x + 5, pick.y + 5}, 24);
        const MoveOutcome made = attempt.Take({AttemptTool::Crossing, {}, near ? near->at : pick});
        benchmark::DoNotOptimize(drawn.taken && made.taken);
        state.PauseTiming();
        crossings = attempt.Crossings().size();
        kept.reset();
        state.ResumeTiming();
    }
    state.counters["crossings"] = static_cast<double>(crossings);
}
BENCHMARK(AttemptMoveAmong300)->Unit(benchmark::kMicrosecond)->Iterations(20);

}  // namespace
}  // namespace tamirel

BENCHMARK_MAIN();
