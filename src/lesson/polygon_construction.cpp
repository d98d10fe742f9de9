#include "lesson/polygon_construction.h"

#include <cmath>
#include <numbers>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "form/messages.h"
#include "form/number_text.h"
#include "form/polygon_names.h"

namespace tamirel {

namespace {

using Rule = Pick::Rule;

constexpr double kCentre = 500;

// Appending, not "k" + text: GCC 12 warns falsely about the latter (-Wrestrict).
std::string Named(const char* letter, int number) {
    std::string name = letter;
    name += SubscriptNumber(number);
    return name;
}

std::string Vertex(int j) { return VertexName(j); }

Pick Left(std::string p, std::string q) { return {Rule::LeftOf, std::move(p), std::move(q)}; }
Pick Right(std::string p, std::string q) { return {Rule::RightOf, std::move(p), std::move(q)}; }
Pick Nearer(std::string p) { return {Rule::NearerTo, std::move(p), {}}; }
Pick Other(std::string p) { return {Rule::OtherThan, std::move(p), {}}; }
const Pick kOnly{};

// Writes the steps. Directions are "local": degrees counter-clockwise on the screen from the
// ray OA₁; a point at a multiple of 360/N degrees is a vertex and takes the vertex's name.
class Builder {
public:
    Builder(double radius, int n) : n_(n) {
        c_.n = n;
        c_.radius = radius;
        c_.exact = Constructible(n);
    }

    // "Дадена е окръжност k(O; R)." and "Избираме точка A₁ от k.", A₁ the bottom-left vertex.
    void Start() {
        Step given;
        given.draws = "k";
        given.value = c_.radius;
        given.x = kCentre;
        given.y = kCentre;
        given.makes.push_back({"O", {}, {}, {}});
        given.note = c_.statement;
        c_.steps.push_back(given);
        Step chosen;
        chosen.value = 270 - 180.0 / n_;
        chosen.makes.push_back({Vertex(1), "k", {}, {}});
        chosen.note = Say(Message::ChosenSoThat);
        c_.steps.push_back(chosen);
        known_.insert(1);
    }

    // The name of the point at local direction `degrees` on k: a vertex's, or `other`.
    std::string At(double degrees, const std::string& other) {
        const double steps = degrees * n_ / 360;
        const double whole = std::round(steps);
        if (std::fabs(steps - whole) > 1e-9) return other;
        const int j = static_cast<int>(whole) % n_ + 1;
        known_.insert(j);
        return Vertex(j);
    }

    std::string Line(const std::string& p, const std::string& q, std::vector<NewPoint> makes = {},
                     std::string note = {}) {
        Step step;
        step.tool = Tool::Straightedge;
        step.draws = p + q;
        step.uses = {p, q};
        step.makes = std::move(makes);
        step.note = std::move(note);
        c_.steps.push_back(std::move(step));
        return p + q;
    }

    // A circle about `centre` through `through`, or with the opening `from`-`to`.
    std::string Circle(const std::string& centre, const std::string& through, std::vector<NewPoint> makes = {},
                       std::string note = {}) {
        return AddCircle({centre, through}, std::move(makes), std::move(note));
    }
    std::string Opening(const std::string& centre, const std::string& from, const std::string& to,
                        std::vector<NewPoint> makes = {}, std::string note = {}) {
        return AddCircle({centre, from, to}, std::move(makes), std::move(note));
    }

    // The diameter through A₁ and its other end D (a vertex when N is even).
    std::string Diameter() {
        d_ = At(180, "D");
        return Line(Vertex(1), "O", {{d_, "k", Vertex(1) + "O", Other(Vertex(1))}});
    }

    // The diameter perpendicular to A₁D, without leaving the circle: the circles about A₁ and D
    // through O cut k at 60° and 120° from A₁ (and their mirror images); the lines A₁U and DK
    // are mirror images in that diameter, so they meet on it, at X. (M and N are the lesson's:
    // the side's midpoint and the vertex count.)
    void Perpendicular() {
        const std::string a1 = Vertex(1);
        k_ = At(60, "K");
        l_ = At(300, "L");
        u_ = At(120, "U");
        v_ = At(240, "V");
        Circle(a1, "O", {{k_, "k", Next(), Left("O", a1)}, {l_, "k", Next(), Right("O", a1)}});
        Circle(d_, "O", {{u_, "k", Next(), Left("O", a1)}, {v_, "k", Next(), Right("O", a1)}});
        const std::string first = Line(a1, u_);
        Line(d_, k_, {{"X", first, d_ + k_, kOnly}},
             Say(Message::SymmetricLines, {{"first", first}, {"second", d_ + k_}, {"diameter", a1 + d_}}));
        e_ = At(90, "E");
        f_ = At(270, "F");
        perpendicular_ = Line("O", "X", {{e_, "k", "OX", Left("O", a1)}, {f_, "k", "OX", Right("O", a1)}},
                              Say(Message::PerpendicularDiameters, {{"first", a1 + d_}, {"second", e_ + f_}}));
    }

    // The midpoint of the arc from vertex p to vertex q (local directions dp < dq): the
    // perpendicular bisector of the chord pq passes through O, and the circles about p and q
    // through each other meet on it inside k. `around`, where given, is the circle about p
    // through q already drawn, and is not drawn again.
    void Bisect(const std::string& p, const std::string& q, double dp, double dq, const std::string& helper,
                std::string around = {}) {
        if (around.empty()) around = Circle(p, q);
        Circle(q, p, {{helper, around, Next(), Nearer("O")}});
        const double middle = (dp + dq) / 2;
        const std::string near = At(middle, helper + "₁");
        std::vector<NewPoint> makes{{near, "k", "O" + helper, Nearer(p)}};
        const std::string far = At(middle + 180, {});
        if (!far.empty()) makes.push_back({far, "k", "O" + helper, Other(near)});
        Line("O", helper, std::move(makes), Say(Message::PerpendicularBisector, {{"line", "O" + helper}, {"chord", p + q}}));
    }

    // The golden section of the radius (Ptolemy): T, the midpoint of OD, is where the chord UV
    // meets A₁D; the circle about T through E meets A₁D at G. (P and S are the lesson's perimeter
    // and area.) Then OG is the side of the regular
    // decagon and EG the side of the regular pentagon inscribed in k.
    void GoldenSection() {
        Line(u_, v_, {{"T", u_ + v_, Vertex(1) + "O", kOnly}}, Say(Message::MidpointOfRadius, {{"point", "T"}, {"radius", "O" + d_}}));
        Circle("T", e_, {{"G", Vertex(1) + "O", Next(), Nearer("O")}}, Say(Message::GoldenSection, {{"pentagonSide", e_ + "G"}}));
    }

    // Steps the side, the chord of two known neighbours, round the circle until every vertex is
    // made: first where one circle makes two vertices, then one at a time.
    void Fill() {
        int a = 0;
        for (int j = 1; j <= n_ && a == 0; ++j)
            if (known_.count(j) && known_.count(Wrap(j + 1))) a = j;
        if (a == 0) ThrowOutOfRange("no side to step round the circle");
        const std::string from = Vertex(a), to = Vertex(Wrap(a + 1));
        for (int wanted = 2; wanted >= 1; --wanted) {
            for (int j = 1; j <= n_; ++j) {
                if (!known_.count(j)) continue;
                const int before = Wrap(j - 1), after = Wrap(j + 1);
                const int fresh = !known_.count(before) + !known_.count(after);
                if (fresh != wanted) continue;
                std::vector<NewPoint> makes;
                const std::string circle = Next();
                if (fresh == 2) {
                    makes.push_back({Vertex(before), "k", circle, Right("O", Vertex(j))});
                    makes.push_back({Vertex(after), "k", circle, Left("O", Vertex(j))});
                    if (after < before) std::swap(makes[0], makes[1]);   // named in the order of their numbers
                } else {
                    const int made = known_.count(before) ? after : before;
                    const int other = made == after ? before : after;
                    makes.push_back({Vertex(made), "k", circle, Other(Vertex(other))});
                }
                Opening(Vertex(j), from, to, std::move(makes));
                known_.insert(before);
                known_.insert(after);
                if (wanted == 1) j = 0;   // a new vertex may give its neighbour a turn
            }
        }
    }

    Construction Finish() {
        Step sides;
        sides.tool = Tool::Sides;
        for (int j = 1; j <= n_; ++j) sides.uses.push_back(Vertex(j));
        // Every vertex up to four, else the first two and the last.
        std::string vertices = Vertex(1) + Vertex(2) + (n_ > 4 ? "…" : "");
        for (int j = n_ > 4 ? n_ : 3; j <= n_; ++j) vertices += Vertex(j);
        sides.note = Say(Message::PolygonMade,
                         {{"polygon", RegularPolygonName(n_, std::to_string(n_), true)}, {"vertices", vertices}});
        c_.steps.push_back(std::move(sides));
        return std::move(c_);
    }

    Construction& construction() { return c_; }
    const std::string& d() const { return d_; }
    const std::string& e() const { return e_; }
    const std::string& perpendicular() const { return perpendicular_; }
    std::string Current() const { return Named("k", circles_); }
    std::string Next() const { return Named("k", circles_ + 1); }
    int Wrap(int j) const { return (j - 1 + n_) % n_ + 1; }

private:
    std::string AddCircle(std::vector<std::string> uses, std::vector<NewPoint> makes, std::string note) {
        Step step;
        step.tool = Tool::Compass;
        step.draws = Next();
        ++circles_;
        step.uses = std::move(uses);
        step.makes = std::move(makes);
        step.note = std::move(note);
        c_.steps.push_back(std::move(step));
        return Current();
    }

    int n_;
    Construction c_;
    std::set<int> known_;
    int circles_ = 0;
    std::string d_, e_, f_, k_, l_, u_, v_, perpendicular_;
};

// Richmond's construction of the regular 17-gon (1893), with A₁ as its first vertex P₀:
// J on the perpendicular radius OE with OJ = OE/4; G on OA₁ with ∠OJG = ∠OJA₁/4; H on the
// diameter beyond O with ∠GJH = 45°; the circle on the diameter HA₁ meets OE at K₁; the
// circle about G through K₁ meets the diameter at N₃ and N₅, whose perpendiculars meet k at
// the vertices A₄, A₁₅ and A₆, A₁₃. No point takes a letter the lesson gives another point
// (O, M, Aⱼ) or a quantity (P, S).
void Heptadecagon(Builder& b) {
    const std::string a1 = Vertex(1), d = b.d(), diameter = a1 + "O", ex = b.perpendicular();
    b.Circle(b.e(), "O", {{"Q₁", "k", b.Next(), Right("O", b.e())}, {"Q₂", "k", b.Next(), Left("O", b.e())}});
    b.Line("Q₁", "Q₂", {{"C", "Q₁Q₂", ex, kOnly}}, Say(Message::Midpoint, {{"point", "C"}, {"segment", "O" + b.e()}}));
    b.Circle("O", "C");
    b.Circle("C", "O", {{"Y₁", b.Current(), b.Next(), Left("O", "C")}, {"Y₂", b.Current(), b.Next(), Right("O", "C")}});
    b.Line("Y₁", "Y₂", {{"J", "Y₁Y₂", ex, kOnly}},
           Say(Message::MidpointQuarter, {{"point", "J"}, {"segment", "OC"}, {"part", "OJ"}, {"whole", "O" + b.e()}}));
    const std::string ja = b.Line("J", a1);
    const std::string cj = b.Circle("J", "O", {{"T₁", ja, b.Next(), Nearer(a1)}});
    const std::string co = b.Circle("O", "J");
    b.Circle("T₁", "J", {{"T₂", co, b.Next(), Other("J")}});
    b.Line("J", "T₂", {{"T₃", cj, "JT₂", Nearer("T₂")}}, Say(Message::Bisects, {{"line", "JT₂"}, {"angle", "OJ" + a1}}));
    b.Circle("T₃", "J", {{"T₄", co, b.Next(), Other("J")}});
    b.Line("J", "T₄", {{"G", "JT₄", diameter, kOnly}, {"B₁", cj, "JT₄", Nearer("G")}, {"B₂", cj, "JT₄", Other("B₁")}},
           Say(Message::QuarterOf, {{"part", "OJG"}, {"angle", "OJ" + a1}}));
    b.Circle("B₁", "B₂");
    b.Circle("B₂", "B₁", {{"W₁", b.Current(), b.Next(), Left("B₁", "B₂")}, {"W₂", b.Current(), b.Next(), Right("B₁", "B₂")}});
    b.Line("W₁", "W₂", {{"W", cj, "W₁W₂", Nearer(d)}}, Say(Message::Perpendicular, {{"line", "JW"}, {"other", "JG"}}));
    b.Circle("B₁", "J");
    b.Circle("W", "J", {{"Z", b.Current(), b.Next(), Other("J")}});
    b.Line("J", "Z", {{"H", "JZ", diameter, kOnly}}, Say(Message::Angle45));
    const std::string around = b.Opening("H", "O", a1);
    // k₁, the circle about A₁ through O, has the same radius: the two meet on the bisector of HA₁.
    b.construction().steps.back().makes = {{"H₁", "k₁", around, Left("H", a1)}, {"H₂", "k₁", around, Right("H", a1)}};
    b.Line("H₁", "H₂", {{"C₁", "H₁H₂", diameter, kOnly}}, Say(Message::Midpoint, {{"point", "C₁"}, {"segment", "H" + a1}}));
    b.Circle("C₁", a1, {{"K₁", ex, b.Next(), Nearer(b.e())}});
    b.Circle("G", "K₁", {{"N₃", diameter, b.Next(), Nearer(a1)}, {"N₅", diameter, b.Next(), Nearer(d)}});
    b.Circle("N₃", "O", {{"D₃", diameter, b.Next(), Other("O")}});
    b.Opening("D₃", "O", a1, {{b.At(360.0 * 3 / 17, ""), "k", b.Next(), Left("O", a1)}, {b.At(360.0 * 14 / 17, ""), "k", b.Next(), Right("O", a1)}},
              Say(Message::OnPerpendicular, {{"first", "A₄"}, {"second", "A₁₅"}, {"line", a1 + d}, {"foot", "N₃"}}));
    b.Circle("N₅", "O", {{"D₅", diameter, b.Next(), Other("O")}});
    b.Opening("D₅", "O", a1, {{b.At(360.0 * 5 / 17, ""), "k", b.Next(), Left("O", a1)}, {b.At(360.0 * 12 / 17, ""), "k", b.Next(), Right("O", a1)}},
              Say(Message::OnPerpendicular, {{"first", "A₆"}, {"second", "A₁₃"}, {"line", a1 + d}, {"foot", "N₅"}}));
    b.Bisect("A₄", "A₆", 360.0 * 3 / 17, 360.0 * 5 / 17, "Z₁");
}

// Why the n-gon cannot be constructed, as one sentence: "14 = 2 · 7 се дели на 7, което не е
// число на Ферма."
std::string WhyNot(int n) {
    int odd = n;
    std::string factors;
    while (odd % 2 == 0) {
        odd /= 2;
        factors += "2 · ";
    }
    std::vector<int> primes;
    for (int p = 3; p <= odd; p += 2)
        while (odd % p == 0) {
            odd /= p;
            primes.push_back(p);
            factors += std::to_string(p) + " · ";
        }
    factors.resize(factors.size() - std::string(" · ").size());
    const auto fermat = [](int p) { return p == 3 || p == 5 || p == 17 || p == 257 || p == 65537; };
    const std::string number = std::to_string(n);
    for (const int p : primes)
        if (!fermat(p)) {
            if (primes.size() == 1 && p == n) return Say(Message::PrimeNotFermat, {{"n", number}});
            return Say(Message::FactorNotFermat, {{"n", number}, {"factors", factors}, {"prime", std::to_string(p)}});
        }
    return Say(Message::FermatTwice, {{"n", number}, {"factors", factors}});
}

}  // namespace

bool Constructible(int n) {
    if (n < 3) return false;
    while (n % 2 == 0) n /= 2;
    for (const int p : {3, 5, 17, 257, 65537})
        if (n % p == 0) n /= p;
    return n == 1;
}

Construction BuildConstruction(double radius, int n) {
    if (n < kFewestVertices || n > kMostVertices) ThrowOutOfRange("vertex count outside 3..20");
    Builder b(radius, n);
    if (!Constructible(n)) {
        const std::string number = std::to_string(n);
        b.construction().statement =
            Say(Message::NotConstructible, {{"polygon", PolygonTitle(n, number)}, {"why", WhyNot(n)}, {"n", number},
                                            {"relation", 360 % n == 0 ? "=" : "≈"}, {"central", DecimalText(360.0 / n)}});
        if (n == 7) {
            // The old approximation: the heptagon's side taken as half the inscribed triangle's side.
            const double approximate = 2 * std::asin(std::sqrt(3.0) / 4) * 180 / std::numbers::pi;
            const double error = 360.0 / 7 - approximate;
            b.construction().statement += ' ' + Say(Message::HeptagonApproximation,
                                                    {{"error", DecimalText(std::round(error * 100) / 100)},
                                                     {"total", DecimalText(std::round(7 * error * 100) / 100)}});
        }
    }
    b.Start();
    if (!Constructible(n)) {
        for (int j = 1; j < n; ++j) {
            Step step;
            step.tool = Tool::Protractor;
            step.draws = "O" + Vertex(j + 1);
            step.uses = {"O", Vertex(j)};
            step.value = 360.0 / n;
            step.makes.push_back({Vertex(j + 1), "k", step.draws, Nearer(Vertex(j))});
            b.construction().steps.push_back(std::move(step));
        }
        return b.Finish();
    }
    const std::string a1 = Vertex(1);
    b.Diameter();
    switch (n) {
        case 3:
            b.Circle(b.d(), "O", {{Vertex(2), "k", b.Next(), Left("O", a1)}, {Vertex(3), "k", b.Next(), Right("O", a1)}},
                     Say(Message::TriangleArcs));
            break;
        case 6:
            b.Circle(a1, "O", {{Vertex(2), "k", b.Next(), Left("O", a1)}, {Vertex(6), "k", b.Next(), Right("O", a1)}},
                     Say(Message::HexagonSide));
            b.Circle(Vertex(4), "O", {{Vertex(3), "k", b.Next(), Left("O", a1)}, {Vertex(5), "k", b.Next(), Right("O", a1)}});
            break;
        case 4:
            b.Perpendicular();
            break;
        case 12:
            b.Perpendicular();
            b.Circle(Vertex(4), "O", {{Vertex(2), "k", b.Next(), Right("O", Vertex(4))}, {Vertex(6), "k", b.Next(), Left("O", Vertex(4))}});
            b.Circle(Vertex(10), "O", {{Vertex(8), "k", b.Next(), Right("O", Vertex(10))}, {Vertex(12), "k", b.Next(), Left("O", Vertex(10))}});
            break;
        case 8:
            b.Perpendicular();
            b.Bisect(a1, Vertex(3), 0, 90, "Y");
            b.Fill();
            break;
        case 16:
            b.Perpendicular();
            b.Bisect(a1, Vertex(5), 0, 90, "Y");
            b.Bisect(a1, Vertex(3), 0, 45, "Z");
            b.Fill();
            break;
        case 5:
        case 10:
        case 15:
        case 20: {
            b.Perpendicular();
            b.GoldenSection();
            const bool pentagon = n == 5 || n == 15;
            const std::string from = pentagon ? b.e() : "O";
            const double chord = pentagon ? 72 : 36;
            const std::string left = b.At(chord, {}), right = b.At(360 - chord, {});
            const std::string around = b.Opening(a1, from, "G", {{left, "k", b.Next(), Left("O", a1)}, {right, "k", b.Next(), Right("O", a1)}});
            if (n == 15) {
                b.Opening(left, b.e(), "G", {{b.At(144, {}), "k", b.Next(), Other(a1)}},
                          Say(Message::PentadecagonArc));
            }
            // The circle just drawn, about A₁ through A₃, is the bisector's first.
            if (n == 20) b.Bisect(a1, Vertex(3), 0, 36, "Z", around);
            b.Fill();
            break;
        }
        case 17:
            b.Perpendicular();
            Heptadecagon(b);
            b.Fill();
            break;
        default:
            break;
    }
    return b.Finish();
}

}  // namespace tamirel
