#include "form/number_text.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "geometry/decimal.h"

namespace tamirel {

std::string FixedPoint(double value, int decimals) {
    // The sign and whole part first, the decimals last.
    const std::string text = PrintfFixed(value, std::clamp(decimals, 0, kMaxDecimals));
    const std::string_view printed(text);
    std::size_t wholeEnd = printed.front() == '-' ? 1 : 0;
    while (wholeEnd < printed.size() && printed[wholeEnd] >= '0' && printed[wholeEnd] <= '9') ++wholeEnd;
    std::string s(printed.substr(0, wholeEnd));
    if (decimals > 0) {
        s += '.';
        s += printed.substr(printed.size() - static_cast<std::size_t>(decimals));
    }
    return s;
}


std::string SubscriptNumber(int number) {
    static const char* const kDigits[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
    std::string text;
    for (const char c : std::to_string(number)) {
        if (c >= '0' && c <= '9') text += kDigits[c - '0'];
    }
    return text;
}

}  // namespace tamirel
