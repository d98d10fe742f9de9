// The same program's numbers from any build, as text to compare byte for byte.
//   parity                       every canvas call DrawPolygon makes for each radius x vertex
//                                count of the window's lists, for N = 2, 2.5 and 3.5, and for
//                                the figures pinned to the bit in exact_figures.h, with the bits
//                                of every single-precision argument
//   parity svg STYLE RADIUS COUNT  the SVG of the window's drawing after start-up, those three
//                                  list rows chosen (by the user) and one press of "Чертай"
//   parity lesson RADIUS COUNT D   the lesson's SVG for those list rows, with the diagonals when
//                                  D is 1
//   parity lessons                 every lesson's SVG, each list choice with and without the
//                                  diagonals
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/retained_picture_box.h"
#include "exact_figures.h"
#include "form/layout.h"
#include "form/svg_writer.h"
#include "form/tamirel_form.h"
#include "geometry/draw_polygon.h"
#include "lesson/lesson.h"

namespace {

using namespace tamirel;

std::uint32_t Bits(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

class Transcript : public FigureCalls {
public:
    void Circle(float x, float y, float r) override { std::printf(" C%08x,%08x,%08x", Bits(x), Bits(y), Bits(r)); }
    void PSet(float x, float y) override { std::printf(" P%08x,%08x", Bits(x), Bits(y)); }
    void Line(float x, float y) override { std::printf(" L%08x,%08x", Bits(x), Bits(y)); }
};

class Items : public ListBox {
public:
    explicit Items(std::vector<std::string> items) : items_(std::move(items)) {}
    std::int16_t ListIndex() const override { return selected_; }
    void SetListIndex(std::int16_t index) override { selected_ = index; }
    std::string List(std::int16_t index) const override {
        return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index] : std::string();
    }

private:
    std::vector<std::string> items_;
    std::int16_t selected_ = -1;
};

void Calls(const std::string& radius, const std::string& count) {
    Transcript canvas;
    Items radii({radius}), counts({count});
    radii.SetListIndex(0);
    counts.SetListIndex(0);
    std::printf("%s %s:", radius.c_str(), count.c_str());
    DrawPolygon(canvas, radii, counts);
    std::printf("\n");
}

void LessonSvg(int radiusRow, int countRow, bool diagonals) {
    Items radii(ListItems(1)), counts(ListItems(2));
    radii.SetListIndex(static_cast<std::int16_t>(radiusRow));
    counts.SetListIndex(static_cast<std::int16_t>(countRow));
    std::fputs(LessonToSvg(MakeLesson(radii, counts, diagonals)).c_str(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "lesson") == 0) {
        LessonSvg(std::atoi(argv[2]), std::atoi(argv[3]), std::strcmp(argv[4], "1") == 0);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "lessons") == 0) {
        for (int radius = 0; radius < static_cast<int>(ListItems(1).size()); ++radius)
            for (int count = 0; count < static_cast<int>(ListItems(2).size()); ++count)
                for (const bool diagonals : {false, true}) LessonSvg(radius, count, diagonals);
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "svg") == 0) {
        RetainedPictureBox canvas(Rgb(240, 240, 240));
        std::array<Items, 3> lists{Items(ListItems(0)), Items(ListItems(1)), Items(ListItems(2))};
        TamirelForm form(canvas, {&lists[0], &lists[1], &lists[2]});
        form.Form_Load();
        for (int list = 0; list < 3; ++list) {
            const int row = std::atoi(argv[2 + list]);
            if (row == lists[list].ListIndex()) continue;
            lists[list].SetListIndex(static_cast<std::int16_t>(row));
            form.List1_Click(static_cast<std::int16_t>(list));
        }
        form.Command1_Click(0);
        std::fputs(DrawingToSvg(canvas.drawing(), canvas.ScaleWidth(), canvas.ScaleHeight(), form.Description()).c_str(),
                   stdout);
        return 0;
    }
    for (const std::string& radius : ListItems(1)) {
        for (const std::string& count : ListItems(2)) Calls(radius, count);
        for (const char* count : {"2", "2.5", "3.5"}) Calls(radius, count);
    }
    for (const testing::ExactFigure& e : testing::kExactFigures) Calls(e.radius, e.count);
    return 0;
}
