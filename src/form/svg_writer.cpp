#include "form/svg_writer.h"

#include <cmath>

#include "controls/picture_box.h"
#include "form/markup.h"
#include "form/number_text.h"
#include "geometry/numeric.h"

namespace tamirel {

namespace {

// The shortest plain decimal that reads back as the same single-precision number.
std::string Number(double value) {
    const float target = static_cast<float>(value);
    std::string text;
    for (int decimals = 0; decimals <= 9; ++decimals) {
        text = FixedPoint(target, decimals);
        if (static_cast<float>(TextToNumber(text)) == target) break;
    }
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

class SvgBuilder {
public:
    SvgBuilder(double width, double height) : width_(width), height_(height), pen_(kExportPenWidth * width / kExportSide) {}

    void Add(const Primitive& p) {
        if (p.style == kTransparent) {
            EndRun();
            return;
        }
        switch (p.kind) {
            case Primitive::Kind::Circle:
                EndFigure();
                BeginFigure();
                Append(body_, {"<circle cx=\"", X(p.x1), "\" cy=\"", Y(p.y1), "\" r=\"", X(p.x2), "\"", Dashes(p.style), "/>\n"});
                break;
            case Primitive::Kind::Point: {
                EndRun();
                BeginFigure();
                const std::string side = Number(pen_);
                Append(body_, {"<rect x=\"", Number(Units(p.x1, width_) - pen_ / 2), "\" y=\"",
                               Number(Units(p.y1, height_) - pen_ / 2), "\" width=\"", side, "\" height=\"", side,
                               "\" fill=\"#000000\" stroke=\"none\"/>\n"});
                break;
            }
            case Primitive::Kind::Line: {
                const bool joined = inRun_ && p.style == runStyle_ && p.x1 == runEndX_ && p.y1 == runEndY_;
                if (!joined) {
                    EndRun();
                    BeginFigure();
                    runPoints_.clear();
                    Append(runPoints_, {X(p.x1), ",", Y(p.y1)});
                    runStyle_ = p.style;
                    inRun_ = true;
                }
                Append(runPoints_, {" ", X(p.x2), ",", Y(p.y2)});
                runEndX_ = p.x2;
                runEndY_ = p.y2;
                break;
            }
        }
    }

    std::string Finish() {
        EndFigure();
        return body_;
    }

    double pen() const { return pen_; }

private:
    static double Units(double fraction, double extent) { return static_cast<float>(fraction * extent); }
    std::string X(double fraction) const { return Number(Units(fraction, width_)); }
    std::string Y(double fraction) const { return Number(Units(fraction, height_)); }

    std::string Dashes(std::int16_t style) const {
        const std::vector<double>& pattern = DashPattern(style);
        if (pattern.empty()) return {};
        std::string text = " stroke-dasharray=\"";
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            if (i > 0) text += ' ';
            text += Number(pattern[i] * pen_);
        }
        text += '"';
        return text;
    }

    void BeginFigure() {
        if (inFigure_) return;
        body_ += "<g>\n";
        inFigure_ = true;
    }

    void EndRun() {
        if (!inRun_) return;
        Append(body_, {"<polyline points=\"", runPoints_, "\"", Dashes(runStyle_), "/>\n"});
        inRun_ = false;
    }

    void EndFigure() {
        EndRun();
        if (!inFigure_) return;
        body_ += "</g>\n";
        inFigure_ = false;
    }

    double width_, height_, pen_;
    std::string body_;
    bool inFigure_ = false;
    bool inRun_ = false;
    std::string runPoints_;
    std::int16_t runStyle_ = kSolid;
    double runEndX_ = 0, runEndY_ = 0;
};

}  // namespace

std::string DrawingToSvg(const Drawing& drawing, float scaleWidth, float scaleHeight, const std::string& description) {
    const double width = std::fabs(static_cast<double>(scaleWidth));
    const double height = std::fabs(static_cast<double>(scaleHeight));
    SvgBuilder figures(width, height);
    for (const Primitive& p : drawing.primitives) figures.Add(p);
    const std::string w = Number(width), h = Number(height), side = std::to_string(kExportSide);
    std::string svg;
    Append(svg, {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"", side, "\" height=\"", side,
                 "\" viewBox=\"0 0 ", w, " ", h, "\" preserveAspectRatio=\"none\">\n"
                 "<title>Tamirel</title>\n"
                 "<desc>", EscapeXml(description), "</desc>\n"
                 "<rect x=\"0\" y=\"0\" width=\"", w, "\" height=\"", h, "\" fill=\"", HexColour(drawing.background), "\"/>\n"
                 "<g fill=\"none\" stroke=\"#000000\" stroke-width=\"", Number(figures.pen()),
                 "\" stroke-linecap=\"butt\" stroke-linejoin=\"miter\">\n", figures.Finish(), "</g>\n</svg>\n"});
    return svg;
}

}  // namespace tamirel
