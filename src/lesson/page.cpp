#include "lesson/page.h"

#include <algorithm>
#include <utility>

#include "form/markup.h"
#include "form/svg_writer.h"
#include "lesson/label_layout.h"
#include "lesson/scene_draw.h"

namespace tamirel {

namespace {

// The handout's sheet within its margins (A4, 210 x 297 mm), in millimetres.
constexpr double kHandoutWidth = 210 - 2 * kSheetMargin;
constexpr double kHandoutHeight = 297 - 2 * kSheetMargin;
constexpr int kHandoutAcross = 2, kHandoutDown = 3;
constexpr double kHandoutHeader = 10, kHandoutGap = 6;     // mm
constexpr double kHandoutTitleSize = 4, kHandoutTextSize = 3.2;
// A baseline lies this many letter heights below the top of its line (the serif face's ascent).
constexpr double kAscent = 0.891;

// The lines of `texts` one every `step` from the baseline `y`, at `x`, the first `firstBold`.
void AddLines(Page& page, const std::vector<std::string>& texts, double x, double y, double size, double step, bool firstBold) {
    for (const std::string& text : texts) {
        page.texts.push_back({text, x, y, size, firstBold && page.texts.empty()});
        y += step;
    }
}

// `<element x="…" y="…" width="…" height="…"`: the rectangle's attributes, the tag left open.
void AppendBox(std::string& svg, const char* element, const PageRect& r) {
    svg += element;
    AppendNumbers(svg, {{" x=\"", r.x}, {"\" y=\"", r.y}, {"\" width=\"", r.width}, {"\" height=\"", r.height}});
    svg += '"';
}

Scene InBlack(Scene scene) {
    for (SceneItem& item : scene.items)
        if (item.ink == Ink::Highlight) item.ink = Ink::Figure;
    return scene;
}

}  // namespace

std::vector<std::string> WrapWords(const std::string& text, const std::function<bool(const std::string&)>& fits) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!line.empty() && !word.empty() && !fits(line + " " + word)) {
            lines.push_back(line);
            line.clear();
        }
        if (!word.empty()) line += (line.empty() ? "" : " ") + word;
        start = end + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<std::string> WrapToWidth(const std::string& text, double size, double width) {
    const double scale = size / kLabelHeight;
    return WrapWords(text, [&](const std::string& line) { return EstimateLabelSize(line, scale).width <= width; });
}

Page LessonPage(const Lesson& lesson) {
    Page page;
    page.box = {-kLessonMargin, -kLessonMargin, LessonPageWidth(), LessonPageHeight(lesson)};
    page.figures.push_back({lesson.scene, {0, 0, kSceneSide, kSceneSide}, std::nullopt});
    double y = kSceneSide + kLessonMargin + kLessonLineHeight;
    for (const LessonLine& line : LessonLines(lesson)) {
        page.texts.push_back({line.text, 0, y, line.title ? kLessonTitleSize : kLessonTextSize, line.title});
        y += kLessonLineHeight;
    }
    return page;
}

Page StepPage(const ConstructionSteps& steps, std::size_t step) {
    Page page;
    const double side = LessonPageWidth();
    page.box = {-kLessonMargin, -kLessonMargin, side, ConstructionPageHeight(steps, step)};
    page.figures.push_back({steps.empty() ? Scene{} : steps.View(step).scene, {0, 0, kSceneSide, kSceneSide},
                            PageRect{-kLessonMargin, -kLessonMargin, side, side}});
    AddLines(page, ConstructionPageLines(steps, step), 0, kSceneSide + kLessonMargin + kLessonLineHeight, kLessonTextSize,
             kLessonLineHeight, true);
    return page;
}

std::string HandoutHeading(const ConstructionSteps& steps) {
    if (steps.empty()) return {};
    return steps.Title() + ", R = " + FormatLessonValue(steps.construction().radius).digits + " единици";
}

std::vector<Page> HandoutPages(const ConstructionSteps& steps) {
    std::vector<Page> pages;
    const double cellWidth = (kHandoutWidth - kHandoutGap) / kHandoutAcross;
    const double cellHeight = (kHandoutHeight - kHandoutHeader) / kHandoutDown;
    const double side = std::min(cellWidth, cellHeight * 0.66);
    const std::size_t perPage = kHandoutAcross * kHandoutDown;
    const double leading = 1.2 * kHandoutTextSize;
    for (std::size_t step = 1; step <= steps.steps(); ++step) {
        const std::size_t index = (step - 1) % perPage;
        if (index == 0) {
            pages.push_back({{0, 0, kHandoutWidth, kHandoutHeight}, {}, {}});
            pages.back().texts.push_back({HandoutHeading(steps), 0, kAscent * kHandoutTitleSize, kHandoutTitleSize, true});
        }
        Page& page = pages.back();
        const double left = static_cast<double>(index % kHandoutAcross) * (cellWidth + kHandoutGap);
        const double top = kHandoutHeader + static_cast<double>(index / kHandoutAcross) * cellHeight;
        // The scene's view (the circle and its letters) filling a square centred in the cell.
        const Scene scene = InBlack(steps.View(step).scene);
        const PageRect frame{left + (cellWidth - side) / 2, top, side, side};
        const double scale = side / (2 * scene.reach);
        page.figures.push_back({scene,
                                {frame.x + side / 2 - scene.focus.x * scale, frame.y + side / 2 - scene.focus.y * scale,
                                 kSceneSide * scale, kSceneSide * scale},
                                frame});
        const std::string sentence = std::to_string(step) + ". " + steps.View(step).sentence;
        double y = top + side + 1 + kAscent * kHandoutTextSize;
        for (const std::string& line : WrapToWidth(sentence, kHandoutTextSize, cellWidth)) {
            page.texts.push_back({line, left, y, kHandoutTextSize, false});
            y += leading;
        }
    }
    return pages;
}

Picture PictureOfPage(std::string title, std::string description, Page page) {
    Picture picture{std::move(title), std::move(description), {}, std::nullopt};
    picture.pages.push_back(std::move(page));
    return picture;
}

Picture LessonPicture(const Lesson& lesson) {
    return PictureOfPage(lesson.title.empty() ? "Tamirel" : lesson.title, lesson.Description(), LessonPage(lesson));
}

Picture StepPicture(const ConstructionSteps& steps, std::size_t step) {
    return PictureOfPage(steps.empty() ? "Tamirel" : steps.Title(), steps.empty() ? std::string() : steps.View(step).sentence,
                         StepPage(steps, step));
}

Picture HandoutPicture(const ConstructionSteps& steps) {
    return {steps.empty() ? "Tamirel" : steps.Title(), HandoutHeading(steps), HandoutPages(steps), std::nullopt};
}

Picture DrawingPicture(const Drawing& drawing, double scaleWidth, double scaleHeight, const std::string& description) {
    return {"Tamirel", description, {}, drawing, scaleWidth, scaleHeight};
}

std::string PageToSvg(const Page& page, const std::string& title, const std::string& description) {
    const PageRect& b = page.box;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
    AppendNumbers(svg, {{" width=\"", b.width}, {"\" height=\"", b.height}, {"\" viewBox=\"", b.x}, {" ", b.y},
                        {" ", b.width}, {" ", b.height}});
    Append(svg, {"\">\n<title>", EscapeXml(title.empty() ? "Tamirel" : title), "</title>\n<desc>", EscapeXml(description),
                 "</desc>\n"});
    AppendBox(svg, "<rect", b);
    svg += " fill=\"#ffffff\"/>\n";
    int clips = 0;
    for (const PageFigure& figure : page.figures) {
        if (figure.clip) {
            const std::string id = "figure" + std::to_string(++clips);
            Append(svg, {"<clipPath id=\"", id, "\">"});
            AppendBox(svg, "<rect", *figure.clip);
            Append(svg, {"/></clipPath>\n<g clip-path=\"url(#", id, ")\">\n"});
        }
        AppendBox(svg, "<svg", figure.area);
        Append(svg, {" viewBox=\"0 0 1000 1000\" overflow=\"visible\">\n"
                     "<g fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n",
                     SceneToSvgElements(figure.scene), "</g>\n</svg>\n", figure.clip ? "</g>\n" : ""});
    }
    Append(svg, {"<g font-family=\"", EscapeXml(kSceneFont), "\" fill=\"#000000\">\n"});
    for (const PageText& text : page.texts) {
        AppendNumbers(svg, {{"<text x=\"", text.x}, {"\" y=\"", text.y}, {"\" font-size=\"", text.size}});
        Append(svg, {"\"", text.bold ? " font-weight=\"bold\"" : "", ">", EscapeXml(text.text), "</text>\n"});
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

std::string PictureToSvg(const Picture& picture) {
    if (picture.drawing) {
        return DrawingToSvg(*picture.drawing, static_cast<float>(picture.scaleWidth), static_cast<float>(picture.scaleHeight),
                            picture.description);
    }
    return picture.pages.empty() ? PageToSvg(Page{}, picture.title, picture.description)
                                 : PageToSvg(picture.pages.front(), picture.title, picture.description);
}

}  // namespace tamirel
