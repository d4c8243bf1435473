#include "core/numbers.h"

#include "core/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace qlx {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

namespace {

// The power of ten of the first significant digit of "[ddd][.ddd][e[-]ddd]": 2 for 123, -3 for
// 0.00123, 400 for 1e400; saturated far beyond any double's range.
long DecimalExponent(const std::string& number) {
    const std::size_t e = number.find('e');
    const std::string mantissa = number.substr(0, e);
    long exponent = 0;
    if (e != std::string::npos) {
        bool minus = false;
        for (std::size_t k = e + 1; k < number.size(); ++k) {
            if (number[k] == '-') {
                minus = true;
                continue;
            }
            exponent = std::min(exponent * 10 + (number[k] - '0'), 1'000'000'000L);
        }
        if (minus) exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) return -1'000'000'000L;  // zero: as small as can be
    const long place = first < point ? static_cast<long>(point - first) - 1 : -static_cast<long>(first - point);
    return place + exponent;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    // Collect the number's characters into a plain "[-]ddd.ddde[-]dd" form to read whole.
    std::string number;
    number.reserve(text.size());
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skip_blanks = [&] {
        while (i < n && IsBlank(text[i])) ++i;
    };

    skip_blanks();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (skip_blanks(); i < n; ++i, skip_blanks()) {
        const char c = text[i];
        if (IsDigit(c)) {
            number += c;
            digits = true;
        } else if (c == '.' && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0.0;

    if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        auto skip = [&] {
            while (j < n && IsBlank(text[j])) ++j;
        };
        skip();
        std::string exponent = "e";
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            if (text[j] == '-') exponent += '-';
            ++j;
        }
        bool exp_digits = false;
        for (skip(); j < n && IsDigit(text[j]); ++j, skip()) {
            exponent += text[j];
            exp_digits = true;
        }
        if (exp_digits) number += exponent;
    }

    double value = 0.0;
    const NumberRead read = ReadWholeNumber(number, value);
    if (read.out_of_range) {
        // The reading leaves the value untouched here; tell overflow from underflow by where the
        // number's first significant digit stands: "0." and 330 zeros and "1" is tiny although
        // its exponent has no minus, and 1 with 400 zeros and "e-10" is huge although it has one.
        value = DecimalExponent(number) >= 0 ? std::numeric_limits<double>::max() : 0.0;
    } else if (!read.ok) {
        value = 0.0;
    }
    return negative ? -value : value;
}

double ParseNumber(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return LeadingNumber(text);
    if (text == ",") return kUnfinishedEntry;
    if (text == "-,") return -kUnfinishedEntry;
    std::string rebuilt;
    rebuilt.reserve(text.size());
    rebuilt.append(text.substr(0, comma));
    rebuilt += '.';
    rebuilt.append(text.substr(comma + 1));
    return LeadingNumber(rebuilt);
}

double ComplexAngle(double r, double x) {
    if (r == 0.0) {
        if (x == 0.0) return 0.0;
        return x * kQuarterTurn / std::fabs(x);
    }
    const double a = std::atan(x / r);
    if (a < 0.0 && r < 0.0) return a + kHalfTurn;
    if (a >= 0.0 && r + x < 0.0) return a - kHalfTurn;
    return a;
}

ParallelForm SeriesToParallel(double r, double x) {
    const double s = r * r + x * x;
    ParallelForm p{};
    if (s == 0.0)
        p.rp = 0.0;
    else if (r == 0.0)
        p.rp = kInfiniteReactance;
    else
        p.rp = std::fabs(s / r);
    p.xp = x == 0.0 ? kInfiniteReactance : s / x;
    return p;
}

SeriesForm ParallelToSeries(double rp, double xp) {
    const double s = rp * rp + xp * xp;
    if (s == 0.0) return {0.0, 0.0};
    return {rp * xp * xp / s, xp * rp * rp / s};
}

bool IsNumberText(std::string_view t) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!t.empty() && blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && blank(t.back())) t.remove_suffix(1);
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        return i - start;
    };
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t n = digits();
    if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
        ++i;
        n += digits();
    }
    if (n == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == t.size();
}

}  // namespace qlx
