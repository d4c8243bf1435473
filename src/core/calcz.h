// The impedance transform along a uniform lossy line with complex characteristic impedance.
#pragma once

namespace qlx {

// A reflection that cannot be expressed as a finite SWR (|rho| exactly 1, or Z and Z0 both 0)
// is shown as this very large SWR; a reflection magnitude that would be infinite (Z = -Z0) is
// held at this value too, so no output is ever infinite or NaN.
inline constexpr double kVeryLarge = 1e9;

// The given end's resistance never is exactly 0: a purely reactive load is taken as this.
inline constexpr double kTinyResistance = 0.00001;

// A line of length 0 is evaluated as this many feet where a length divides.
inline constexpr double kTinyLength = 0.000001;

// Characteristic impedance Z0 = r0 + j x0 (ohms) and wavelength on the line (feet).
struct LineConstants {
    float r0 = 0.0f;
    float x0 = 0.0f;
    float wave_len = 0.0f;
};

struct CalcZInput {
    double matched_loss = 0.0;  // dB, whole line
    double xmsn_length = 0.0;   // feet
    double x_length = 0.0;      // feet from the computed end where V and I are evaluated
    double ra = 0.0;            // impedance at the given end, ohms
    double xa = 0.0;
    bool given_at_input = false;  // false: given at the load, the computed end is the input
    double pwr_in = 0.0;          // watts delivered at the computed end
    bool voltage_current = true;  // false: the impedances and losses only (the line solution)
};

struct CalcZResult {
    bool valid = false;  // false only for a wavelength that is 0 or not finite
    // The inputs as the transform used them: ra = 0 became kTinyResistance, a length of 0
    // became kTinyLength for the voltage and current.
    double ra = 0.0;
    double xa = 0.0;
    double xmsn_length = 0.0;

    double swr_in = 0.0;   // SWR at the computed end; negative for |rho| > 1
    double swr_out = 0.0;  // SWR at the given end
    float rin = 0.0f;      // impedance at the computed end, held in single precision
    float xin = 0.0f;
    double tot_loss = 0.0;  // dB
    double rho_out = 0.0;   // |rho| at the given end
    double add_loss = 0.0;  // the signed additional loss A of the mismatch, dB

    // RMS voltage and current at x_length, phases in degrees relative to the voltage at the
    // computed end. vi_defined is false where Zc = 0 or Z0 = 0 (no finite voltage and current
    // follow from a power); the four values are then 0.
    bool vi_defined = false;
    double mag_vx = 0.0;
    double ph_vx = 0.0;
    double mag_ix = 0.0;
    double ph_ix = 0.0;
};

// Zc = Z0 (Za cosh(gl) + Z0 sinh(gl)) / (Z0 cosh(gl) + Za sinh(gl)), gl = alpha l + j beta l,
// with the hyperbolic functions of the complex argument taken from real exponentials, sines and
// cosines. With the impedance given at the input the transform runs backwards (gl -> -gl) and
// the computed end is the load.
//
// Loss: A = 10 log10((1 - |pc|^2) / (1 - |pa|^2)), p = (Z - Z0*) / (Z + Z0) at the computed (c)
// and given (a) ends, each capped at 0.9999999. The total loss is matched loss + A with the
// impedance given at the load and matched loss - A with it given at the input, so that a line
// solved from either end gives the same total loss.
CalcZResult CalcZ(const CalcZInput& in, const LineConstants& line);

// The voltage and current part of CalcZ alone: re-evaluates them in `result` at in.x_length and
// in.pwr_in, for a result of CalcZ with the same line and the same other inputs. A graph moves
// along the line this way without transforming the impedance again at every point.
void VoltageCurrentAt(CalcZResult& result, const CalcZInput& in, const LineConstants& line);

}  // namespace qlx
