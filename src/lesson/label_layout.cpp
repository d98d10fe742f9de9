#include "lesson/label_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "lesson/scene_draw.h"

namespace tamirel {

bool ClipToBox(ScenePoint& a, ScenePoint& b, const LabelBox& box) {
    double low = 0, high = 1;
    const ScenePoint from = a;
    const double dx = b.x - from.x, dy = b.y - from.y;
    const auto clip = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) low = std::max(low, t);
        else high = std::min(high, t);
        return low <= high;
    };
    if (!(clip(-dx, from.x - box.left) && clip(dx, box.right - from.x) && clip(-dy, from.y - box.top) &&
          clip(dy, box.bottom - from.y)))
        return false;
    a = {from.x + low * dx, from.y + low * dy};
    b = {from.x + high * dx, from.y + high * dy};
    return true;
}

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;

// The next code point of UTF-8 `text` from `at`, which moves past it.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at++);
    int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = more == 3 ? lead & 0x07u : more == 2 ? lead & 0x0Fu : more == 1 ? lead & 0x1Fu : lead;
    for (; more > 0 && at < text.size() && (byte(at) & 0xC0) == 0x80; --more) code = (code << 6) | (byte(at++) & 0x3Fu);
    return code;
}

bool IsSubscriptDigit(char32_t c) { return c >= U'\u2080' && c <= U'\u2089'; }

// A glyph's advance in em, at the wide end of Liberation Serif's.
double Advance(char32_t c) {
    if (c == U'M' || c == U'W' || c == U'm' || c == U'w' || c == U'Ш' || c == U'Щ' || c == U'Ж' || c == U'Ю') return 0.9;
    if ((c >= U'A' && c <= U'Z') || (c >= U'А' && c <= U'Я')) return 0.72;
    if ((c >= U'0' && c <= U'9') || IsSubscriptDigit(c) || (c >= U'a' && c <= U'z') || (c >= U'а' && c <= U'я')) return 0.5;
    if (c == U'°') return 0.4;
    if (c == U',' || c == U'.' || c == U' ' || c == U'\u00A0') return 0.25;
    return 0.72;
}

double Distance(ScenePoint p, ScenePoint q) { return std::hypot(q.x - p.x, q.y - p.y); }

// From p to the nearest point of the box (0 inside it).
double DistanceToBox(ScenePoint p, const LabelBox& box) {
    const double dx = std::max({box.left - p.x, 0.0, p.x - box.right});
    const double dy = std::max({box.top - p.y, 0.0, p.y - box.bottom});
    return std::hypot(dx, dy);
}

double DistanceToSegment(ScenePoint p, ScenePoint a, ScenePoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const double t = length2 == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return Distance(p, {a.x + t * dx, a.y + t * dy});
}

bool Crosses(ScenePoint a, ScenePoint b, const LabelBox& box) { return ClipToBox(a, b, box); }

double SegmentToBox(ScenePoint a, ScenePoint b, const LabelBox& box) {
    if (Crosses(a, b, box)) return 0;
    double nearest = std::min(DistanceToBox(a, box), DistanceToBox(b, box));
    for (const ScenePoint corner : {ScenePoint{box.left, box.top}, ScenePoint{box.right, box.top},
                                    ScenePoint{box.left, box.bottom}, ScenePoint{box.right, box.bottom}}) {
        nearest = std::min(nearest, DistanceToSegment(corner, a, b));
    }
    return nearest;
}

bool PolylineMeets(const std::vector<ScenePoint>& points, bool closed, const LabelBox& box, double halfPen) {
    const std::size_t n = points.size();
    if (n == 1) return DistanceToBox(points[0], box) < halfPen;
    for (std::size_t i = 0; i + 1 < n + (closed ? 1 : 0) && n > 1; ++i) {
        if (SegmentToBox(points[i], points[(i + 1) % n], box) < halfPen) return true;
    }
    return false;
}

bool BoxesMeet(const LabelBox& p, const LabelBox& q) {
    return p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
}

// Whether `item` (not a label) comes closer to the box than half its pen.
bool Meets(const SceneItem& item, const LabelBox& box, double markScale) {
    using K = SceneItem::Kind;
    const double halfPen = InkWidth(item.ink) * markScale / 2;
    switch (item.kind) {
        case K::Segment: return SegmentToBox(item.a, item.b, box) < halfPen;
        case K::Ray: {
            const std::array<ScenePoint, 2> ends = RayEnds(item);
            return SegmentToBox(ends[0], ends[1], box) < halfPen;
        }
        case K::Circle: {
            double farthest = 0;
            for (const ScenePoint corner : {ScenePoint{box.left, box.top}, ScenePoint{box.right, box.top},
                                            ScenePoint{box.left, box.bottom}, ScenePoint{box.right, box.bottom}}) {
                farthest = std::max(farthest, Distance(item.a, corner));
            }
            return DistanceToBox(item.a, box) < item.radius + halfPen && farthest > item.radius - halfPen;
        }
        case K::Arc: {
            const double sweep = std::clamp(item.sweepDegrees, -360.0, 360.0);
            const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / 2)));
            std::vector<ScenePoint> points;
            points.reserve(static_cast<std::size_t>(steps) + 1);
            for (int i = 0; i <= steps; ++i) points.push_back(OnCircle(item.a, item.radius, item.startDegrees + sweep * i / steps));
            return PolylineMeets(points, false, box, halfPen);
        }
        case K::Polygon: return PolylineMeets(item.points, true, box, halfPen);
        case K::Point: return DistanceToBox(item.a, box) < kPointRadius * markScale;
        case K::RightAngle: {
            const std::array<ScenePoint, 3> c = RightAngleCorners(item, markScale);
            return PolylineMeets({c.begin(), c.end()}, false, box, halfPen);
        }
        case K::Label: return BoxesMeet(LabelItemBox(item, markScale), box);
    }
    return false;
}

// Whether direction `degrees` lies in the region's sweep.
bool InSweep(const LabelRegion& region, double degrees) {
    if (region.sweepDegrees >= 360) return true;
    double turn = std::fmod(degrees - region.startDegrees, 360.0);
    if (turn < 0) turn += 360;
    return turn <= region.sweepDegrees + 1e-9;
}

bool InRegion(const LabelRegion& region, const LabelBox& box) {
    if (region.sweepDegrees >= 360) return true;
    for (const ScenePoint corner : {ScenePoint{box.left, box.top}, ScenePoint{box.right, box.top},
                                    ScenePoint{box.left, box.bottom}, ScenePoint{box.right, box.bottom}}) {
        if (corner.x == region.apex.x && corner.y == region.apex.y) continue;
        const double degrees = std::atan2(-(corner.y - region.apex.y), corner.x - region.apex.x) / kDegree;
        if (!InSweep(region, degrees)) return false;
        if (region.reach >= 0 && Distance(region.apex, corner) > region.reach) return false;
    }
    // A wedge wider than a half-plane is not convex: its apex must stay outside the box.
    return region.sweepDegrees <= 180 || DistanceToBox(region.apex, box) > 0;
}

bool InView(const Scene& scene, const LabelBox& box) {
    return box.left >= scene.focus.x - scene.reach && box.right <= scene.focus.x + scene.reach &&
           box.top >= scene.focus.y - scene.reach && box.bottom <= scene.focus.y + scene.reach;
}

}  // namespace

LabelSize EstimateLabelSize(std::string_view text, double markScale) {
    const double em = kLabelHeight * markScale, halo = kLabelHalo * markScale;
    double advance = 0;
    bool subscripts = false;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = NextCodePoint(text, at);
        advance += Advance(c);
        subscripts = subscripts || IsSubscriptDigit(c);
    }
    LabelSize size;
    size.width = advance * em + 2 * halo;
    size.height = (subscripts ? 0.9 : 0.75) * em + 2 * halo;
    size.below = subscripts ? 0.075 * em : 0;
    return size;
}

LabelBox EstimateLabelBox(std::string_view text, ScenePoint centre, double markScale) {
    const LabelSize size = EstimateLabelSize(text, markScale);
    const double middle = centre.y + size.below;
    return {centre.x - size.width / 2, middle - size.height / 2, centre.x + size.width / 2, middle + size.height / 2};
}

LabelBox LabelItemBox(const SceneItem& label, double markScale) { return EstimateLabelBox(label.text, label.a, markScale); }

std::vector<std::size_t> LabelOverlaps(const Scene& scene, const LabelBox& box, std::size_t count) {
    std::vector<std::size_t> found;
    const std::size_t end = std::min(count, scene.items.size());
    for (std::size_t i = 0; i < end; ++i) {
        if (Meets(scene.items[i], box, scene.markScale)) found.push_back(i);
    }
    return found;
}

LabelPlace FindLabelPlace(const Scene& scene, std::string_view text, const LabelSpot& spot) {
    const double m = scene.markScale;
    const LabelSize size = EstimateLabelSize(text, m);
    const double gap = spot.gap >= 0 ? spot.gap : (kPointRadius + 1) * m;
    const double step = kLabelHeight * m / 4;
    constexpr int kTurns = 12;   // 15° each way round
    const int kRings = spot.farther >= 0 ? static_cast<int>(std::floor(spot.farther / step)) : 24;
    struct Candidate {
        double cost;
        int turn;
        int ring;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(static_cast<std::size_t>((2 * kTurns) * (kRings + 1)));
    // Cheapest first (|turn| + 2 ring); of equal cost, nearer rings first, then turns from
    // the lowest turn up.
    for (int cost = 0; cost <= kTurns + 2 * kRings; ++cost) {
        for (int ring = 0; ring <= kRings && 2 * ring <= cost; ++ring) {
            const int turn = cost - 2 * ring;
            if (turn > kTurns) continue;
            if (turn > 0 && -turn > -kTurns) candidates.push_back({static_cast<double>(cost), -turn, ring});
            candidates.push_back({static_cast<double>(cost), turn, ring});
        }
    }
    // From the anchor towards `degrees`, the box's centre for a ring, the box's middle being
    // size.below under its centre.
    const auto centreAt = [&](double degrees, int ring) {
        const double ux = std::cos(degrees * kDegree), uy = -std::sin(degrees * kDegree);
        const double halfWidth = size.width / 2, halfHeight = size.height / 2;
        const double edge = std::min(std::fabs(ux) < 1e-12 ? 1e300 : halfWidth / std::fabs(ux),
                                     std::fabs(uy) < 1e-12 ? 1e300 : halfHeight / std::fabs(uy));
        const double reach = gap + ring * step + edge;
        return ScenePoint{spot.anchor.x + ux * reach, spot.anchor.y + uy * reach - size.below};
    };
    // Every place lies in one box round the anchor, and what meets none of it meets no place
    // in it: only the items that meet that box are weighed, and each place's overlaps only
    // until they are as many as the fewest so far (the same answer, far sooner in a crowded
    // scene).
    const double around = gap + kRings * step + size.width + size.height + size.below;
    const LabelBox all{spot.anchor.x - around, spot.anchor.y - around, spot.anchor.x + around, spot.anchor.y + around};
    std::vector<const SceneItem*> near;
    for (const SceneItem& item : scene.items)
        if (Meets(item, all, m)) near.push_back(&item);
    LabelPlace best{centreAt(spot.degrees, 0), false};
    std::size_t fewest = static_cast<std::size_t>(-1);
    for (const Candidate& candidate : candidates) {
        const ScenePoint centre = centreAt(spot.degrees + 15.0 * candidate.turn, candidate.ring);
        const LabelBox box = EstimateLabelBox(text, centre, m);
        if (!InView(scene, box) || (spot.within && !InRegion(*spot.within, box))) continue;
        // Counted only while it could still beat the fewest so far.
        std::size_t overlaps = 0;
        for (auto item = near.begin(); item != near.end() && overlaps < fewest; ++item) overlaps += Meets(**item, box, m) ? 1 : 0;
        if (overlaps == 0) return {centre, true};
        if (overlaps < fewest) {
            fewest = overlaps;
            best = {centre, false};
        }
    }
    return best;
}

SceneItem& PlaceLabel(Scene& scene, Ink ink, std::string text, const LabelSpot& spot) {
    const LabelPlace place = FindLabelPlace(scene, text, spot);
    SceneItem& item = scene.items.emplace_back();
    item.kind = SceneItem::Kind::Label;
    item.ink = ink;
    item.a = place.centre;
    item.text = std::move(text);
    return item;
}

std::vector<LabelCollision> LabelCollisions(const Scene& scene) {
    std::vector<LabelCollision> collisions;
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        if (scene.items[i].kind != SceneItem::Kind::Label) continue;
        const LabelBox box = LabelItemBox(scene.items[i], scene.markScale);
        for (std::size_t j = 0; j < scene.items.size(); ++j) {
            if (j == i || (scene.items[j].kind == SceneItem::Kind::Label && j < i)) continue;
            if (Meets(scene.items[j], box, scene.markScale)) collisions.push_back({i, j});
        }
    }
    return collisions;
}

}  // namespace tamirel
