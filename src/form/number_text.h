// Numbers as text, the same in every locale.
#pragma once

#include <string>

namespace tamirel {

inline constexpr int kMaxDecimals = 20;

// `value` in fixed notation with exactly `decimals` (0 to kMaxDecimals) digits after a '.',
// rounded as printf's "%.*f" rounds, whatever the C library's locale says; "-0.00" stays as
// printed.
std::string FixedPoint(double value, int decimals);

// A whole number >= 0 in subscript digits (UTF-8), as points are numbered: 12 gives "₁₂".
std::string SubscriptNumber(int number);

}  // namespace tamirel
