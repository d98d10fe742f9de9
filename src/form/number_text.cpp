#include "form/number_text.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace tamirel {

std::string FixedPoint(double value, int decimals) {
    // printf's decimal separator follows the locale and may be more than one byte, so only
    // its ASCII digits are taken: the sign and whole part first, the decimals last.
    char text[400];   // room for any double with up to kMaxDecimals decimals
    const int length = std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, kMaxDecimals), value);
    const std::string_view printed(text, static_cast<std::size_t>(length));
    std::size_t wholeEnd = printed.front() == '-' ? 1 : 0;
    while (wholeEnd < printed.size() && printed[wholeEnd] >= '0' && printed[wholeEnd] <= '9') ++wholeEnd;
    std::string s(printed.substr(0, wholeEnd));
    if (decimals > 0) {
        s += '.';
        s += printed.substr(printed.size() - static_cast<std::size_t>(decimals));
    }
    return s;
}

}  // namespace tamirel
