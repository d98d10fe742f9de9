// Number conversions with the program's rounding and overflow rules.
#pragma once

#include <cstdint>
#include <string_view>

namespace tamirel {

// The numeric value at the start of a text: leading blanks, an optional sign, digits with an
// optional decimal fraction (a '.') and an optional exponent (e or E); it stops at the first
// character that cannot continue the number and gives 0 when there is none. Independent of
// the locale. A value beyond the double range is an overflow error; one too small for it is 0.
double TextToNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// An overflow error when the result lies outside the 32-bit signed range, or for NaN.
std::int32_t ToInt32(double value);

// Narrows to single precision, rounding to nearest. An overflow error when the value rounds
// beyond the largest single (or is infinite); an invalid-operation error for NaN.
float ToSingle(double value);

// The check after a floating-point step: an invalid-operation error for NaN, an overflow
// error for an infinite result; otherwise the value itself.
double CheckFloatingPoint(double value);

}  // namespace tamirel
