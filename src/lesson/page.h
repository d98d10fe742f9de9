// Pages as data: the lesson's page, a construction step's page and the handout's pages, laid
// out once here, so that the screen, print, PDF, PNG, SVG and TikZ all show the same page and
// no face keeps a layout of its own.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/drawing.h"
#include "lesson/construction_steps.h"
#include "lesson/lesson.h"
#include "lesson/scene.h"

namespace tamirel {

// A rectangle in a page's units, Y downward.
struct PageRect {
    double x = 0, y = 0, width = 0, height = 0;
};

// A scene on the page: its kSceneSide square lies on `area`; with `clip`, nothing shows
// outside that rectangle (compass circles reach far past a figure).
struct PageFigure {
    Scene scene;
    PageRect area;
    std::optional<PageRect> clip;
};

// One line of text, black, set in kSceneFont: `x` its left end, `y` its baseline, `size` the
// letters' height (the font's pixel size), all in the page's units.
struct PageText {
    std::string text;
    double x = 0, y = 0, size = 0;
    bool bold = false;
};

// A page on white: `box` is the whole of it (its corner may be negative: the lesson's page
// keeps the main canvas's coordinates), figures drawn first, then the texts.
struct Page {
    PageRect box;
    std::vector<PageFigure> figures;
    std::vector<PageText> texts;
};

// What a save, a copy or a print takes away: the pages the lesson layer made, or the main
// window's drawing (its area scaleWidth x scaleHeight user units), titled and described.
struct Picture {
    std::string title;         // a document's title: "Правилен шестоъгълник", "Tamirel"
    std::string description;   // its subject, and the caption under the printed drawing
    std::vector<Page> pages;   // one, or the handout's several
    std::optional<Drawing> drawing;
    double scaleWidth = 1000, scaleHeight = 1000;
};

// A picture of the one page, moved in rather than copied.
Picture PictureOfPage(std::string title, std::string description, Page page);

// The lesson's page in canvas units, as LessonLines, LessonPageWidth and LessonPageHeight say:
// the figure on the canvas's own 1000 units, the lines below it.
Page LessonPage(const Lesson& lesson);

// The page of the construction at `step`, in canvas units: the figure cut at the margin round
// it, then ConstructionPageLines, the first in bold.
Page StepPage(const ConstructionSteps& steps, std::size_t step);

// The printed construction on A4 sheets, in millimetres within kSheetMargin of every edge:
// six steps a page, two across and three down, each the figure in black (what a step adds
// included: no colour in print) filling a square with its number and sentence below it, and
// every page headed by HandoutHeading. No pages without steps.
inline constexpr double kSheetMargin = 15;   // millimetres, every printed sheet
std::vector<Page> HandoutPages(const ConstructionSteps& steps);

// "Построяване на правилен петоъгълник, R = 400 единици"; empty without steps.
std::string HandoutHeading(const ConstructionSteps& steps);

// The pictures the faces take away, titled and described as each face's documents are.
Picture LessonPicture(const Lesson& lesson);
Picture StepPicture(const ConstructionSteps& steps, std::size_t step);
Picture HandoutPicture(const ConstructionSteps& steps);
Picture DrawingPicture(const Drawing& drawing, double scaleWidth, double scaleHeight, const std::string& description);

// `text` broken at spaces into lines, each as long as `fits` allows (a longer word stands alone).
std::vector<std::string> WrapWords(const std::string& text, const std::function<bool(const std::string&)>& fits);

// `text` broken at spaces into lines whose estimated width at letters `size` high is at most
// `width` (a longer word stands alone).
std::vector<std::string> WrapToWidth(const std::string& text, double size, double width);

// The page as an SVG document in the page's units, titled `title` and described by
// `description`: a white ground, each figure in a nested <svg> whose viewBox is the scene's
// 0 0 1000 1000 (cut by a clipPath where it has one), the texts as <text>.
std::string PageToSvg(const Page& page, const std::string& title, const std::string& description);

// The first page (or the drawing) as SVG: the file an SVG save writes.
std::string PictureToSvg(const Picture& picture);

}  // namespace tamirel
