#include "tuner/report.h"

#include <cmath>

#include "core/format.h"

namespace qlx::tuner {

namespace {

constexpr double kLargeBandwidthPercent = 30.0;  // wider than this shows "Large"

}  // namespace

std::string BandwidthText(double qeff, double f0, char mark) {
    const Bandwidths bw = CalcPBW(qeff);
    std::string t = "Eff. Q = " + Format(qeff, "#0.0", mark);
    if (bw.pbw15 < kLargeBandwidthPercent)
        t += "    1.5:1 SWR BW = " + Format(f0 * 10.0 * bw.pbw15, "####0.0", mark) + " kHz (" +
             Format(bw.pbw15, "#0.0", mark) + "%) ";
    else
        t += "    1.5:1 SWR BW = Large, ";
    if (bw.pbw20 < kLargeBandwidthPercent)
        t += "and 2:1 SWR BW = " + Format(f0 * 10.0 * bw.pbw20, "####0.0", mark) + " kHz (" +
             Format(bw.pbw20, "#0.0", mark) + "%)";
    else
        t += " 2:1 SWR BW = Large";
    return t;
}

Report NetworkReport(const NetworkDesign& d, double power, double line_loss_db, double phase, char mark,
                     const ReportStyle& style) {
    Report r;
    r.swr_line = BandwidthText(d.qeff, d.f0, mark);

    const double left = power - d.ploss;
    const double tuner_db = -10.0 * std::log(left / power) / std::log(10.0);
    const bool na = style.na_without_power_left && !(std::fabs(left) > 1e-4);
    r.power_lost = "Estimated power lost in tuner for " + Format(power, "#######", mark) + " W input:   " +
                   Format(d.ploss, "######", mark) + " W (" +
                   (na ? std::string("N/A dB = ") : Format(tuner_db, "#0.0#", mark) + " dB = ") +
                   Format(d.loss_percent, style.percent_picture, mark) + "% lost)";
    const double total_db = line_loss_db + tuner_db;
    r.xmsn_loss = "Transmission-line loss = " + Format(line_loss_db, "##0.0#", mark) + " dB.  Total loss = " +
                  Format(total_db, "#0.0#", mark) + " dB.  Power into load = " +
                  Format(power * std::pow(10.0, -total_db / 10.0), "#######.0", mark) + " W";

    r.pwr1 = "At " + Format(power, "##### W:", mark);
    for (const Element& e : d.elements)
        r.columns.push_back({e.name, Format(e.q, "######", mark), Format(e.x, "######.###", mark),
                             Format(e.v_rms * std::sqrt(2.0), "####### V", mark),
                             Format(e.i_rms, "####0.0 A", mark), Format(e.p_diss, "######0 W", mark)});
    r.v2 = Format(d.vin, "###0.00 V", mark) + " at " + Format(d.vin_angle, "###0.00 deg.", mark);
    r.v4 = Format(d.vout, "###0.00 V", mark) + " at " + Format(phase, "###0.00 deg.", mark);
    return r;
}

}  // namespace qlx::tuner
