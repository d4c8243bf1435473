#include "core/line_solution.h"

#include <cmath>

#include "core/cables.h"
#include "core/calcz.h"
#include "core/format.h"
#include "core/numbers.h"

namespace qlx {

namespace {

bool Finite(float v) { return std::isfinite(v); }

}  // namespace

namespace {

// The numbers of a solution and the two texts it reads its losses back from.
struct Core {
    LineValues v;
    std::string ml_per, ml_tot;
    double xmsn_length = 0.0;
    bool user_line = false;
    CalcZResult z;
};

std::optional<Core> SolveCore(const LineEntries& e) {
    Core core;
    LineValues& v = core.v;
    const char mark = e.mark;

    v.freq = e.freq ? *e.freq : static_cast<float>(ParseNumber(e.freq_text));
    if (!(v.freq > 0.0f) || !Finite(v.freq)) return std::nullopt;

    const bool user_line = e.cable_position == kUserDefinedIndex;
    core.user_line = user_line;
    if (user_line) {
        v.vel_factor = static_cast<float>(ParseNumber(e.user.vel_factor));
        v.r0 = static_cast<float>(ParseNumber(e.user.r0));
        v.x0 = static_cast<float>(ParseNumber(e.user.x0));
        v.vmax = static_cast<float>(LeadingNumber(e.user.vmax));
        v.atten100 = e.user_atten100;
        v.wave_len = e.user_wave_len;
    } else if (e.cable_position >= 0 && e.cable_position < kCatalogueRows) {
        const CableSpec& cable = Catalogue()[static_cast<std::size_t>(e.cable_position)];
        const CableAtFrequency c = CableAt(cable, v.freq);
        v.atten100 = c.atten100;
        v.vel_factor = cable.vel_factor;
        v.vmax = cable.vmax;
        v.r0 = c.r0;
        v.wave_len = c.wave_len;
        v.x0 = c.x0;
    } else if (e.own && e.cable_position >= kListEntries) {
        // One of the user's own cables, at this frequency as a catalogue row is.
        const CableAtFrequency c = OwnCableAt(*e.own, v.freq);
        v.atten100 = c.atten100;
        v.vel_factor = static_cast<float>(e.own->vf);
        v.vmax = static_cast<float>(e.own->vmax);
        v.r0 = c.r0;
        v.wave_len = c.wave_len;
        v.x0 = c.x0;
    } else {
        return std::nullopt;
    }
    if (v.vel_factor == 0.0f || v.wave_len == 0.0f || !Finite(v.wave_len) || !Finite(v.atten100) ||
        !Finite(v.r0) || !Finite(v.x0) || !Finite(v.vel_factor))
        return std::nullopt;

    core.ml_per = e.option_meters ? Format(v.atten100 * kFeetPerMeter, "#0.000", mark)
                                  : Format(v.atten100, "#0.0##", mark);

    // The loss the transform uses is the rounded loss the user reads, per 100 feet.
    const double length = ParseNumber(e.length_text);
    const double length_ft = e.unit_meters ? length * kFeetPerMeter : length;
    double ml100 = ParseNumber(core.ml_per);
    if (e.unit_meters) ml100 /= kFeetPerMeter;
    core.ml_tot = Format(length_ft * ml100 / 100.0, "#0.000", mark);
    core.xmsn_length = e.option_meters ? length * kFeetPerMeter : length;

    CalcZInput in;
    in.matched_loss = ParseNumber(core.ml_tot);
    in.xmsn_length = core.xmsn_length;
    in.x_length = 0.0;
    in.ra = e.ra ? *e.ra : ParseNumber(e.resistance_text);
    in.xa = e.xa ? *e.xa : ParseNumber(e.reactance_text);
    in.given_at_input = !e.at_load;
    in.pwr_in = e.pwr_in;
    in.voltage_current = false;  // the window shows no voltage or current of its own
    core.z = CalcZ(in, LineConstants{v.r0, v.x0, v.wave_len});
    const CalcZResult& z = core.z;
    if (!z.valid) return std::nullopt;

    v.matched_loss = in.matched_loss;
    v.rin = z.rin;
    v.xin = z.xin;
    v.swr_in = z.swr_in;
    v.swr_out = z.swr_out;
    v.tot_loss = z.tot_loss;
    v.rho_out = z.rho_out;
    return core;
}

}  // namespace

std::optional<LineValues> SolveLineValues(const LineEntries& e) {
    const std::optional<Core> core = SolveCore(e);
    if (!core) return std::nullopt;
    return core->v;
}

std::optional<LineSolution> SolveLine(const LineEntries& e) {
    const std::optional<Core> core = SolveCore(e);
    if (!core) return std::nullopt;
    LineSolution sol;
    LineValues& v = sol.values;
    v = core->v;
    const char mark = e.mark;
    const CalcZResult& z = core->z;
    const bool user_line = core->user_line;
    sol.ml_per = core->ml_per;
    sol.ml_tot = core->ml_tot;
    sol.z0 = Format(v.r0, "##0.0", mark) + " - j " + Format(-static_cast<double>(v.x0), "##0.00", mark);
    sol.vel_factor = ShortestText(v.vel_factor, mark);
    sol.voltage = ShortestText(v.vmax, mark);
    const float lambda =
        static_cast<float>(kFreeSpaceWaveFtMHz / static_cast<double>(v.freq) * static_cast<double>(v.vel_factor));
    sol.wavelen = Format(core->xmsn_length / static_cast<double>(lambda), "0.000", mark);

    const double load_swr = e.at_load ? z.swr_out : z.swr_in;
    const double input_swr = e.at_load ? z.swr_in : z.swr_out;
    sol.load_swr = Format(load_swr, "####.00", mark);
    sol.input_swr = Format(input_swr, "####.00", mark);
    sol.load_swr_red = load_swr < 0.0;
    sol.input_swr_red = input_swr < 0.0;
    sol.rho_caption = e.at_load ? "Rho at Load: " : "Rho at Input: ";
    sol.rho = Format(z.rho_out, "0.00000", mark);
    sol.add_loss = Format(std::fabs(z.tot_loss - v.matched_loss), "#0.000", mark);
    sol.total_loss = Format(z.tot_loss, "#0.000", mark);

    const double rin = v.rin, xin = v.xin;
    sol.imped_in_red = rin < 0.0;
    sol.imped_in = RectangularText(Format(rin, "####0.00", mark), xin < 0.0, Format(std::fabs(xin), "##0.00", mark));
    sol.polar_z = Format(std::sqrt(rin * rin + xin * xin), "####0.00", mark);
    sol.polar_degree = Format(ComplexAngle(rin, xin) * 180.0 / kPiSingle, "##0.00", mark);
    sol.hide_warning = !user_line;
    return sol;
}

std::string CableListText(const LineEntries& e) {
    if (e.own && e.cable_position >= kListEntries) return " " + e.own->name;
    return std::string(ListText(e.cable_position));
}

double ScaledUserLoss(double atten100, float at_mhz, float f_mhz) {
    // Matched loss grows with the square root of the frequency (skin effect).
    const double k = at_mhz > 0.0f && f_mhz > 0.0f ? std::sqrt(static_cast<double>(f_mhz) / at_mhz) : 1.0;
    return atten100 * k;
}

float UserWaveLength(double vel_factor, double f_typed_mhz) {
    return static_cast<float>(vel_factor * kFreeSpaceWaveFtMHz / f_typed_mhz);
}

}  // namespace qlx
