#include "lesson/tikz_writer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>

#include "controls/picture_box.h"
#include "form/markup.h"
#include "geometry/decimal.h"
#include "lesson/scene_draw.h"

namespace tamirel {

namespace {

constexpr double kPointsPerCm = 72.27 / 2.54;

std::string Number(double value) { return SceneNumber(value); }

// The points as TikZ joins them: "(x0,y0) -- (x1,y1) -- …".
void AppendPath(std::string& out, std::initializer_list<ScenePoint> points) {
    const char* between = "(";
    for (const ScenePoint& p : points) {
        AppendNumbers(out, {{between, p.x}, {",", p.y}});
        out += ')';
        between = " -- (";
    }
}

// "(x,y) rectangle (x+width,y+height)".
void AppendRectangle(std::string& out, const PageRect& r) {
    AppendPath(out, {{r.x, r.y}});
    out += " rectangle ";
    AppendPath(out, {{r.x + r.width, r.y + r.height}});
}

// A length of `units` page units as TeX points, for pens and letters: `cm` centimetres a unit.
std::string Points(double units, double cm) { return Number(units * cm * kPointsPerCm) + "pt"; }

// The next code point of `text` from `at`, which moves past it.
char32_t NextCodePoint(const std::string& text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    const unsigned first = byte(at);
    const int length = first < 0x80 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? first : first & (0x3Fu >> (length - 1));
    for (int i = 1; i < length; ++i) c = (c << 6) | (byte(at + static_cast<std::size_t>(i)) & 0x3Fu);
    at += static_cast<std::size_t>(length);
    return c;
}

std::string DefineColour(const char* name, Colour colour) {
    std::string hex = HexColour(colour).substr(1);   // "#rrggbb"
    for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return std::string("\\definecolor{") + name + "}{HTML}{" + hex + "}\n";
}

// A scale to six decimals: TikZ takes the plain decimal.
std::string Fine(double value) {
    return PrintfFixed(value, 6);
}

const char* InkName(Ink ink) { return ink == Ink::Faint ? "faint" : ink == Ink::Highlight ? "highlight" : "figure"; }

// A scene's items in the scene's own units; `cm` centimetres a unit, for pens and letters.
void WriteScene(std::string& out, const Scene& scene, double cm) {
    using K = SceneItem::Kind;
    const double marks = scene.markScale;
    for (const SceneItem& item : scene.items) {
        const char* ink = InkName(item.ink);
        std::string draw;   // "\draw[ink,line width=…pt] "
        Append(draw, {"\\draw[", ink, ",line width=", Points(InkWidth(item.ink) * marks, cm), "] "});
        switch (item.kind) {
            case K::Segment:
                out += draw;
                AppendPath(out, {item.a, item.b});
                out += ";\n";
                break;
            case K::Ray: {
                const auto ends = RayEnds(item);
                out += draw;
                AppendPath(out, {ends[0], ends[1]});
                out += ";\n";
                break;
            }
            case K::Circle:
                out += draw;
                AppendPath(out, {item.a});
                AppendNumbers(out, {{" circle[radius=", item.radius}});
                out += "];\n";
                break;
            case K::Arc:
                out += draw;
                AppendPath(out, {OnCircle(item.a, item.radius, item.startDegrees)});
                // Y runs downward: an angle counter-clockwise on screen is clockwise in TikZ's terms.
                AppendNumbers(out, {{" arc[start angle=", -item.startDegrees}, {",delta angle=", -item.sweepDegrees},
                                    {",radius=", item.radius}});
                out += "];\n";
                break;
            case K::Polygon:
                out += draw;
                for (const ScenePoint& p : item.points) {
                    AppendPath(out, {p});
                    out += " -- ";
                }
                out += "cycle;\n";
                break;
            case K::Point:
                Append(out, {"\\fill[", ink, "] "});
                AppendPath(out, {item.a});
                AppendNumbers(out, {{" circle[radius=", kPointRadius * marks}});
                out += "];\n";
                break;
            case K::RightAngle: {
                const auto c = RightAngleCorners(item, marks);
                out += draw;
                AppendPath(out, {c[0], c[1], c[2]});
                out += ";\n";
                break;
            }
            case K::Label:
                // A tight white box stands for the screen's halo: labels keep clear of other items.
                Append(out, {"\\node[text=", ink, ",fill=white,inner sep=", Points(kLabelHalo * marks / 2, cm),
                             ",font=\\fontsize{", Points(kLabelHeight * marks, cm), "}{", Points(1.2 * kLabelHeight * marks, cm),
                             "}\\selectfont] at "});
                AppendPath(out, {item.a});
                Append(out, {" {", TexText(item.text), "};\n"});
                break;
        }
    }
}

void WritePage(std::string& out, const Page& page, double cm) {
    out += "\\fill[white] ";
    AppendRectangle(out, page.box);
    out += ";\n";
    for (const PageFigure& figure : page.figures) {
        out += "\\begin{scope}\n";
        if (figure.clip) {
            out += "\\clip ";
            AppendRectangle(out, *figure.clip);
            out += ";\n";
        }
        // The scene keeps its own units: shifted and scaled onto its area of the page.
        const double scale = figure.area.width / kSceneSide;
        out += "\\begin{scope}[shift={";
        AppendPath(out, {{figure.area.x, figure.area.y}});
        AppendNumbers(out, {{"},scale=", scale}});
        out += "]\n";
        WriteScene(out, figure.scene, cm * scale);
        out += "\\end{scope}\n\\end{scope}\n";
    }
    for (const PageText& text : page.texts) {
        Append(out, {"\\node[anchor=base west,inner sep=0,font=\\fontsize{", Points(text.size, cm), "}{",
                     Points(1.2 * text.size, cm), "}\\selectfont", text.bold ? "\\bfseries" : "", "] at "});
        AppendPath(out, {{text.x, text.y}});
        Append(out, {" {", TexText(text.text), "};\n"});
    }
}

// The drawing's primitives in its user units, each figure's joined lines one path, as the SVG
// writer groups them.
void WriteDrawing(std::string& out, const Drawing& drawing, double width, double height, double cm) {
    const double pen = kExportPenWidth * width / kExportSide;
    const auto at = [&](double x, double y) { AppendPath(out, {{x * width, y * height}}); };
    const auto style = [&](std::int16_t s) {
        std::string options = "[line width=" + Points(pen, cm);
        const std::vector<double>& pattern = DashPattern(s);
        if (!pattern.empty()) {
            options += ",dash pattern=";
            for (std::size_t i = 0; i < pattern.size(); ++i)
                Append(options, {i % 2 == 0 ? "on " : "off ", Points(pattern[i] * pen, cm), i + 1 < pattern.size() ? " " : ""});
        }
        return options + "]";
    };
    Append(out, {DefineColour("ground", drawing.background), "\\fill[ground] (0,0) rectangle "});
    AppendPath(out, {{width, height}});
    out += ";\n";
    bool inRun = false;
    double endX = 0, endY = 0;
    std::int16_t runStyle = kSolid;
    const auto endRun = [&] {
        if (inRun) out += ";\n";
        inRun = false;
    };
    for (const Primitive& p : drawing.primitives) {
        if (p.style == kTransparent) {
            endRun();
            continue;
        }
        switch (p.kind) {
            case Primitive::Kind::Circle:
                endRun();
                Append(out, {"\\draw", style(p.style), " "});
                at(p.x1, p.y1);
                AppendNumbers(out, {{" circle[radius=", p.x2 * width}});
                out += "];\n";
                break;
            case Primitive::Kind::Point:
                endRun();
                out += "\\fill ";
                AppendPath(out, {{p.x1 * width - pen / 2, p.y1 * height - pen / 2}});
                out += " rectangle +";
                AppendPath(out, {{pen, pen}});
                out += ";\n";
                break;
            case Primitive::Kind::Line:
                if (!(inRun && p.style == runStyle && p.x1 == endX && p.y1 == endY)) {
                    endRun();
                    Append(out, {"\\draw", style(p.style), " "});
                    at(p.x1, p.y1);
                    inRun = true;
                    runStyle = p.style;
                }
                out += " -- ";
                at(p.x2, p.y2);
                endX = p.x2;
                endY = p.y2;
                break;
        }
    }
    endRun();
}

}  // namespace

std::string TexText(const std::string& text) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const char32_t c = NextCodePoint(text, at);
        if (c >= 0x2080 && c <= 0x2089) {
            // A subscript: the letter before it goes into math with it, "A₁₂" as $A_{12}$.
            std::string digits(1, static_cast<char>('0' + (c - 0x2080)));
            std::size_t next = at;
            while (next < text.size()) {
                std::size_t peek = next;
                const char32_t d = NextCodePoint(text, peek);
                if (d < 0x2080 || d > 0x2089) break;
                digits += static_cast<char>('0' + (d - 0x2080));
                next = peek;
            }
            at = next;
            std::string base;
            if (!out.empty() && std::isalpha(static_cast<unsigned char>(out.back()))) {
                base = out.back();
                out.pop_back();
            }
            Append(out, {"$", base, "_{", digits, "}$"});
            continue;
        }
        switch (c) {
            case '\\': out += "\\textbackslash{}"; continue;
            case '{': case '}': case '$': case '&': case '#': case '%': case '_':
                out += '\\';
                out += static_cast<char>(c);
                continue;
            case '~': out += "\\textasciitilde{}"; continue;
            case '^': out += "\\textasciicircum{}"; continue;
            case 0x00A0: out += "~"; continue;                 // no-break space
            case 0x00B0: out += "$^{\\circ}$"; continue;       // °
            case 0x00B2: out += "$^{2}$"; continue;            // ²
            case 0x00B7: case 0x22C5: out += "$\\cdot$"; continue;
            case 0x00D7: out += "$\\times$"; continue;
            case 0x03B1: out += "$\\alpha$"; continue;
            case 0x03B2: out += "$\\beta$"; continue;
            case 0x03B3: out += "$\\gamma$"; continue;
            case 0x03C0: out += "$\\pi$"; continue;
            case 0x2013: out += "--"; continue;
            case 0x2014: out += "---"; continue;
            case 0x201E: out += ",,"; continue;                // „
            case 0x201C: out += "``"; continue;                // “
            case 0x201D: out += "''"; continue;                // ”
            case 0x2026: out += "\\dots{}"; continue;
            case 0x2212: out += "$-$"; continue;               // minus
            case 0x221A: out += "$\\surd$"; continue;
            case 0x2220: out += "$\\angle$"; continue;
            case 0x2248: out += "$\\approx$"; continue;
            case 0x2264: out += "$\\leq$"; continue;
            case 0x2265: out += "$\\geq$"; continue;
            default: break;
        }
        // ASCII and Cyrillic go as they are (UTF-8, read by inputenc in T2A).
        if (c < 0x80 || (c >= 0x0400 && c <= 0x04FF)) {
            out.append(text, at - (c < 0x80 ? 1 : 2), c < 0x80 ? 1 : 2);
        } else {
            out += "?";   // no sign the program writes; kept visible rather than breaking the document
        }
    }
    return out;
}

std::string PictureToTikz(const Picture& picture) {
    const bool drawing = picture.drawing.has_value();
    const Page none{};
    const Page& page = picture.pages.empty() ? none : picture.pages.front();
    const double unitsWide = drawing ? picture.scaleWidth : page.box.width;
    const double unitsHigh = drawing ? picture.scaleHeight : page.box.width;
    const double cm = unitsWide > 0 ? kTikzWidthCm / unitsWide : 1;
    const double cmHigh = unitsHigh > 0 ? kTikzWidthCm / unitsHigh : 1;
    std::string about = picture.title + ": " + picture.description;
    std::replace(about.begin(), about.end(), '\n', ' ');
    std::string out;
    const double heightCm = drawing ? kTikzWidthCm : page.box.height * cm;
    Append(out, {"% ", about,
                 "\n% Made by Tamirel: compile it with pdflatex, or paste the tikzpicture into a document that loads\n"
                 "% tikz (and, for Cyrillic letters, fontenc T2A, inputenc utf8 and babel bulgarian).\n"
                 "\\documentclass{article}\n\\usepackage{fix-cm}\n\\usepackage[T2A]{fontenc}\n\\usepackage[utf8]{inputenc}\n"
                 "\\usepackage[bulgarian]{babel}\n\\usepackage{tikz}\n\\usepackage[paperwidth=", Number(kTikzWidthCm),
                 "cm,paperheight=", Number(heightCm), "cm,margin=0pt]{geometry}\n\\pagestyle{empty}\n\\topskip=0pt\n",
                 DefineColour("figure", InkColour(Ink::Figure)), DefineColour("faint", InkColour(Ink::Faint)),
                 DefineColour("highlight", InkColour(Ink::Highlight)), "\\begin{document}\n% The picture hangs from the top of the page, which is cut to its size.\n"
                 "\\noindent\\vbox to 0pt{\\hbox{%\n\\begin{tikzpicture}[x=",
                 Fine(cm), "cm,y=-", Fine(drawing ? cmHigh : cm), "cm,",
                 drawing ? "line cap=butt,line join=miter" : "line cap=round,line join=round", "]\n"});
    if (drawing) WriteDrawing(out, *picture.drawing, picture.scaleWidth, picture.scaleHeight, cm);
    else WritePage(out, page, cm);
    out += "\\end{tikzpicture}}\\vss}\n\\end{document}\n";
    return out;
}

}  // namespace tamirel
