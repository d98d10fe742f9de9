#include "lesson/scene_draw.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "form/markup.h"
#include "form/number_text.h"

namespace tamirel {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;

double Distance(ScenePoint p, ScenePoint q) { return std::hypot(q.x - p.x, q.y - p.y); }

std::string Points(const std::vector<ScenePoint>& points, const char* between, const char* inside) {
    std::string text;
    for (const ScenePoint& p : points) {
        if (!text.empty()) text += between;
        text += SceneNumber(p.x) + inside + SceneNumber(p.y);
    }
    return text;
}

const char* KindName(SceneItem::Kind kind) {
    using K = SceneItem::Kind;
    switch (kind) {
        case K::Segment: return "segment";
        case K::Ray: return "ray";
        case K::Circle: return "circle";
        case K::Arc: return "arc";
        case K::Polygon: return "polygon";
        case K::Point: return "point";
        case K::RightAngle: return "rightangle";
        case K::Label: return "label";
    }
    return "segment";
}

std::string Stroke(Ink ink, double markScale) {
    return " stroke=\"" + HexColour(InkColour(ink)) + "\" stroke-width=\"" + SceneNumber(InkWidth(ink) * markScale) + "\"";
}

void AppendArcPath(std::string& out, const SceneItem& arc) {
    const double sweep = std::clamp(arc.sweepDegrees, -359.99, 359.99);
    const ScenePoint from = OnCircle(arc.a, arc.radius, arc.startDegrees);
    const ScenePoint to = OnCircle(arc.a, arc.radius, arc.startDegrees + sweep);
    AppendNumbers(out, {{"M", from.x}, {" ", from.y}, {"A", arc.radius}, {" ", arc.radius}});
    // SVG's sweep flag 1 runs clockwise on screen.
    Append(out, {" 0 ", std::fabs(sweep) > 180 ? "1" : "0", " ", sweep < 0 ? "1" : "0"});
    AppendNumbers(out, {{" ", to.x}, {" ", to.y}});
}

}  // namespace

SceneItem SceneItemOf(SceneItem::Kind kind, Ink ink, ScenePoint a, ScenePoint b) {
    SceneItem item;
    item.kind = kind;
    item.ink = ink;
    item.a = a;
    item.b = b;
    return item;
}

ScenePoint OnCircle(ScenePoint centre, double radius, double degrees) {
    return {centre.x + radius * std::cos(degrees * kDegree), centre.y - radius * std::sin(degrees * kDegree)};
}

std::array<ScenePoint, 2> RayEnds(const SceneItem& ray) {
    const double dx = ray.b.x - ray.a.x, dy = ray.b.y - ray.a.y;
    if (dx == 0 && dy == 0) return {ray.a, ray.b};
    // The parameters t of a + t (b - a) inside the area, one slab at a time.
    double low = -std::numeric_limits<double>::infinity(), high = std::numeric_limits<double>::infinity();
    const auto slab = [&](double start, double step) {
        if (step == 0) {
            if (start < 0 || start > kSceneSide) high = low - 1;
            return;
        }
        double t0 = -start / step, t1 = (kSceneSide - start) / step;
        if (t0 > t1) std::swap(t0, t1);
        low = std::max(low, t0);
        high = std::min(high, t1);
    };
    slab(ray.a.x, dx);
    slab(ray.a.y, dy);
    if (low > high) return {ray.a, ray.b};
    return {ScenePoint{ray.a.x + low * dx, ray.a.y + low * dy}, ScenePoint{ray.a.x + high * dx, ray.a.y + high * dy}};
}

std::array<ScenePoint, 3> RightAngleCorners(const SceneItem& mark, double markScale) {
    const double ab = Distance(mark.a, mark.b), ac = Distance(mark.a, mark.c);
    if (ab == 0 || ac == 0) return {mark.a, mark.a, mark.a};
    const double side = std::min(kRightAngleSide * markScale, 0.4 * std::min(ab, ac));
    const double ux = (mark.b.x - mark.a.x) / ab * side, uy = (mark.b.y - mark.a.y) / ab * side;
    const double vx = (mark.c.x - mark.a.x) / ac * side, vy = (mark.c.y - mark.a.y) / ac * side;
    return {ScenePoint{mark.a.x + ux, mark.a.y + uy}, ScenePoint{mark.a.x + ux + vx, mark.a.y + uy + vy},
            ScenePoint{mark.a.x + vx, mark.a.y + vy}};
}

std::string SceneNumber(double value) {
    std::string s = FixedPoint(value, 2);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string SceneToSvgElements(const Scene& scene) {
    using K = SceneItem::Kind;
    std::string svg;
    const double m = scene.markScale;
    for (const SceneItem& item : scene.items) {
        const std::string colour = HexColour(InkColour(item.ink)), stroke = Stroke(item.ink, m);
        switch (item.kind) {
            case K::Segment:
            case K::Ray: {
                const std::array<ScenePoint, 2> ends = item.kind == K::Ray ? RayEnds(item) : std::array{item.a, item.b};
                AppendNumbers(svg, {{"<line x1=\"", ends[0].x}, {"\" y1=\"", ends[0].y}, {"\" x2=\"", ends[1].x},
                                    {"\" y2=\"", ends[1].y}});
                Append(svg, {"\"", stroke, "/>\n"});
                break;
            }
            case K::Circle:
            case K::Point:
                AppendNumbers(svg, {{"<circle cx=\"", item.a.x}, {"\" cy=\"", item.a.y},
                                    {"\" r=\"", item.kind == K::Point ? kPointRadius * m : item.radius}});
                if (item.kind == K::Point)
                    Append(svg, {"\" fill=\"", colour, "\" stroke=\"none\"/>\n"});
                else
                    Append(svg, {"\"", stroke, "/>\n"});
                break;
            case K::Arc:
                svg += "<path d=\"";
                AppendArcPath(svg, item);
                Append(svg, {"\"", stroke, "/>\n"});
                break;
            case K::Polygon:
                Append(svg, {"<polygon points=\"", Points(item.points, " ", ","), "\"", stroke, "/>\n"});
                break;
            case K::RightAngle: {
                const std::array<ScenePoint, 3> c = RightAngleCorners(item, m);
                Append(svg, {"<polyline points=\"", Points({c.begin(), c.end()}, " ", ","), "\"", stroke, "/>\n"});
                break;
            }
            case K::Label: {
                std::string place;
                AppendNumbers(place, {{"<text x=\"", item.a.x}, {"\" y=\"", item.a.y + kLabelBaselineDrop * kLabelHeight * m}});
                Append(place, {"\" font-family=\"", EscapeXml(kSceneFont)});
                AppendNumbers(place, {{"\" font-size=\"", kLabelHeight * m}});
                place += "\" text-anchor=\"middle\"";
                const std::string text = EscapeXml(item.text);
                svg += place;
                AppendNumbers(svg, {{" fill=\"#ffffff\" stroke=\"#ffffff\" stroke-width=\"", 2 * kLabelHalo * m}});
                Append(svg, {"\" stroke-linejoin=\"round\">", text, "</text>\n", place, " fill=\"", colour, "\">", text, "</text>\n"});
                break;
            }
        }
    }
    return svg;
}

namespace {

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (u < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

void AppendJsonStrings(std::string& out, std::initializer_list<std::pair<const char*, std::string_view>> parts) {
    for (const auto& [text, value] : parts) {
        out += text;
        AppendJsonString(out, value);
    }
}

std::string SceneToJson(const Scene& scene) {
    using K = SceneItem::Kind;
    const double m = scene.markScale;
    std::string json;
    AppendNumbers(json, {{"{\"focus\":[", scene.focus.x}, {",", scene.focus.y}, {"],\"reach\":", scene.reach}});
    json += ",\"items\":[";
    bool first = true;
    for (const SceneItem& item : scene.items) {
        if (!first) json += ',';
        first = false;
        ScenePoint a = item.a, b = item.b;
        if (item.kind == K::Ray) {
            const std::array<ScenePoint, 2> ends = RayEnds(item);
            a = ends[0];
            b = ends[1];
        }
        std::vector<ScenePoint> points = item.points;
        if (item.kind == K::RightAngle) {
            const std::array<ScenePoint, 3> c = RightAngleCorners(item, m);
            points.assign(c.begin(), c.end());
        }
        Append(json, {"{\"kind\":\"", KindName(item.kind), "\",\"colour\":\"", HexColour(InkColour(item.ink))});
        AppendNumbers(json, {{"\",\"width\":", InkWidth(item.ink) * m}, {",\"a\":[", a.x}, {",", a.y}, {"],\"b\":[", b.x},
                             {",", b.y}, {"],\"radius\":", item.kind == K::Point ? kPointRadius * m : item.radius},
                             {",\"start\":", item.startDegrees}, {",\"sweep\":", item.sweepDegrees}});
        Append(json, {",\"points\":[", Points(points, ",", ",")});
        AppendJsonStrings(json, {{"],\"text\":", item.text}});
        AppendNumbers(json, {{",\"size\":", kLabelHeight * m}, {",\"halo\":", kLabelHalo * m},
                             {",\"baseline\":", kLabelBaselineDrop * kLabelHeight * m}});
        json += '}';
    }
    json += "]}";
    return json;
}

void AppendNumbers(std::string& out, std::initializer_list<std::pair<const char*, double>> parts) {
    for (const auto& [text, number] : parts) {
        out += text;
        out += SceneNumber(number);
    }
}

}  // namespace tamirel
