#include "graphs/graph_data.h"

#include <cmath>

#include "core/format.h"
#include "core/number_text.h"
#include "core/numbers.h"

namespace qlx {

namespace {

// R + jX looking toward the load, from the voltage and current there.
void ImpedanceOf(const CalcZResult& z, double& r, double& x) {
    if (!z.vi_defined || z.mag_ix == 0.0) {
        r = x = 0.0;
        return;
    }
    const double mag = z.mag_vx / z.mag_ix;
    const double phi = (z.ph_vx - z.ph_ix) / kDegPerRad;
    r = mag * std::cos(phi);
    x = mag * std::sin(phi);
}

}  // namespace

GraphResult ComputeGraph(const GraphInputs& in) {
    GraphResult g;
    const char mark = in.mark;
    g.pwr_in = static_cast<float>(ParseNumber(in.tx_power_text));
    // A power beyond any single-precision number has no curves to draw: as no power at all.
    if (!std::isfinite(g.pwr_in)) g.pwr_in = 0.0f;
    g.power = "At " + Format(g.pwr_in, "###0 W", mark);

    // Positions in the display unit; the transform works in feet.
    const double ld = ParseNumber(in.length_text);
    g.blen = static_cast<float>(in.meters ? ld * kFeetPerMeter : ld);
    // Each position from its own index, not a running sum whose rounding grows along the line:
    // the 201 points sit at round numbers (4.5 ft, not 4.500000000000001) and so read in a file.
    // Twelve digits are far beyond any length typed, and drop the quotient's last-bit noise
    // (33.3 / 200 is 0.16649999999999998 in binary).
    for (int k = 1; k < kGraphPoints; ++k) {
        const double at = ld * k / (kGraphPoints - 1);
        double round = at;
        ReadWholeNumber(GeneralDigits(at, 12), round);
        g.pos[static_cast<std::size_t>(k)] = round;
    }
    if (g.blen == 0.0f) g.blen = static_cast<float>(kTinyLength);
    const double blen = g.blen;
    // The unrounded loss, unlike the main solution's rounded one.
    const double ml = blen * static_cast<double>(in.atten100) / 100.0;

    // The load as typed, or the main solution's computed end as its polar display shows it.
    const SeriesForm given = in.at_load ? TypedImpedance(in) : DisplayedOtherEnd(in);
    const double ra = given.r, xa = given.x;

    // The impedance at the input is the same for every point; only V and I move along the line.
    CalcZInput z{ml, blen, blen, ra, xa, false, g.pwr_in};
    CalcZResult out = CalcZ(z, in.line);
    for (int k = kGraphPoints - 1; k >= 0; --k) {
        const auto uk = static_cast<std::size_t>(k);
        z.x_length = k * blen / 200.0;
        z.pwr_in = g.pwr_in;
        VoltageCurrentAt(out, z, in.line);
        g.v[uk] = out.mag_vx;
        g.i[uk] = out.mag_ix;
        if (g.pwr_in > 0.0f) {
            ImpedanceOf(out, g.r[uk], g.x[uk]);
        } else {
            CalcZResult unit = out;
            z.pwr_in = 1.0;  // the impedance does not depend on the power
            VoltageCurrentAt(unit, z, in.line);
            ImpedanceOf(unit, g.r[uk], g.x[uk]);
        }
        // Far down a very lossy line the voltage and current underflow to nothing, but the
        // impedance looking toward the load is still there: the load moved over the rest of the line.
        if (!out.vi_defined || out.mag_vx == 0.0 || out.mag_ix == 0.0) {
            const double rest = blen - z.x_length;
            const CalcZInput toward_load{ml * rest / blen, rest, 0.0, ra, xa, false, 0.0};
            const CalcZResult there = CalcZ(toward_load, in.line);
            g.r[uk] = there.rin;
            g.x[uk] = there.xin;
        }
        if (g.v[uk] > g.max_v) g.max_v = g.v[uk];
        if (g.i[uk] > g.max_i) g.max_i = g.i[uk];
    }
    g.rin = out.rin;
    g.xin = out.xin;

    g.cable_type = in.cable_text;
    g.freq = in.freq_text + " " + in.mhz_caption;
    g.total_loss = "Total Loss: " + in.total_loss_text + " dB";
    std::string load;
    if (!in.at_load) {
        load = in.imped_in_text;
    } else if (ra >= 0.0) {
        load = RectangularText(ShortestText(ra, mark), xa < 0.0, ShortestText(std::fabs(xa), mark));
    }
    g.z_load = "Load: " + load + "   SWR = " + Format(ParseNumber(in.load_swr_text), "####.00", mark);
    g.max_v_text = Format(g.max_v, "####.0 V", mark);
    g.max_i_text = Format(g.max_i, "##.0 A", mark);
    g.caption = in.volt_curr ? "QLX, Voltage/Current Graph Along Line"
                             : "QLX, Series Resistance & Reactance Along Line";
    g.bottom_title = in.meters ? "Length, in Meters, from Transmitter" : "Length, in Feet, from Transmitter";
    g.bottom_max = in.meters ? blen / kFeetPerMeter : blen;
    g.left_title = in.volt_curr ? "Current, Amps" : "Reactance, Ohms";
    g.right_title = in.volt_curr ? "Voltage, Volts" : "Resistance, Ohms";
    return g;
}

std::string GraphCsv(const GraphResult& g) {
    std::string csv = "pos,V,I,R,X\n";
    for (std::size_t k = 0; k < static_cast<std::size_t>(kGraphPoints); ++k)
        csv += ExactText(g.pos[k]) + "," + ExactText(g.v[k]) + "," + ExactText(g.i[k]) + "," + ExactText(g.r[k]) + "," +
               ExactText(g.x[k]) + "\n";
    return csv;
}

}  // namespace qlx
