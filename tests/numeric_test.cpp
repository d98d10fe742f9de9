#include "geometry/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "controls/runtime_error.h"

namespace tamirel {
namespace {

int ErrorNumber(auto&& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

TEST(TextToNumber, ReadsTheLeadingNumberAndIgnoresTheRest) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"500", 500},   {"", 0},         {"  42", 42},    {"\t7", 7},       {"-7", -7},
        {"+3", 3},      {"2.5", 2.5},    {".5", 0.5},     {"3.", 3},        {"12abc", 12},
        {"12 3", 12},   {"abc", 0},      {"-", 0},        {".", 0},         {"1e3", 1000},
        {"1E-2", 0.01}, {"1e", 1},       {"2e+", 2},      {"00012", 12},    {"1.5.5", 1.5},
        {"1e-999", 0},  {"0e999", 0},    {"-0.25x", -0.25},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(TextToNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextToNumber, ValueBeyondDoubleIsOverflow) {
    EXPECT_EQ(ErrorNumber([] { TextToNumber("1e999"); }), RuntimeError::kOverflow);
    EXPECT_EQ(ErrorNumber([] { TextToNumber("-1e400"); }), RuntimeError::kOverflow);
    EXPECT_EQ(ErrorNumber([] { TextToNumber(std::string(400, '9')); }), RuntimeError::kOverflow);
    EXPECT_EQ(ErrorNumber([] { TextToNumber("0." + std::string(400, '0') + "1e300"); }), 0);
}

TEST(ToInt32, RoundsHalvesToEven) {
    EXPECT_EQ(ToInt32(2.5), 2);
    EXPECT_EQ(ToInt32(3.5), 4);
    EXPECT_EQ(ToInt32(-2.5), -2);
    EXPECT_EQ(ToInt32(-3.5), -4);
    EXPECT_EQ(ToInt32(0.4999999), 0);
    EXPECT_EQ(ToInt32(2.5000001), 3);
    EXPECT_EQ(ToInt32(20.0), 20);
    EXPECT_EQ(ToInt32(2147483647.4), 2147483647);
    EXPECT_EQ(ToInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
}

TEST(ToInt32, OutsideTheRangeIsOverflow) {
    for (double v : {2147483647.5, 2147483648.0, -2147483649.0, 3e9, std::nan(""),
                     std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(ErrorNumber([v] { ToInt32(v); }), RuntimeError::kOverflow) << v;
    }
}

TEST(ToSingle, RoundsToNearestUpToTheLargestSingle) {
    constexpr float kMax = std::numeric_limits<float>::max();
    EXPECT_EQ(ToSingle(0.1), 0.1f);
    EXPECT_EQ(ToSingle(-500.0), -500.0f);
    EXPECT_EQ(ToSingle(kMax), kMax);
    EXPECT_EQ(ToSingle(0x1.fffffefp127), kMax);   // just under halfway to the next power of two
    EXPECT_EQ(ToSingle(-0x1.fffffefp127), -kMax);
}

TEST(ToSingle, BeyondTheRangeIsOverflowAndNanIsInvalid) {
    for (double v : {0x1.ffffffp127, -0x1.ffffffp127, 1e39, std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(ErrorNumber([v] { ToSingle(v); }), RuntimeError::kOverflow) << v;
    }
    EXPECT_EQ(ErrorNumber([] { ToSingle(std::nan("")); }), RuntimeError::kInvalidOperation);
}

TEST(CheckFloatingPoint, FaultsAreErrors) {
    EXPECT_EQ(CheckFloatingPoint(1.5), 1.5);
    EXPECT_EQ(ErrorNumber([] { CheckFloatingPoint(std::nan("")); }), RuntimeError::kInvalidOperation);
    EXPECT_EQ(ErrorNumber([] { CheckFloatingPoint(-std::numeric_limits<double>::infinity()); }),
              RuntimeError::kOverflow);
}

// The vertices are exact only if every product is rounded before a sum uses it. A build that
// fuses multiply and add (FMA by default on some processors and compilers) gives 2^-54 here.
TEST(Arithmetic, ProductsAreRoundedBeforeTheyAreAdded) {
    volatile double a = 1.0 + 0x1p-27, c = -(1.0 + 0x1p-26);
    const double product_then_sum = a * a + c;
    EXPECT_EQ(product_then_sum, 0.0);
}

}  // namespace
}  // namespace tamirel
