#include "form/figure_description.h"
#include "form/polygon_names.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace tamirel {
namespace {

TEST(DescribeFigures, NamesEachVisibleFigureInBulgarianWords) {
    EXPECT_EQ(DescribeFigures({}), "Празен чертеж");
    EXPECT_EQ(DescribeFigures({{"300", "4"}}),
              "Окръжност с радиус 300 и вписан квадрат с вътрешен ъгъл 90°");
    EXPECT_EQ(DescribeFigures({{"500", "3"}, {"200", "7"}}),
              "Окръжност с радиус 500 и вписан правилен триъгълник с вътрешен ъгъл 60°; "
              "окръжност с радиус 200 и вписан правилен седмоъгълник с вътрешен ъгъл ≈ 128,57°");
    EXPECT_EQ(DescribeFigures({{"150", "20"}}),
              "Окръжност с радиус 150 и вписан правилен двадесетоъгълник с вътрешен ъгъл 162°");
    EXPECT_EQ(DescribeFigures({{"150", "24"}}),
              "Окръжност с радиус 150 и вписан правилен 24-ъгълник с вътрешен ъгъл 165°") << "past the table";
    EXPECT_EQ(DescribeFigures({{"", ""}}), "Окръжност с радиус 0") << "no vertex count: the circle alone";
    EXPECT_TRUE(DescribeFigures({{"1e300", "3"}}).starts_with("Окръжност с радиус 1000000000")) << "huge, yet whole";
}

// Every count the lists offer, named as the lesson names it (PolygonName's one table), the
// square by its own name.
TEST(DescribeFigures, NamesEveryPolygonFromThreeToTwenty) {
    const char* names[] = {"триъгълник",          "четириъгълник",        "петоъгълник",          "шестоъгълник",
                           "седмоъгълник",        "осмоъгълник",          "деветоъгълник",        "десетоъгълник",
                           "единадесетоъгълник",  "дванадесетоъгълник",   "тринадесетоъгълник",   "четиринадесетоъгълник",
                           "петнадесетоъгълник",  "шестнадесетоъгълник",  "седемнадесетоъгълник", "осемнадесетоъгълник",
                           "деветнадесетоъгълник", "двадесетоъгълник"};
    for (int n = kFewestVertices; n <= kMostVertices; ++n) {
        const std::string name = names[n - kFewestVertices];
        EXPECT_EQ(PolygonName(n, std::to_string(n)), name);
        const std::string regular = n == 4 ? "квадрат" : "правилен " + name;
        EXPECT_EQ(RegularPolygonName(n, std::to_string(n)), regular);
        EXPECT_EQ(RegularPolygonName(n, std::to_string(n), true), n == 4 ? "квадрата" : "правилния " + name);
        EXPECT_NE(DescribeFigures({{"300", std::to_string(n)}}).find("вписан " + regular + " с вътрешен ъгъл"), std::string::npos) << n;
    }
}

TEST(DescribeFigures, CountsIdenticalFiguresAndNamesTheLastThreeKinds) {
    EXPECT_EQ(DescribeFigures({{"300", "7"}, {"300", "7"}}),
              "2 × окръжност с радиус 300 и вписан правилен седмоъгълник с вътрешен ъгъл ≈ 128,57°");
    EXPECT_EQ(DescribeFigures({{"300", "4"}, {"500", "3"}, {"300", "4"}}),
              "Окръжност с радиус 500 и вписан правилен триъгълник с вътрешен ъгъл 60°; "
              "2 × окръжност с радиус 300 и вписан квадрат с вътрешен ъгъл 90°")
        << "a kind is named where it was last drawn";
    EXPECT_EQ(DescribeFigures({{"300", "4"}, {"300", "5"}}).find("×"), std::string::npos) << "same radius, other count";
    EXPECT_EQ(DescribeFigures({{"500", "3"}, {"450", "4"}, {"400", "5"}, {"350", "6"}, {"450", "4"}}),
              "5 фигури, последните три вида: окръжност с радиус 400 и вписан правилен петоъгълник с вътрешен ъгъл 108°; "
              "окръжност с радиус 350 и вписан правилен шестоъгълник с вътрешен ъгъл 120°; "
              "2 × окръжност с радиус 450 и вписан квадрат с вътрешен ъгъл 90°");
    FigureTally tally;
    for (int i = 0; i < 1000; ++i) tally.Add({"300", "3"});
    tally.Clear();
    tally.Add({"200", "3"});
    EXPECT_EQ(tally.Description(), "Окръжност с радиус 200 и вписан правилен триъгълник с вътрешен ъгъл 60°");
}

// Bulgarian desktops use a decimal comma, and the toolkit passes the user's locale on to the
// C library.
TEST(DescribeFigures, IsTheSameUnderADecimalCommaLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "bg_BG.UTF-8"), nullptr) << "the set-up makes bg_BG.UTF-8 available";
    const std::string text = DescribeFigures({{"500", "3"}, {"200", "7"}});
    std::setlocale(LC_NUMERIC, before.c_str());
    EXPECT_EQ(text,
              "Окръжност с радиус 500 и вписан правилен триъгълник с вътрешен ъгъл 60°; "
              "окръжност с радиус 200 и вписан правилен седмоъгълник с вътрешен ъгъл ≈ 128,57°");
}

}  // namespace
}  // namespace tamirel
