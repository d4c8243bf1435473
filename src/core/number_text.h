// Conversions between numbers and their decimal text, exact and with "." as the decimal mark
// whatever the C locale, on every toolchain QLX builds with. Where the standard library has
// floating-point <charconv> (g++, mingw-w64), it does the work; where it has not (emscripten's
// libc++), the C library's printf and strtod do, which are exact too and give the same texts
// byte for byte (tests/core/number_text_test.cpp compares both over millions of values where
// both exist). The WebAssembly build never sets a C locale, so its strtod reads a point.
#pragma once

#include <string>
#include <string_view>

namespace qlx {

// The shortest text that reads back as the value: fixed or scientific, whichever is shorter
// ("0.1", "123.456", "1e+300", "5e-324"), as std::to_chars(value) writes it.
std::string ShortestRoundTrip(double value);
std::string ShortestRoundTrip(float value);

// "d.ddde+XX" with `precision` digits after the point, correctly rounded.
std::string ScientificText(double value, int precision);

// The general form with `digits` significant digits, as "%.{digits}g" writes it.
std::string GeneralDigits(double value, int digits);

// A whole text as one number (no blanks, no trailing characters; a sign, digits, a point, an
// exponent). `out_of_range` tells a number beyond a double's (float's) range from one that is
// no number at all; `value` is then left as it was.
struct NumberRead {
    bool ok = false;
    bool out_of_range = false;
};
NumberRead ReadWholeNumber(std::string_view text, double& value);
NumberRead ReadWholeNumber(std::string_view text, float& value);

// The conversions through the C library alone, for the comparison test and for toolchains
// without floating-point <charconv>.
namespace c_library {
std::string ShortestRoundTrip(double value);
std::string ShortestRoundTrip(float value);
std::string ScientificText(double value, int precision);
std::string GeneralDigits(double value, int digits);
NumberRead ReadWholeNumber(std::string_view text, double& value);
NumberRead ReadWholeNumber(std::string_view text, float& value);
}  // namespace c_library

}  // namespace qlx
