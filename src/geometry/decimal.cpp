#include "geometry/decimal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace tamirel {

namespace {

constexpr std::uint32_t kBase = 1'000'000'000;

// A whole number >= 0 in base 10^9, lowest limb first, without high zero limbs (zero has
// none). Enough for every double: 1075 binary places at most on either side of the point.
class Whole {
public:
    explicit Whole(std::uint64_t n = 0) {
        for (; n > 0; n /= kBase) limbs_.push_back(static_cast<std::uint32_t>(n % kBase));
    }

    // this * factor + add, both below 2^32.
    void MultiplyAdd(std::uint32_t factor, std::uint32_t add) {
        std::uint64_t carry = add;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t x = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(x % kBase);
            carry = x / kBase;
        }
        for (; carry > 0; carry /= kBase) limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
    }

    void TimesTenTo(long long n) {
        for (; n > 0; n -= 9) {
            std::uint32_t factor = 1;
            for (long long i = std::min(n, 9LL); i > 0; --i) factor *= 10;
            MultiplyAdd(factor, 0);
        }
    }

    void TimesTwoTo(long long n) {
        for (; n > 0; n -= 31) MultiplyAdd(std::uint32_t{1} << std::min(n, 31LL), 0);
    }

    // this / 2^n rounded to nearest, ties to even; n >= 1.
    void HalveRounded(long long n) {
        bool below = false;   // a remainder bit below the half's
        for (; n > 1; n -= 31) below |= Divide(std::uint32_t{1} << std::min(n - 1, 31LL)) != 0;
        const bool half = Divide(2) != 0;
        if (half && (below || (!limbs_.empty() && limbs_[0] % 2 != 0))) MultiplyAdd(1, 1);
    }

    std::string Digits() const {
        if (limbs_.empty()) return "0";
        std::string digits = std::to_string(limbs_.back());
        for (std::size_t i = limbs_.size() - 1; i-- > 0;) {
            const std::string limb = std::to_string(limbs_[i]);
            digits.append(9 - limb.size(), '0');
            digits += limb;
        }
        return digits;
    }

    friend int Compare(const Whole& a, const Whole& b) {
        if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (std::size_t i = a.limbs_.size(); i-- > 0;) {
            if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        }
        return 0;
    }

private:
    // this / divisor rounded down; the remainder.
    std::uint32_t Divide(std::uint32_t divisor) {
        std::uint64_t rest = 0;
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            const std::uint64_t x = rest * kBase + limbs_[i];
            limbs_[i] = static_cast<std::uint32_t>(x / divisor);
            rest = x % divisor;
        }
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
        return static_cast<std::uint32_t>(rest);
    }

    std::vector<std::uint32_t> limbs_;
};

std::uint64_t BitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A finite double >= 0 as mantissa * 2^exponent, the mantissa below 2^53.
struct Binary {
    std::uint64_t mantissa;
    int exponent;
};

Binary Split(double value) {
    const std::uint64_t bits = BitsOf(value);
    const int biased = static_cast<int>(bits >> 52 & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) return {fraction, -1074};
    return {fraction | std::uint64_t{1} << 52, biased - 1075};
}

// The sign of digits * 10^exp10 - m * 2^exp2.
int Compare(const Whole& digits, long long exp10, std::uint64_t m, long long exp2) {
    Whole left = digits, right(m);
    if (exp10 > 0) left.TimesTenTo(exp10);
    else right.TimesTenTo(-exp10);
    if (exp2 > 0) right.TimesTwoTo(exp2);
    else left.TimesTwoTo(-exp2);
    return Compare(left, right);
}

// The whole number that `digits` (at most 19 of them) write.
std::uint64_t WholeOf(std::string_view digits) {
    std::uint64_t n = 0;
    for (const char c : digits) n = n * 10 + static_cast<std::uint64_t>(c - '0');
    return n;
}

double PowerOfTen(long long n) {   // exact for n <= 22
    double p = 1;
    for (; n > 0; --n) p *= 10;
    return p;
}

}  // namespace

std::string PrintfFixed(double value, int decimals) {
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value)) return sign + "nan";
    if (std::isinf(value)) return sign + "inf";
    // |value| * 10^decimals = mantissa * 10^decimals * 2^exponent, to a whole number.
    const Binary b = Split(std::fabs(value));
    Whole scaled(b.mantissa);
    scaled.TimesTenTo(decimals);
    if (b.exponent >= 0) scaled.TimesTwoTo(b.exponent);
    else scaled.HalveRounded(-b.exponent);
    std::string digits = scaled.Digits();
    const auto places = static_cast<std::size_t>(decimals);
    if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
    if (places > 0) digits.insert(digits.size() - places, 1, '.');
    return sign + digits;
}

bool ReadDecimal(std::string_view text, double& value) {
    // The significant digits, the first kKept of them: enough to tell any number from the
    // halfway points between doubles, which have at most 767. A '1' after them stands for any
    // other non-zero digits.
    constexpr std::size_t kKept = 800;
    std::string digits;
    long long exp10 = 0;   // the value is digits * 10^exp10
    bool point = false, dropped = false;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        const char c = text[i];
        if (c == '.') {
            point = true;
        } else if (digits.empty() && c == '0') {
            if (point) --exp10;
        } else if (digits.size() < kKept) {
            digits += c;
            if (point) --exp10;
        } else {
            dropped |= c != '0';
            if (!point) ++exp10;
        }
    }
    if (dropped) {
        digits += '1';
        --exp10;
    }
    if (i < text.size()) {
        const bool negative = i + 1 < text.size() && text[i + 1] == '-';
        long long exponent = 0;
        for (++i; i < text.size(); ++i) {
            if (text[i] >= '0' && text[i] <= '9' && exponent < 100'000'000'000'000'000) {
                exponent = exponent * 10 + (text[i] - '0');
            }
        }
        exp10 += negative ? -exponent : exponent;
    }
    if (digits.empty()) {
        value = 0;
        return true;
    }
    // The value lies in [10^(lead - 1), 10^lead): beyond the largest double (about 1.8e308)
    // from lead 310 on, below half the smallest (about 4.9e-324) up to lead -324.
    const long long lead = static_cast<long long>(digits.size()) + exp10;
    if (lead >= 310 || lead <= -324) return false;
    if (digits.size() <= 15 && exp10 >= -22 && exp10 <= 22) {
        // The digits and the power of ten are both exact doubles, so one rounding gives the
        // nearest double.
        const double whole = static_cast<double>(WholeOf(digits));
        value = exp10 >= 0 ? whole * PowerOfTen(exp10) : whole / PowerOfTen(-exp10);
        return true;
    }

    // An estimate from the first 19 digits, a few units in the last place off at most; then
    // a step at a time to the double whose rounding interval holds the exact value.
    const std::size_t first = std::min<std::size_t>(digits.size(), 19);
    double x = static_cast<double>(WholeOf(std::string_view(digits).substr(0, first)));
    for (long long scale = exp10 + static_cast<long long>(digits.size() - first); scale != 0;) {
        const long long step = std::clamp(scale, -22LL, 22LL);
        x = step > 0 ? x * PowerOfTen(step) : x / PowerOfTen(-step);
        scale -= step;
    }
    constexpr double kMax = std::numeric_limits<double>::max();
    x = std::min(x, kMax);
    Whole exact;
    for (std::size_t at = 0; at < digits.size(); at += 9) {
        const std::string_view part = std::string_view(digits).substr(at, 9);
        exact.TimesTenTo(static_cast<long long>(part.size()));
        exact.MultiplyAdd(1, static_cast<std::uint32_t>(WholeOf(part)));
    }
    for (;;) {
        const auto [m, e] = Split(x);
        const bool odd = m % 2 != 0;
        const int above = Compare(exact, exp10, 2 * m + 1, e - 1LL);
        if (above > 0 || (above == 0 && odd)) {
            if (x == kMax) return false;
            x = FromBits(BitsOf(x) + 1);
            continue;
        }
        if (m == 0) break;
        // Below a power of two the doubles lie twice as close.
        const bool closer = m == std::uint64_t{1} << 52 && e > -1074;
        const int below = closer ? Compare(exact, exp10, 4 * m - 1, e - 2LL) : Compare(exact, exp10, 2 * m - 1, e - 1LL);
        if (below < 0 || (below == 0 && odd)) {
            x = FromBits(BitsOf(x) - 1);
            continue;
        }
        break;
    }
    if (x == 0) return false;
    value = x;
    return true;
}

}  // namespace tamirel
