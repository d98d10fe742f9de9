#include "form/figure_description.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace tamirel {
namespace {

TEST(DescribeFigures, NamesEachVisibleFigureInBulgarian) {
    EXPECT_EQ(DescribeFigures({}), "Празен чертеж");
    EXPECT_EQ(DescribeFigures({{"300", "4"}}),
              "Окръжност с радиус 300 и вписан правилен 4-ъгълник с вътрешен ъгъл 90°");
    EXPECT_EQ(DescribeFigures({{"500", "3"}, {"200", "7"}}),
              "Окръжност с радиус 500 и вписан правилен 3-ъгълник с вътрешен ъгъл 60°; "
              "окръжност с радиус 200 и вписан правилен 7-ъгълник с вътрешен ъгъл 128,57°");
    EXPECT_EQ(DescribeFigures({{"150", "20"}}),
              "Окръжност с радиус 150 и вписан правилен 20-ъгълник с вътрешен ъгъл 162°");
    EXPECT_EQ(DescribeFigures({{"", ""}}), "Окръжност с радиус 0") << "no vertex count: the circle alone";
    EXPECT_EQ(DescribeFigures({{"500", "3"}, {"450", "4"}, {"400", "5"}, {"350", "6"}}),
              "4 фигури, последните три: окръжност с радиус 450 и вписан правилен 4-ъгълник с вътрешен ъгъл 90°; "
              "окръжност с радиус 400 и вписан правилен 5-ъгълник с вътрешен ъгъл 108°; "
              "окръжност с радиус 350 и вписан правилен 6-ъгълник с вътрешен ъгъл 120°");
    EXPECT_TRUE(DescribeFigures({{"1e300", "3"}}).starts_with("Окръжност с радиус 1000000000")) << "huge, yet whole";
}

// Bulgarian desktops use a decimal comma, and the toolkit passes the user's locale on to the
// C library.
TEST(DescribeFigures, IsTheSameUnderADecimalCommaLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "bg_BG.UTF-8"), nullptr) << "the set-up makes bg_BG.UTF-8 available";
    const std::string text = DescribeFigures({{"500", "3"}, {"200", "7"}});
    std::setlocale(LC_NUMERIC, before.c_str());
    EXPECT_EQ(text,
              "Окръжност с радиус 500 и вписан правилен 3-ъгълник с вътрешен ъгъл 60°; "
              "окръжност с радиус 200 и вписан правилен 7-ъгълник с вътрешен ъгъл 128,57°");
}

}  // namespace
}  // namespace tamirel
