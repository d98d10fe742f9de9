// The pages the lesson layer lays out, and the same picture as TikZ, compiled by pdflatex.
#include "lesson/page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "controls/picture_box.h"
#include "fakes.h"
#include "lesson/label_layout.h"
#include "lesson/picture_formats.h"
#include "lesson/scene_draw.h"
#include "lesson/tikz_writer.h"

namespace tamirel {
namespace {

using testing::CallLog;
using testing::FakeListBox;

Lesson LessonFor(const std::string& radius, const std::string& count) {
    CallLog log;
    FakeListBox radii("radii", log, {radius}, 0), counts("counts", log, {count}, 0);
    return MakeLesson(radii, counts, false);
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Pages, HandoutHasSixStepsAPageUnderOneHeadingAndTheLessonsPageIsItsSvg) {
    ConstructionSteps steps;
    steps.Follow(400, 5);
    const std::vector<Page> pages = HandoutPages(steps);
    ASSERT_EQ(pages.size(), 3u);   // 14 steps
    std::string all;
    for (const Page& page : pages) {
        EXPECT_LE(page.figures.size(), 6u);
        EXPECT_EQ(page.texts.front().text, "Построяване на правилен петоъгълник, R = 400 единици");
        for (const PageText& text : page.texts) {
            all += text.text + " ";
            EXPECT_LE(text.x + EstimateLabelSize(text.text, text.size / kLabelHeight).width, page.box.width + 1) << text.text;
        }
        for (const PageFigure& figure : page.figures) EXPECT_TRUE(figure.clip.has_value());
    }
    for (std::size_t step = 1; step <= steps.steps(); ++step)
        EXPECT_TRUE(Contains(all, std::to_string(step) + ". " + steps.View(step).sentence.substr(0, 12))) << step;
    EXPECT_EQ(HandoutPages(ConstructionSteps()).size(), 0u);

    const Lesson lesson = LessonFor("300", "6");
    const Page page = LessonPage(lesson);
    EXPECT_EQ(page.texts.size(), LessonLines(lesson).size());
    EXPECT_EQ(PictureToSvg(LessonPicture(lesson)), LessonToSvg(lesson));
}

TEST(PictureFormats, EachHasItsExtensionAndTheTextOnesTheirWriter) {
    EXPECT_EQ(FormatOfPath("урок.TEX"), FindPictureFormat("tex"));
    EXPECT_EQ(FormatOfPath("plan.v2/урок"), nullptr);
    EXPECT_EQ(FindPictureFormat("jpg"), nullptr);
    EXPECT_EQ(UnsupportedFormatMessage(), "Неподдържан вид файл: изберете име, завършващо на .png, .svg, .pdf или .tex.");
    EXPECT_NE(FindPictureFormat("tex")->write, nullptr);
    EXPECT_EQ(FindPictureFormat("png")->write, nullptr);
}

// A drawing of the lesson's polygon and its circle, in `style`.
Drawing PolygonDrawing(const Lesson& lesson, std::int16_t style) {
    Drawing drawing{Rgb(255, 255, 255), {{Primitive::Kind::Circle, style, 0.5, 0.5, 0.3, 0}}};
    const auto& v = lesson.vertices;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const ScenePoint a = v[i], b = v[(i + 1) % v.size()];
        drawing.primitives.push_back({Primitive::Kind::Line, style, a.x / 1000, a.y / 1000, b.x / 1000, b.y / 1000});
    }
    return drawing;
}

// Whether pdflatex compiles `tex`; its log on failure in `log`.
bool Compiles(const std::string& tex, const std::string& name, std::string& log) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("tamirel-tikz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / (name + ".tex")) << tex;
    const std::string command = "cd '" + dir.string() + "' && pdflatex -interaction=nonstopmode -halt-on-error " + name +
                                ".tex > /dev/null 2>&1";
    const bool made = std::system(command.c_str()) == 0 && std::filesystem::exists(dir / (name + ".pdf"));
    if (!made) {
        std::ifstream in(dir / (name + ".log"));
        log.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::remove_all(dir);
    return made;
}

TEST(Tikz, DrawingLessonAndStepCompileWithTheirVerticesWhereTheCanvasHasThem) {
    struct Row {
        const char* what;   // "drawing", "lesson", "step"
        const char* radius;
        const char* count;
        std::int16_t style;
        const char* expect;   // in the TeX text
    };
    const Row rows[] = {
        {"drawing", "300", "6", kDash, "dash pattern=on "},
        {"drawing", "250", "5", kDashDotDot, "dash pattern=on "},
        {"drawing", "300", "7", kTransparent, "\\fill[ground]"},
        {"lesson", "300", "6", kSolid, "$A_{1}$"},
        {"lesson", "200", "9", kSolid, "$\\approx$"},
        {"step", "300", "5", kSolid, "Стъпка 14 от 14"},
    };
    const bool pdflatex = std::system("command -v pdflatex > /dev/null 2>&1") == 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.what) + " R=" + row.radius + " n=" + row.count);
        const Lesson lesson = LessonFor(row.radius, row.count);
        const std::string what = row.what;
        ConstructionSteps steps;
        steps.Follow(std::stod(row.radius), std::stod(row.count));
        steps.End();
        const Picture picture = what == "drawing" ? DrawingPicture(PolygonDrawing(lesson, row.style), 1000, 1000, "Чертеж")
                                : what == "lesson" ? LessonPicture(lesson)
                                                   : StepPicture(steps, steps.step());
        const std::string tex = FindPictureFormat("tex")->write(picture);
        EXPECT_TRUE(Contains(tex, row.expect));
        // The polygon's corners where the canvas has them; the transparent style draws none.
        for (const ScenePoint& p : lesson.vertices) {
            if (what == "step") break;   // the construction's own points: its steps are tested with it
            std::string at;
            Append(at, {"(", SceneNumber(p.x), ",", SceneNumber(p.y), ")"});
            EXPECT_EQ(Contains(tex, at), row.style != kTransparent) << at;
        }
        if (!pdflatex) continue;
        std::string log;
        EXPECT_TRUE(Compiles(tex, row.what, log)) << log.substr(log.size() > 3000 ? log.size() - 3000 : 0);
    }
    if (!pdflatex) GTEST_SKIP() << "pdflatex is missing (Debian: texlive-latex-base, texlive-pictures, texlive-lang-cyrillic): "
                                   "the TeX text was checked, its compiling was not";
}

}  // namespace
}  // namespace tamirel
