// Writes data/dipole-40m.s1p: the feed-point impedance of a centre-fed 40 m wire dipole in free
// space from 3.4 to 30 MHz, by the transmission-line model of a dipole: the two arms an open line
// whose loss is the power radiated (the radiation resistance from the induced-EMF formula, with the
// sine and cosine integrals). A simple model, not a measurement: no ground, no wire loss; near a
// full wave it gives the right order of a few kilohms rather than exact figures.
// Run: qlx_make_dipole > data/dipole-40m.s1p
#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>

namespace {

constexpr double kLength = 21.1;  // a half wave at 7.1 MHz in this model          // metres, end to end
constexpr double kRadius = 0.001;         // metres: a wire of 2 mm (about #12 AWG)
constexpr double kEta = 376.730313668;    // ohms, free space
constexpr double kC = 299.792458;         // metres per microsecond
constexpr double kEuler = 0.57721566490153286;

// Si(x) and Ci(x) by Simpson's rule on a fine grid: x stays below 30 here, where a series loses
// digits to cancellation.
double Si(double x) {
    const int n = 2 * static_cast<int>(std::ceil(x * 2000.0)) + 2;
    const double h = x / n;
    const auto f = [](double t) { return t == 0.0 ? 1.0 : std::sin(t) / t; };
    double sum = f(0.0) + f(x);
    for (int k = 1; k < n; ++k) sum += (k % 2 ? 4.0 : 2.0) * f(k * h);
    return sum * h / 3.0;
}

double Ci(double x) {
    // Ci(x) = gamma + ln x + integral from 0 to x of (cos t - 1) / t.
    const int n = 2 * static_cast<int>(std::ceil(x * 2000.0)) + 2;
    const double h = x / n;
    const auto f = [](double t) { return t == 0.0 ? 0.0 : (std::cos(t) - 1.0) / t; };
    double sum = f(0.0) + f(x);
    for (int k = 1; k < n; ++k) sum += (k % 2 ? 4.0 : 2.0) * f(k * h);
    return kEuler + std::log(x) + sum * h / 3.0;
}

// The radiation resistance referred to the current maximum, by the induced-EMF method.
double RadiationResistance(double kl) {
    return kEta / (2.0 * std::numbers::pi) *
           (kEuler + std::log(kl) - Ci(kl) + 0.5 * std::sin(kl) * (Si(2.0 * kl) - 2.0 * Si(kl)) +
            0.5 * std::cos(kl) * (kEuler + std::log(kl / 2.0) + Ci(2.0 * kl) - 2.0 * Ci(kl)));
}

// The dipole as an open line of two arms h long, whose loss is what it radiates: Z0 of the arms
// 120 (ln(2h/a) - 1), attenuation alpha = Rr / (Z0 h (1 - sin(2 beta h) / (2 beta h))), and the
// open line's input impedance. Finite at a full wave, where the plain induced-EMF feed impedance
// is not; 73 ohms at a half wave.
std::complex<double> FeedImpedance(double f_mhz) {
    const double beta = 2.0 * std::numbers::pi * f_mhz / kC;
    const double h = kLength / 2.0;
    const double z0 = 120.0 * (std::log(2.0 * h / kRadius) - 1.0);
    const double rr = RadiationResistance(beta * kLength);
    const double alpha = rr / (z0 * h * (1.0 - std::sin(2.0 * beta * h) / (2.0 * beta * h)));
    const double d = std::cosh(2.0 * alpha * h) - std::cos(2.0 * beta * h);
    const double r = z0 * (std::sinh(2.0 * alpha * h) - alpha / beta * std::sin(2.0 * beta * h)) / d;
    const double x = -z0 * (alpha / beta * std::sinh(2.0 * alpha * h) + std::sin(2.0 * beta * h)) / d;
    return {r, x};
}

}  // namespace

int main() {
    std::printf("! A 40 m wire dipole, %.1f m end to end, wire %.0f mm across, in free space: its feed-point\n",
                kLength, 2000.0 * kRadius);
    std::printf("! impedance by the transmission-line model of a dipole (radiation resistance by the induced-EMF\n");
    std::printf("! method; no ground, no wire loss), written by tools/make_dipole.cpp. A model, not a measurement.\n");
    std::printf("! The antenna at the load of the feed line:\n");
    std::printf("!   qlx-cli plan --cable rg-213 --meters --length 20 --touchstone THIS-FILE --bands 80m,60m,40m,30m,20m,17m,15m,12m,10m\n");
    std::printf("# MHz S RI R 50\n");
    for (int k = 0; k <= 532; ++k) {
        const double f = 3.4 + 0.05 * k;
        const std::complex<double> z = FeedImpedance(f);
        const std::complex<double> gamma = (z - 50.0) / (z + 50.0);
        std::printf("%.2f %.15g %.15g\n", f, gamma.real(), gamma.imag());
    }
    return 0;
}
