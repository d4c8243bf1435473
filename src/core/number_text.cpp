#include "core/number_text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <limits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__cpp_lib_to_chars) || (defined(__GLIBCXX__) && __GNUC__ >= 11)
#include <charconv>
#define QLX_FLOAT_CHARCONV 1
#else
#define QLX_FLOAT_CHARCONV 0
#endif

namespace qlx {

namespace c_library {

namespace {

// Digits and decimal exponent of the shortest round trip: the fewest significant digits (1 to 17
// for a double, 9 for a float) whose correctly rounded text reads back as the value.
template <class T>
std::string Shortest(T value, int max_digits) {
    if (value == 0) return std::signbit(value) ? "-0" : "0";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (std::isnan(value)) return "nan";
    char buf[64];
    int digits = 1;
    for (; digits < max_digits; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*e", digits - 1, static_cast<double>(value));
        T back;
        if constexpr (sizeof(T) == sizeof(float))
            back = std::strtof(buf, nullptr);
        else
            back = std::strtod(buf, nullptr);
        if (back == value) break;
    }
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, static_cast<double>(value));
    // buf: [-]d[.ddd]e[+-]XX. The fixed and the scientific form, the shorter one written, as
    // std::to_chars chooses (fixed on a tie).
    std::string s(buf);
    const bool negative = s[0] == '-';
    if (negative) s.erase(0, 1);
    const std::size_t e = s.find('e');
    std::string mantissa_digits;
    for (std::size_t k = 0; k < e; ++k)
        if (s[k] != '.') mantissa_digits += s[k];
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::string scientific = mantissa_digits.substr(0, 1);
    if (mantissa_digits.size() > 1) scientific += "." + mantissa_digits.substr(1);
    scientific += exponent < 0 ? "e-" : "e+";
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) scientific += '0';
    scientific += std::to_string(magnitude);
    std::string fixed;
    const int n = static_cast<int>(mantissa_digits.size());
    if (exponent >= 0) {
        if (exponent + 1 >= n) {
            // A whole number is written with its exact digits (as long as the shortest digits
            // padded with zeros, and what to_chars writes).
            std::snprintf(buf, sizeof buf, "%.0f", std::fabs(static_cast<double>(value)));
            fixed = buf;
        } else {
            fixed = mantissa_digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                    mantissa_digits.substr(static_cast<std::size_t>(exponent + 1));
        }
    } else {
        fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa_digits;
    }
    const std::string& chosen = fixed.size() <= scientific.size() ? fixed : scientific;
    return negative ? "-" + chosen : chosen;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) != b[k]) return false;
    return true;
}

template <class T>
NumberRead Read(std::string_view text, T& value) {
    // Only what std::from_chars takes: an optional minus, digits with at most one point, an
    // optional exponent, or "inf", "infinity", "nan"; nothing else (no blanks, no "+", no
    // hexadecimal).
    {
        std::string_view word = text;
        const bool minus = !word.empty() && word.front() == '-';
        if (minus) word.remove_prefix(1);
        if (EqualsIgnoringCase(word, "inf") || EqualsIgnoringCase(word, "infinity")) {
            value = minus ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity();
            return {true, false};
        }
        if (EqualsIgnoringCase(word, "nan")) {
            value = minus ? -std::numeric_limits<T>::quiet_NaN() : std::numeric_limits<T>::quiet_NaN();
            return {true, false};
        }
    }
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t exp_digits = 0;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j, ++exp_digits;
        if (exp_digits > 0) i = j;
    }
    if (i != text.size()) return {};
    // A number of at most 15 significant digits (19 for the digits read) and a small power of
    // ten is one exact product or quotient of two exact doubles, correctly rounded by a single
    // operation (Clinger's quick road); only the rest needs strtod, which is slow in some C
    // libraries.
    if constexpr (sizeof(T) == sizeof(double)) {
        unsigned long long n = 0;
        int significant = 0, scale = 0;
        bool point = false, negative = false;
        std::size_t k = 0;
        if (text[k] == '-') negative = true, ++k;
        for (; k < text.size() && text[k] != 'e' && text[k] != 'E'; ++k) {
            if (text[k] == '.') {
                point = true;
                continue;
            }
            if (significant == 0 && text[k] == '0') {
                if (point) --scale;
                continue;
            }
            if (significant < 19) {
                n = n * 10 + static_cast<unsigned>(text[k] - '0');
                ++significant;
                if (point) --scale;
            } else if (!point) {
                ++scale;  // digits beyond what is read: the number is not for the quick road
                significant = 99;
            }
        }
        if (k < text.size()) {
            // The exponent, saturated: a long one leaves the quick road.
            int e = 0;
            bool minus = false;
            for (std::size_t j = k + 1; j < text.size(); ++j) {
                if (text[j] == '-') minus = true;
                if (text[j] >= '0' && text[j] <= '9') e = std::min(e * 10 + (text[j] - '0'), 100000);
            }
            scale += minus ? -e : e;
        }
        static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        if (significant <= 15 && n < (1ull << 53) && scale >= -22 && scale <= 22) {
            double v = static_cast<double>(n);
            v = scale < 0 ? v / kPow10[-scale] : v * kPow10[scale];
            value = static_cast<T>(negative ? -v : v);
            return {true, false};
        }
    }
    const std::string copy(text);
    errno = 0;
    T v;
    if constexpr (sizeof(T) == sizeof(float))
        v = std::strtof(copy.c_str(), nullptr);
    else
        v = std::strtod(copy.c_str(), nullptr);
    if (errno == ERANGE && (std::isinf(v) || v == 0 || std::fpclassify(v) == FP_SUBNORMAL)) {
        // from_chars reports a result beyond the range, and a subnormal or zero from underflow
        // the same way; the value is left as it was.
        if (std::isinf(v) || v == 0) return {false, true};
    }
    value = v;
    return {true, false};
}

}  // namespace

std::string ShortestRoundTrip(double value) { return Shortest(value, 17); }
std::string ShortestRoundTrip(float value) { return Shortest(value, 9); }

std::string ScientificText(double value, int precision) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", precision, value);
    return buf;
}

std::string GeneralDigits(double value, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    return buf;
}

NumberRead ReadWholeNumber(std::string_view text, double& value) { return Read(text, value); }
NumberRead ReadWholeNumber(std::string_view text, float& value) { return Read(text, value); }

}  // namespace c_library

#if QLX_FLOAT_CHARCONV

namespace {

template <class T>
NumberRead FromChars(std::string_view text, T& value) {
    T v{};
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec == std::errc::result_out_of_range) return {false, true};
    if (ec != std::errc() || ptr != text.data() + text.size()) return {};
    value = v;
    return {true, false};
}

template <class T>
std::string ToChars(T value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

}  // namespace

std::string ShortestRoundTrip(double value) { return ToChars(value); }
std::string ShortestRoundTrip(float value) { return ToChars(value); }

std::string ScientificText(double value, int precision) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision);
    return std::string(buf, res.ptr);
}

std::string GeneralDigits(double value, int digits) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
    return std::string(buf, res.ptr);
}

NumberRead ReadWholeNumber(std::string_view text, double& value) { return FromChars(text, value); }
NumberRead ReadWholeNumber(std::string_view text, float& value) { return FromChars(text, value); }

#else

std::string ShortestRoundTrip(double value) { return c_library::ShortestRoundTrip(value); }
std::string ShortestRoundTrip(float value) { return c_library::ShortestRoundTrip(value); }
std::string ScientificText(double value, int precision) { return c_library::ScientificText(value, precision); }
std::string GeneralDigits(double value, int digits) { return c_library::GeneralDigits(value, digits); }
NumberRead ReadWholeNumber(std::string_view text, double& value) { return c_library::ReadWholeNumber(text, value); }
NumberRead ReadWholeNumber(std::string_view text, float& value) { return c_library::ReadWholeNumber(text, value); }

#endif

}  // namespace qlx
