// The complex hyperbolic tangent for the tests' textbook references, right for every argument:
// some C libraries' std::tanh(std::complex) return NaN once the real part passes about 355 (its
// cosh and sinh overflow), where the value is 1 to every digit a double holds.
#pragma once

#include <cmath>
#include <complex>

namespace qlx {

inline std::complex<double> TextbookTanh(std::complex<double> z) {
    const double x = z.real(), y = z.imag();
    if (std::abs(x) > 20.0) {
        // tanh z = sign(x) (1 - 2 e^(-2 sign(x) z)) to first order: the real part is sign(x) to a
        // double's precision, the imaginary part 2 e^(-2|x|) sin 2y.
        return {std::copysign(1.0, x), 2.0 * std::exp(-2.0 * std::abs(x)) * std::sin(2.0 * y)};
    }
    const double d = std::cosh(2.0 * x) + std::cos(2.0 * y);
    return {std::sinh(2.0 * x) / d, std::sin(2.0 * y) / d};
}

}  // namespace qlx
