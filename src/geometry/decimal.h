// Exact conversions between doubles and decimal text, the same on every platform and in every
// locale. They give what the C library's printf("%.*f") and a correctly rounding strtod give,
// without either, whose code is most of the browser edition's size.
#pragma once

#include <string>
#include <string_view>

namespace tamirel {

// `value` as printf prints it with "%.*f" in the "C" locale, `decimals` 0 to 20: a '-' when
// the sign bit is set (-0 too), the whole part, and for `decimals` above 0 a '.' and that
// many digits, rounded from the exact binary value to nearest, ties to even; "inf" or "nan"
// after the sign for those.
std::string PrintfFixed(double value, int decimals);

// The unsigned decimal number that is all of `text`: digits with at most one '.' among them,
// at least one digit, then optionally 'e' or 'E', an optional sign and digits. Its value
// rounded to the nearest double, ties to even, is put in `value`; false, `value` untouched,
// when that is beyond the largest double or a number above zero rounds to 0.
bool ReadDecimal(std::string_view text, double& value);

}  // namespace tamirel
