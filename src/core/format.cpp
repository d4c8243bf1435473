#include "core/format.h"

#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qlx {

namespace {

bool IsPlaceholder(char c) { return c == '#' || c == '0'; }

constexpr int kMaxDecimals = 30;

struct Picture {
    std::string_view prefix;
    std::string_view suffix;
    int decimals = 0;       // digit places after the point
    int min_int = 0;        // required integer digits
    int min_frac = 0;       // required decimals
    bool point = false;     // the picture shows a decimal point
    bool grouping = false;  // "#,##0" thousands grouping
    bool has_zero = false;  // any "0" placeholder
};

Picture ParsePicture(std::string_view pic) {
    Picture p;
    const std::size_t n = pic.size();
    std::size_t start = 0;
    while (start < n) {
        const char c = pic[start];
        if (IsPlaceholder(c)) break;
        if (c == '.' && start + 1 < n && IsPlaceholder(pic[start + 1])) break;
        ++start;
    }
    p.prefix = pic.substr(0, start);
    std::size_t i = start;
    int int_places = 0;
    int first_zero = -1;
    for (; i < n; ++i) {
        const char c = pic[i];
        if (IsPlaceholder(c)) {
            if (c == '0' && first_zero < 0) first_zero = int_places;
            ++int_places;
        } else if (c == ',' && int_places > 0 && i + 1 < n && IsPlaceholder(pic[i + 1])) {
            p.grouping = true;
        } else {
            break;
        }
    }
    if (first_zero >= 0) p.min_int = int_places - first_zero;
    if (i < n && pic[i] == '.') {
        p.point = true;
        ++i;
        for (; i < n && IsPlaceholder(pic[i]); ++i) {
            if (p.decimals == kMaxDecimals) continue;  // beyond double precision anyway
            ++p.decimals;
            if (pic[i] == '0') p.min_frac = p.decimals;
        }
    }
    p.suffix = pic.substr(i);
    p.has_zero = p.min_int > 0 || p.min_frac > 0;
    return p;
}

// Digits of |value| rounded to `decimals` places, halves away from zero, as a person rounds the
// number they read: the value's decimal text of 15 significant digits is rounded, not the exact
// binary value behind it. 0.3575 is stored as 0.357499999999999984...; read as 0.3575 it rounds
// to 0.358, which is what anyone checking the shown figures by hand gets.
}  // namespace

namespace detail {

void RoundedDigitsByText(double value, int decimals, std::string& int_digits, std::string& frac_digits) {
    const double mag = std::fabs(value);
    // "d.dddddddddddddde+XX": 15 significant digits, correctly rounded.
    std::array<char, 40> buf{};
    const std::string sci = ScientificText(mag, 14);
    std::memcpy(buf.data(), sci.c_str(), std::min(sci.size() + 1, buf.size()));
    std::string digits;
    digits += buf[0];
    digits.append(buf.data() + 2, 14);
    const int exponent = std::atoi(std::strchr(buf.data(), 'e') + 1);
    // digits = 0.D x 10^(exponent + 1): `point` integer digits.
    const int point = exponent + 1;
    std::string ip, fp;
    if (point <= 0) {
        ip = "0";
        fp = std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (point >= static_cast<int>(digits.size())) {
        ip = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        ip = digits.substr(0, static_cast<std::size_t>(point));
        fp = digits.substr(static_cast<std::size_t>(point));
    }
    if (static_cast<int>(fp.size()) <= decimals) fp.append(static_cast<std::size_t>(decimals) + 1 - fp.size(), '0');
    const bool up = fp[static_cast<std::size_t>(decimals)] >= '5';
    fp.resize(static_cast<std::size_t>(decimals));
    std::string all = ip + fp;
    if (up) {
        int k = static_cast<int>(all.size()) - 1;
        while (k >= 0 && all[static_cast<std::size_t>(k)] == '9') {
            all[static_cast<std::size_t>(k)] = '0';
            --k;
        }
        if (k < 0)
            all.insert(all.begin(), '1');
        else
            ++all[static_cast<std::size_t>(k)];
    }
    const std::size_t int_len = all.size() - static_cast<std::size_t>(decimals);
    int_digits = all.substr(0, int_len);
    frac_digits = all.substr(int_len);
}

}  // namespace detail

namespace {

// The same digits, mostly without the decimal text: a value whose scaled fraction lies clearly
// away from a half rounds the same way whether read as its 15-digit text or as the double (near a
// whole number both round to that whole number, from either side). Below 1E+12 in units of the last decimal the product's error (2^-53 relative) and
// the text's (half a unit of the 15th digit, 5E-15 relative) stay under 0.0052 units, so a margin
// of 0.01 decides; everything else takes the text. (Writing the text costs most of a line
// solution where the C library writes it.)
void RoundedDigits(double value, int decimals, std::string& int_digits, std::string& frac_digits) {
    static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const double mag = std::fabs(value);
    if (decimals <= 9) {
        const double x = mag * kPow10[decimals];
        if (x < 1e12) {
            const double whole = std::floor(x);
            const double t = x - whole;
            if (std::fabs(t - 0.5) > 0.01) {
                std::string all = std::to_string(static_cast<unsigned long long>(whole) + (t > 0.5 ? 1u : 0u));
                if (static_cast<int>(all.size()) <= decimals)
                    all.insert(0, static_cast<std::size_t>(decimals) + 1 - all.size(), '0');
                const std::size_t int_len = all.size() - static_cast<std::size_t>(decimals);
                int_digits = all.substr(0, int_len);
                frac_digits = all.substr(int_len);
                return;
            }
        }
    }
    detail::RoundedDigitsByText(value, decimals, int_digits, frac_digits);
}

}  // namespace

std::string Format(double value, std::string_view picture, char mark) {
    const Picture p = ParsePicture(picture);
    if (!std::isfinite(value)) value = 0.0;  // never shown: callers keep results finite

    std::string ip, fp;
    RoundedDigits(value, p.decimals, ip, fp);
    const bool zero = ip.find_first_not_of('0') == std::string::npos &&
                      fp.find_first_not_of('0') == std::string::npos;

    std::string out;
    out.reserve(picture.size() + 24);
    if (value < 0.0 && !zero) out += '-';
    out.append(p.prefix);
    if (!(zero && !p.has_zero)) {
        // Integer part: no leading zeros beyond what the picture requires.
        const std::size_t nz = ip.find_first_not_of('0');
        ip = nz == std::string::npos ? std::string() : ip.substr(nz);
        if (static_cast<int>(ip.size()) < p.min_int)
            ip.insert(0, static_cast<std::size_t>(p.min_int) - ip.size(), '0');
        if (p.grouping && ip.size() > 3) {
            const char group = mark == ',' ? '.' : ',';
            std::string g;
            const std::size_t lead = ip.size() % 3;
            for (std::size_t k = 0; k < ip.size(); ++k) {
                if (k > 0 && k >= lead && (k - lead) % 3 == 0) g += group;
                g += ip[k];
            }
            ip = g;
        }
        out += ip;
        if (p.point) {
            while (static_cast<int>(fp.size()) > p.min_frac && fp.back() == '0') fp.pop_back();
            out += mark;
            out += fp;
        }
    }
    out.append(p.suffix);
    return out;
}

namespace {

// General form with `digits` significant digits, trailing zeros of the mantissa dropped and the
// exponent written "E-05", the way the entry rule reads it back.
std::string GeneralText(double value, int digits) {
    std::string s = GeneralDigits(value, digits);
    const std::size_t e = s.find('e');
    std::string mantissa = s.substr(0, e);
    std::string exponent = e == std::string::npos ? std::string() : s.substr(e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0') mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    if (!exponent.empty()) exponent[0] = 'E';
    if (mantissa == "-0") mantissa = "0";
    return mantissa + exponent;
}

}  // namespace

std::string ShortestText(float value, char mark) {
    std::string s = GeneralText(static_cast<double>(value), 7);
    const std::size_t dot = s.find('.');
    if (dot != std::string::npos) s[dot] = mark;
    return s;
}

std::string ShortestText(double value, char mark) {
    if (!std::isfinite(value)) value = 0.0;
    std::string s = GeneralText(value, 15);
    const std::size_t dot = s.find('.');
    if (dot != std::string::npos) s[dot] = mark;
    return s;
}

std::string NumberText(double value) {
    if (!std::isfinite(value)) value = 0.0;
    std::string s = GeneralText(std::fabs(value), 15);
    if (s.size() > 1 && s[0] == '0' && s[1] == '.') s.erase(0, 1);
    const bool negative = value < 0.0 && s != "0";
    return (negative ? "-" : " ") + s;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string RectangularText(std::string_view r, bool minus, std::string_view x_magnitude) {
    std::string text(r);
    text += minus ? " - j " : " + j ";
    text += x_magnitude;
    return text;
}

std::string ImpedanceText(std::complex<double> z, std::string_view picture, char mark) {
    const std::string x = Format(std::abs(z.imag()), picture, mark);
    const bool minus = z.imag() < 0 && x.find_first_of("123456789") != std::string::npos;
    return RectangularText(Format(z.real(), picture, mark), minus, x);
}

std::string ExactText(double value) { return ShortestRoundTrip(value); }

}  // namespace qlx
