#include "geometry/decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tamirel {
namespace {

// The C library's exact conversions are the reference.
std::string Printf(double value, int decimals) {
    std::vector<char> text(400);
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    return text.data();
}

void ExpectReadsAsFromChars(const std::string& text) {
    double expected = 0, read = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(end, text.data() + text.size()) << text;
    const bool inRange = ReadDecimal(text, read);
    EXPECT_EQ(inRange, ec == std::errc()) << text;
    if (inRange && ec == std::errc()) {
        EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << text;
    }
}

double Random(std::mt19937_64& random) {   // any finite double, every exponent alike
    double value;
    do {
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
    } while (!std::isfinite(value));
    return value;
}

TEST(PrintfFixed, PrintsAsPrintfDoes) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double edges[] = {0.0, -0.0, 0.125, 0.375, 2.5, -2.5, 0.5, 1.5, 0.005, 0.015, 1.0 / 3, 0.1, 1e22, 1e23,
                            123456789.987654321, 0x1p63, -1e-7, std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
                            kInf, -kInf, std::nan(""), -std::nan("")};
    for (const double v : edges)
        for (int d = 0; d <= 20; ++d) EXPECT_EQ(PrintfFixed(v, d), Printf(v, d)) << v << " " << d;
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const int d = static_cast<int>(random() % 21);
        // Any double, and coordinates with a short binary fraction, where halves are common.
        const double any = Random(random), coordinate = std::ldexp(static_cast<double>(random() % 4000000), -12);
        EXPECT_EQ(PrintfFixed(any, d), Printf(any, d)) << any << " " << d;
        EXPECT_EQ(PrintfFixed(coordinate, d), Printf(coordinate, d)) << coordinate << " " << d;
    }
}

TEST(ReadDecimal, RoundsAsFromCharsDoes) {
    const std::string hard[] = {
        "0", "000.000e5", "1", "0.1", "300", "9007199254740993", "9007199254740993.0000000000000000000001",
        "2.2250738585072011e-308", "2.2250738585072012e-308", "4.9406564584124654e-324", "2.4703282292062327e-324",
        "2.4703282292062328e-324", "1e-400", "1.7976931348623157e308", "1.7976931348623158e308",
        "1.7976931348623159e308", "1e309", "123456789012345678901234567890", "7.038531e-26", "1e23", "8.5e-323",
        "9007199254740993" + std::string(900, '0'), "9007199254740993" + std::string(900, '0') + "1",
        "0." + std::string(400, '0') + "1e500", std::string(400, '9') + "e-400"};
    for (const std::string& text : hard) ExpectReadsAsFromChars(text);
    std::mt19937_64 random(11);
    std::vector<char> text(1600);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::fabs(Random(random));
        // Rounded to a few digits, and printed to the shortest round trip.
        std::snprintf(text.data(), text.size(), "%.*e", static_cast<int>(random() % 25), value);
        ExpectReadsAsFromChars(text.data());
        std::snprintf(text.data(), text.size(), "%.17g", value);
        ExpectReadsAsFromChars(text.data());
        // The exact halfway point to the next double (exact in the wider long double), a hair
        // below it, and a hair above.
        if constexpr (std::numeric_limits<long double>::digits >= 64) {
            if (i % 8 != 0) continue;
            const double next = std::nextafter(value, std::numeric_limits<double>::infinity());
            if (!std::isfinite(next)) continue;
            const long double halfway = (static_cast<long double>(value) + next) / 2;
            std::snprintf(text.data(), text.size(), "%.1100Lf", halfway);
            ExpectReadsAsFromChars(text.data());
            ExpectReadsAsFromChars(text.data() + std::string("1"));
            std::snprintf(text.data(), text.size(), "%.1100Lf", std::nextafter(halfway, 0.0L));
            ExpectReadsAsFromChars(text.data());
        }
    }
}

// Below a power of two the doubles lie twice as close as above it, so the halfway point to the
// double below is a quarter of the upper spacing away, not a half. Texts on both sides of it
// (and the tie, which goes to the power's even mantissa), from 2^-1021 up to 2^1023; at 2^-1022
// the subnormals below keep the spacing.
TEST(ReadDecimal, RoundsAtTheGapBelowAPowerOfTwo) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"0.99999999999999994", 0x1.fffffffffffffp-1},
        {"0.99999999999999995", 1},
        {"0.999999999999999944488848768742172978818416595458984375", 1},
        {"0.999999999999999944488848768742172978818416595458984374", 0x1.fffffffffffffp-1},
        {"0.49999999999999997", 0x1.fffffffffffffp-2},
        {"1023.99999999999994", 0x1.fffffffffffffp+9},
        {"9007199254740991.4", 0x1.fffffffffffffp+52},
        {"9007199254740991.5", 0x1p53},
        {"1.8446744073709550e19", 0x1.fffffffffffffp+63},
        {"8.98846567431157903e307", 0x1.fffffffffffffp+1022},
        {"4.45014771701440251e-308", 0x1.fffffffffffffp-1022},
        {"2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
        {"2.2250738585072012e-308", 0x1p-1022},
    };
    for (const auto& c : cases) {
        double read = 0;
        EXPECT_TRUE(ReadDecimal(c.text, read)) << c.text;
        EXPECT_EQ(read, c.expected) << c.text;
    }
}

}  // namespace
}  // namespace tamirel
