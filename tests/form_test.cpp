// The window's handlers over recording fakes: every read and write of the canvas and the
// lists in the order the handlers make them.
#include "form/tamirel_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "fakes.h"
#include "form/layout.h"

namespace tamirel {
namespace {

using testing::CallLog;
using testing::FakeListBox;
using testing::Names;
using testing::RecordingPictureBox;

// The form over fakes holding the window's list items, nothing selected, as the window is
// created.
class FormTest : public ::testing::Test {
protected:
    FormTest() {
        form.SetErrorReporter([this](const RuntimeError& e) { errors.push_back(e.number()); });
        form.SetDescriptionListener([this](const std::string& text) { descriptions.push_back(text); });
    }

    // Names of the calls logged since the last look.
    std::vector<std::string> Calls() {
        std::vector<std::string> names = Names(log);
        log.clear();
        return names;
    }

    void Choose(FakeListBox& list, std::int16_t index) {
        list.SetListIndex(index);
        log.clear();
    }

    CallLog log;
    RecordingPictureBox picture{log, 4000, 4000};
    FakeListBox styles{"styles", log, ListItems(0)};
    FakeListBox radii{"radii", log, ListItems(1)};
    FakeListBox counts{"counts", log, ListItems(2)};
    TamirelForm form{picture, {&styles, &radii, &counts}};
    std::vector<int> errors;
    std::vector<std::string> descriptions;
};

const std::vector<std::string> kFigure = {"radii.ListIndex", "radii.List", "Circle", "ScaleWidth", "ScaleHeight",
                                          "counts.ListIndex", "counts.List", "PSet"};

std::vector<std::string> Then(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// DrawPolygon for the first items ("500", "3"), then the reads that name the figure.
const std::vector<std::string> kTriangle = Then(Then(kFigure, {"Line", "Line", "Line", "DrawStyle"}),
                                                {"radii.ListIndex", "radii.List", "counts.ListIndex", "counts.List"});

TEST_F(FormTest, LoadSetsTheScaleSelectsFirstItemsAndClearsToWhite) {
    form.Notify([&] { form.Form_Load(); });
    EXPECT_EQ(Names(log), (std::vector<std::string>{"SetScaleHeight", "SetScaleWidth", "styles.SetListIndex",
                                                    "SetBackColor", "Cls", "styles.SetListIndex", "radii.SetListIndex",
                                                    "counts.SetListIndex", "styles.ListIndex", "SetDrawStyle"}));
    EXPECT_EQ(log[0].args, std::vector<double>{1000});
    EXPECT_EQ(log[3].args, std::vector<double>{double(Rgb(255, 255, 255))});
    EXPECT_EQ(log.back().args, std::vector<double>{kSolid});
    EXPECT_EQ(form.Description(), "Празен чертеж");
    EXPECT_TRUE(errors.empty());
}

TEST_F(FormTest, DrawAddsOnTopAndEachChoiceOfLineTypeClearsAndRedraws) {
    form.Form_Load();
    log.clear();
    form.Command1_Click(0);
    EXPECT_EQ(Calls(), kTriangle) << "drawn on top: no clear";
    form.Command1_Click(0);
    EXPECT_EQ(Calls(), kTriangle);
    EXPECT_EQ(descriptions.back(),
              "2 × окръжност с радиус 500 и вписан правилен триъгълник с вътрешен ъгъл 60°");

    Choose(radii, 4);    // "300": a choice of radius or count draws nothing
    form.List1_Click(1);
    Choose(counts, 1);   // "4"
    form.List1_Click(2);
    EXPECT_TRUE(log.empty());

    Choose(styles, 1);   // "1 - Dash"
    form.List1_Click(0);
    const std::vector<std::string> calls = Calls();
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 3),
              (std::vector<std::string>{"styles.ListIndex", "SetDrawStyle", "Cls"}));
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Line"), 4);
    EXPECT_EQ(picture.DrawStyle(), kDash);
    EXPECT_EQ(form.Description(), "Окръжност с радиус 300 и вписан квадрат с вътрешен ъгъл 90°");

    Choose(styles, kTransparent);
    form.List1_Click(0);
    EXPECT_EQ(form.Description(), "Празен чертеж") << "drawn, but nothing shows";
}

TEST_F(FormTest, ClearResetsListsStyleAndCanvasAndOtherIndexesDoNothing) {
    form.Form_Load();
    Choose(styles, 3);
    Choose(radii, 6);
    Choose(counts, 4);
    picture.SetDrawStyle(kDashDot);
    form.Command1_Click(0);
    log.clear();
    form.Command1_Click(1);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"SetBackColor", "Cls", "styles.SetListIndex", "radii.SetListIndex",
                                                 "counts.SetListIndex", "styles.ListIndex", "SetDrawStyle"}));
    EXPECT_EQ(styles.ListIndex() + radii.ListIndex() + counts.ListIndex(), 0);
    EXPECT_EQ(picture.DrawStyle(), kSolid);
    EXPECT_EQ(descriptions.back(), "Празен чертеж");

    log.clear();
    for (std::int16_t index : {-1, 2, 3, 1000}) form.Command1_Click(index);
    for (std::int16_t index : {-1, 3}) form.List1_Click(index);
    EXPECT_TRUE(log.empty());
}

TEST_F(FormTest, ARunTimeErrorIsReportedOnceAndTheHandlerStopsThere) {
    FakeListBox huge("counts", log, {"3000000000"}, 0);
    TamirelForm broken(picture, {&styles, &radii, &huge});
    broken.SetErrorReporter([this](const RuntimeError& e) { errors.push_back(e.number()); });
    broken.Form_Load();
    huge.SetListIndex(0);
    log.clear();
    broken.Notify([&] { broken.Command1_Click(0); });
    EXPECT_EQ(errors, std::vector<int>{RuntimeError::kOverflow});
    EXPECT_EQ(Calls(), kFigure) << "the circle and start point stay; nothing after the error";
    EXPECT_EQ(broken.Description(), "Празен чертеж") << "a figure cut short is not described";

    broken.Notify([&] { throw RuntimeError::InvalidPropertyValue(); });
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_NO_THROW(TamirelForm(picture, {&styles, &radii, &huge}).Notify([] { throw RuntimeError::Overflow(); }))
        << "no reporter: the error still ends only the handler";
}

TEST(Layout, ExplanationKeepsEveryByteWithItsLineEnds) {
    const std::string text(ExplanationText());
    std::vector<std::string> lines;
    for (std::size_t from = 0, end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_TRUE(text.ends_with("\r\n")) << "the last line too is ended";
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10) << "no bare line feed";
    EXPECT_TRUE(lines[0].starts_with("Многоъгълник, чийто страни"));
    EXPECT_TRUE(lines[0].ends_with("квадратът и др.  "));
    EXPECT_NE(lines[1].find("(в  градуси) са с размер:  (N-2)*180/N."), std::string::npos);
    EXPECT_NE(lines[1].find("единствена  окръжност"), std::string::npos);
    EXPECT_EQ(lines[3], "Тема на проекта: Tamirel.");
    EXPECT_EQ(lines[5], " - брой върхове на многоъгълника;");
    EXPECT_TRUE(lines[9].ends_with("(само с линия и пергел)."));
}

}  // namespace
}  // namespace tamirel
