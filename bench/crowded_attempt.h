// A pupil's attempt crowded with lines and circles, for the benchmarks of a move.
#pragma once

#include <cstddef>

#include "lesson/attempt.h"

namespace tamirel {

// The 17-gon at R = 300 with `objects` lines and circles drawn (the given circle among them):
// its worked construction by the hints, then lines through pairs of its points.
inline Attempt CrowdedAttempt(std::size_t objects) {
    Attempt attempt(300, 17);
    while (attempt.objects().size() < objects) {
        const std::optional<AttemptHint> hint = attempt.Hint();
        if (!hint) break;
        attempt.Take(hint->move);
    }
    for (std::size_t i = 0; attempt.objects().size() < objects && i < attempt.points().size(); ++i)
        for (std::size_t j = i + 1; attempt.objects().size() < objects && j < attempt.points().size(); ++j)
            attempt.Take({AttemptTool::Straightedge, {attempt.points()[i].name, attempt.points()[j].name}, {}});
    return attempt;
}

}  // namespace tamirel
