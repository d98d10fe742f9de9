#include "geometry/numeric.h"

#include <cmath>
#include <limits>

#include "controls/runtime_error.h"
#include "geometry/decimal.h"

namespace tamirel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

double TextToNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // The number without its sign.
    const std::size_t begin = i;
    std::size_t intDigits = 0;       // significant digits before the point
    std::size_t leadingZeros = 0;    // zeros right after the point, before any other digit
    bool anyDigit = false;
    bool significant = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        anyDigit = true;
        if (text[i] != '0') significant = true;
        if (significant) ++intDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            anyDigit = true;
            if (text[i] != '0') significant = true;
            if (!significant) ++leadingZeros;
        }
    }
    if (!anyDigit) return 0.0;

    long exponent = 0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j) {
                if (exponent < 1'000'000) exponent = exponent * 10 + (text[j] - '0');
            }
            if (expNegative) exponent = -exponent;
            end = j;
        }
    }
    if (!significant) return 0.0;

    double value = 0.0;
    if (!ReadDecimal(text.substr(begin, end - begin), value)) {
        // The value is 0.d1d2... x 10^magnitude; only a positive magnitude can overflow.
        const long magnitude = intDigits > 0 ? static_cast<long>(intDigits) + exponent
                                             : exponent - static_cast<long>(leadingZeros);
        if (magnitude > 0) throw RuntimeError::Overflow();
        return 0.0;
    }
    return negative ? -value : value;
}

std::int32_t ToInt32(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw RuntimeError::Overflow();
    return static_cast<std::int32_t>(rounded);
}

float ToSingle(double value) {
    if (std::isnan(value)) throw RuntimeError::InvalidOperation();
    // Halfway between the largest single and the next power of two: from there on, rounding
    // to nearest (ties to even) gives infinity.
    constexpr double kOverflowAt = 0x1.ffffffp127;
    const double magnitude = std::fabs(value);
    if (magnitude >= kOverflowAt) throw RuntimeError::Overflow();
    constexpr float kMax = std::numeric_limits<float>::max();
    if (magnitude > kMax) return value < 0 ? -kMax : kMax;
    return static_cast<float>(value);
}

double CheckFloatingPoint(double value) {
    if (std::isnan(value)) throw RuntimeError::InvalidOperation();
    if (std::isinf(value)) throw RuntimeError::Overflow();
    return value;
}

}  // namespace tamirel
