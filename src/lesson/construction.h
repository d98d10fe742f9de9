// A construction as data: the steps a pupil takes with straightedge and compass (or, where the
// figure cannot be constructed, with a protractor), each with the points it uses, the points it
// makes and its Bulgarian sentence; and the checker that replays it.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace tamirel {

enum class Tool {
    Given,         // the task's data: the circle about its centre, or a point chosen on a drawn circle
    Straightedge,  // the line through two made points
    Compass,       // a circle about a made point, through a made point or with the opening of two made points
    Protractor,    // the arm of an angle measured at a made point from a ray through another made point
    Sides,         // the polygon's sides, through made points in order
};

// Which crossing of two drawn objects a new point is, when they may cross twice.
struct Pick {
    enum class Rule {
        Only,          // the objects cross once (two lines; a tangent)
        LeftOf,        // the crossing on the left of the directed line p -> q, as seen on the screen
        RightOf,       // ... on its right
        NearerTo,      // the crossing nearer to point p
        OtherThan,     // the crossing that is not the made point p
    };
    Rule rule = Rule::Only;
    std::string p, q;
};

// A point a step makes: where drawn objects `first` and `second` cross. In a Given step,
// `second` is empty: the point is chosen on `first` (or, with `first` empty too, it is the
// given centre).
struct NewPoint {
    std::string name;
    std::string first, second;
    Pick pick;
};

// One use of one tool. Names are UTF-8 and as the sentences write them ("A₁", "k₁", "A₁O").
struct Step {
    Tool tool = Tool::Given;
    // The line or circle this step draws; empty when it draws none (a chosen point, the sides).
    std::string draws;
    // Straightedge: the two points. Compass: the centre and the point it passes through, or the
    // centre and the two points whose distance is the opening. Protractor: the angle's vertex and
    // a point on its first arm. Sides: the vertices in order.
    std::vector<std::string> uses;
    // Given circle: its radius. Given point: its direction from the circle's centre. Protractor:
    // the angle. Degrees are counter-clockwise on the screen.
    double value = 0;
    double x = 0, y = 0;   // Given circle: its centre, canvas units
    std::vector<NewPoint> makes;
    std::string note;           // a sentence added after the generated ones (why the step works)
};

struct Construction {
    int n = 0;                  // the polygon's vertex count
    double radius = 0;
    bool exact = true;          // straightedge and compass only; false allows the protractor
    // For a figure that cannot be constructed: that statement and the reason, as sentences.
    std::string statement;
    std::vector<Step> steps;
};

// Why the checker refuses a step.
class ConstructionRefused : public std::runtime_error {
public:
    enum class Reason {
        UnknownPoint,     // uses a point not yet made
        BadObject,        // a line or circle not defined by made points (unknown object, coincident points)
        NotACrossing,     // a point that is not a crossing of two drawn objects, or not the one picked
        NameTaken,        // a name already given to a point or an object
        GivenTooLate,     // given data after the first tool was used
        ToolNotAllowed,   // a protractor in an exact construction
    };
    ConstructionRefused(Reason reason, std::size_t step, const std::string& description);
    Reason reason() const noexcept { return reason_; }
    std::size_t step() const noexcept { return step_; }   // 0-based
    const std::string& description() const noexcept { return description_; }

private:
    Reason reason_;
    std::size_t step_;
    std::string description_;
};

// Throws ConstructionRefused; the checker refuses through here.
[[noreturn]] void ThrowRefused(ConstructionRefused::Reason reason, std::size_t step, const std::string& description);

// Canvas units: the main window's scale, origin top-left, Y downward.
struct Spot {
    double x = 0, y = 0;
};

struct ReplayedPoint {
    std::string name;
    Spot at;
    std::size_t step;           // the step that made it
};

struct ReplayedObject {
    enum class Kind { Line, Circle };
    std::string name;
    Kind kind;
    Spot a, b;                  // Line: two points on it. Circle: a = centre
    double radius = 0;
    std::size_t step;
};

struct Replay {
    std::vector<ReplayedPoint> points;    // in the order they were made
    std::vector<ReplayedObject> objects;  // in the order they were drawn
    std::vector<std::string> sentences;   // one per step
    std::vector<Spot> vertices;           // the Sides step's points in order; empty without one

    const ReplayedPoint* Point(const std::string& name) const;
    const ReplayedObject* Object(const std::string& name) const;
};

// How two drawn objects meet: not at all (lines side by side; circles apart, one inside the
// other, or about one centre), at a tangency, once (two lines) or twice. `at` holds the
// points, one for Tangent and Once, two for Twice. `tolerance` is a length in canvas units
// within which two distances count as equal: a line that misses a circle, or two circles that
// miss each other, by no more than that touch it.
struct Meeting {
    enum class Kind { None, Tangent, Once, Twice };
    Kind kind = Kind::None;
    std::vector<Spot> at;
};
Meeting Meet(const ReplayedObject& f, const ReplayedObject& g, double tolerance);

// The distance of two points, canvas units.
double Distance(Spot a, Spot b);

// How a sentence names a drawn object: "k₁" for a circle, "правата A₁O" for a line.
std::string ObjectWords(const ReplayedObject& object);

// Throws std::out_of_range with `what`. The construction code throws only through these two,
// so that the browser edition can build the rest without exception tables.
[[noreturn]] void ThrowOutOfRange(const char* what);

// "51,43" or "40": two decimals with a decimal comma, none when the value is whole (to 1e-9).
std::string DecimalText(double value);

// Replays `construction` step by step, computing every point, and refuses the first step that
// breaks the rules of its tools. The sentences are generated from the steps, so they always say
// what the step does.
Replay ReplayConstruction(const Construction& construction);

}  // namespace tamirel
