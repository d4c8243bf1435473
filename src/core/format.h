// Number-to-text rules of every result field.
#pragma once

#include <complex>
#include <string>
#include <string_view>

namespace qlx {

// Writes a value under a picture string, showing the decimal point as `mark` ('.' or ',').
//  "#"  optional digit, "0" required digit, "." decimal point, "," (in the integer part)
//  thousands grouping; every other character is copied unchanged, and so is a second "."
//  after the number ("###0.00 deg.").
// The value is rounded to the picture's last decimal, halves away from zero. Optional
// decimals drop their trailing zeros. A value that rounds to zero under a picture without any
// "0" gives an empty number part (the literals remain). A value that rounds to zero never shows
// a minus sign. The grouping character is the other mark: ',' with a decimal point, '.' with a
// decimal comma.
std::string Format(double value, std::string_view picture, char mark = '.');

namespace detail {
// The digits of |value| rounded to `decimals` places as Format rounds them, always through the
// value's 15-digit decimal text (Format takes a quicker road where it gives the same digits).
void RoundedDigitsByText(double value, int decimals, std::string& int_digits, std::string& frac_digits);
}  // namespace detail

// The shortest text of a single-precision value: at most 7 significant digits, no trailing
// zeros, a leading zero before the decimal mark ("0.66"), exponent form "1E-05" for very small
// or large values. ParseNumber reads it back to the same 7-digit value.
std::string ShortestText(float value, char mark = '.');

// The shortest text of a double-precision value (up to 15 significant digits), same form.
std::string ShortestText(double value, char mark = '.');

// An impedance as "R + j X" or, when `minus`, "R - j X", from its parts already written
// (the reactance part without its sign).
std::string RectangularText(std::string_view r, bool minus, std::string_view x_magnitude);
// R + jX written to `picture`; a reactance that rounds to zero is written "+ j 0.0", whatever its sign.
std::string ImpedanceText(std::complex<double> z, std::string_view picture, char mark = '.');

// The shortest text that reads back to the very same double ("0.1", "1e-300"), with a point:
// for files that other programs read (CSV, Touchstone).
std::string ExactText(double value);

// Whether a character is a control character (below a blank, or DEL): no entry field and no line
// of the defaults file ever holds one.
inline bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// The text without the blanks (spaces, tabs, line ends) around it.
std::string_view TrimBlanks(std::string_view text);

// The number-text rule of the tuner's texts and messages: shortest general form with up to
// 15 significant digits and a "." mark, no zero before the point of a value below 1 in size,
// a leading blank for zero and positive values, "-" for negative ones: 25 -> " 25",
// 0.5 -> " .5", -12.25 -> "-12.25".
std::string NumberText(double value);

}  // namespace qlx
