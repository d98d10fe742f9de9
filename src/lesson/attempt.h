// The pupil's own construction: the figure starts as the worked construction does (the circle
// k(O; R) and the point A₁ on it), and the pupil draws lines and circles through made points and
// makes new points only where drawn objects cross. The program recognises each of the polygon's
// vertices as soon as it is made, by any route, and says when the polygon stands.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <utility>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/construction.h"

namespace tamirel {

enum class AttemptTool {
    Straightedge,   // the line through two made points
    Compass,        // a circle about a made point through a made point
    Opening,        // a circle with the opening of two made points, about a made point
    Crossing,       // a new point where two drawn objects cross
    Sides,          // a side: the segment between two made points
    Protractor,     // only where the figure cannot be constructed: the arm of the central angle
};

// Canvas units, as everywhere in the lesson. `vertex` is k (1..n) for the polygon's vertex Aₖ,
// 0 for any other point; `move` the index of the move that made it (the given points: none).
struct AttemptPoint {
    std::string name;
    Spot at;
    int vertex = 0;
    std::optional<std::size_t> move;
};

// A drawn line or circle; `shape.step` is the index of the move that drew it, 0 for k. A
// protractor's arm is a ray from shape.a through shape.b: it crosses nothing behind its start.
struct AttemptObject {
    ReplayedObject shape;
    bool given = false;
    bool ray = false;
};

// A side, between points `from` and `to` (indices into points()).
struct AttemptSide {
    std::size_t from = 0, to = 0;
};

// Where two drawn objects cross (indices into objects()). A tangency cannot be made a point.
struct AttemptCrossing {
    Spot at;
    std::size_t first = 0, second = 0;
    bool tangent = false;
};

// One move as the pupil makes it and an attempt file keeps it. Points by name: Straightedge
// and Sides two, Compass the centre then the point it passes through, Opening the opening's
// two ends then the centre, Protractor the angle's vertex then a point on its first arm.
// Crossing: `at`, the crossing made is the one nearest to it.
struct AttemptMove {
    AttemptTool tool = AttemptTool::Straightedge;
    std::vector<std::string> points;
    Spot at;
};

// How many points a move of `tool` names (a crossing none: it names a place).
std::size_t PointsOfMove(AttemptTool tool);

// What a move did, in a sentence a screen reader says: "Начертахте правата A₁O." or why the
// move was refused (then nothing changed).
struct MoveOutcome {
    bool taken = false;
    std::string said;
};

// The next step of the worked construction that the pupil's points allow, as a move in the
// pupil's names, the points it uses (indices into points()) and a sentence.
struct AttemptHint {
    AttemptMove move;
    std::vector<std::size_t> uses;
    std::string said;
};

class Attempt;
Attempt AttemptFromText(std::string_view text);

class Attempt {
public:
    // The attempt at the regular n-gon (3..20) in the circle of `radius` about (500, 500);
    // throws std::out_of_range outside those.
    Attempt(double radius, int n);

    double radius() const { return radius_; }
    int n() const { return n_; }
    // Straightedge and compass only; where false, the protractor measures the central angle.
    bool exact() const { return worked_.exact; }
    const Construction& worked() const { return worked_; }
    const Replay& workedReplay() const { return workedReplay_; }
    const std::vector<Spot>& vertices() const { return vertices_; }   // A₁…Aₙ, the main window's

    const std::vector<AttemptPoint>& points() const { return points_; }
    const std::vector<AttemptObject>& objects() const { return objects_; }
    const std::vector<AttemptSide>& sides() const { return sides_; }
    const std::vector<AttemptMove>& moves() const { return moves_; }   // every move kept, in order
    // Every crossing of two drawn objects where no point is made yet, each once, in the order
    // the objects were drawn.
    std::vector<AttemptCrossing> Crossings() const;
    // The one of them nearest to `at`, tangencies included, if any lies within `reach`.
    std::optional<AttemptCrossing> NearestCrossing(Spot at, double reach) const;

    // Takes a move by the rules of its tool; a refused one changes nothing.
    MoveOutcome Take(const AttemptMove& move);
    bool CanUndo() const { return !moves_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    bool Undo();
    bool Redo();
    void Restart();   // back to the given circle and A₁, hints forgotten

    int LinesAndCircles() const;            // the pupil's moves so far: lines and circles drawn
    int WorkedLinesAndCircles() const;      // the worked construction's
    int VerticesMade() const;
    bool Done() const;                      // every vertex made and every side drawn
    int hintsUsed() const { return hints_; }
    // "Построихте правилен петоъгълник за 9 хода (в урока: 11)." with the hints used; empty
    // until Done.
    std::string Verdict() const;

    // The next step of the worked construction the pupil can take now; none when done.
    // Counts as a hint used.
    std::optional<AttemptHint> Hint();
    // Without counting it.
    std::optional<AttemptHint> PeekHint() const;

    // The move in words, as the attempt's page lists it: "Права A₁O", "Точка B".
    std::string MoveText(std::size_t move) const;

private:
    friend Attempt AttemptFromText(std::string_view text);
    MoveOutcome Apply(const AttemptMove& move);
    const AttemptPoint* Find(const std::string& name) const;
    std::string NextLetter() const;
    void AddObject(ReplayedObject shape, bool ray = false);
    // The drawn object that is `shape` (a ray where `ray`), if any.
    const AttemptObject* Existing(const ReplayedObject& shape, bool ray = false) const;
    std::optional<std::size_t> MatchPoint(Spot at) const;
    void AddPoint(AttemptPoint point);
    bool Drawn(const ReplayedObject& shape) const;
    // How many drawn objects are of `kind` (rays or not), the given circle k among them.
    int Counted(ReplayedObject::Kind kind, bool ray) const;

    double radius_;
    int n_;
    Construction worked_;
    Replay workedReplay_;
    std::vector<Spot> vertices_;
    double close_;   // two points this near are one

    std::vector<AttemptPoint> points_;
    std::vector<AttemptObject> objects_;
    std::vector<AttemptSide> sides_;
    // Every pair's crossings, tangencies included; `closed` where a point is made there or an
    // earlier crossing is at the same place. A deque, so that a move never copies them all.
    struct StoredCrossing {
        AttemptCrossing crossing;
        bool closed = false;
    };
    std::deque<StoredCrossing> crossings_;
    // The crossings by the square of the grid they lie in, to find those near a place.
    std::map<std::pair<long long, long long>, std::vector<std::size_t>> grid_;
    // Calls `visit` with the index of each crossing within `reach` of `at`.
    template <typename Visit>
    void NearCrossings(Spot at, double reach, Visit visit) const;
    std::vector<AttemptMove> moves_;
    std::vector<AttemptMove> undone_;
    int hints_ = 0;
};

// "1 ход", "9 хода".
std::string MoveCountWords(int count);

// An attempt file: UTF-8 text, one record a line, fields split by single spaces:
//   tamirel-attempt 1          the kind and the version
//   figure 300 5               the radius and the vertex count
//   hints 2                    the hints used
//   line A₁ O | circle A₁ O | opening B C O | point 512.3456 300 | side A₁ A₂ | protractor O A₁
//   end 7                      the number of moves, so that a cut file is known
inline constexpr std::string_view kAttemptExtension = "postroi";
inline constexpr int kAttemptVersion = 1;
// The largest attempt file opened, in bytes; a larger one is refused, and a face reads at
// most one byte more.
inline constexpr std::size_t kLargestAttemptFile = 1 << 20;
std::string AttemptToText(const Attempt& attempt);

// A file that cannot be read back as an attempt: damaged, cut short, of another kind, of a
// newer version, or with moves that do not replay. The description is Bulgarian and names
// the line at fault.
class AttemptFileError : public std::runtime_error {
public:
    explicit AttemptFileError(const std::string& description) : std::runtime_error(description) {}
};
// Reads an attempt file and replays its moves; throws AttemptFileError.
Attempt AttemptFromText(std::string_view text);

}  // namespace tamirel
