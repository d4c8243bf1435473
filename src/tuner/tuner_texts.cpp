#include "tuner/tuner_texts.h"

#include <cmath>

#include "core/format.h"
#include "core/numbers.h"

namespace qlx::tuner {

namespace {

// A number rounded by a picture, then written by the number-text rule (which drops the zeros
// the picture kept): "####.00" and 25 give " 25".
std::string Rounded(double v, std::string_view picture) { return NumberText(ParseNumber(Format(v, picture, '.'))); }

}  // namespace

LineReading ReadLine(const DisplayedLine& d) {
    LineReading r;
    const double f0 = ParseNumber(d.freq_text);
    const SeriesForm typed = TypedImpedance(d), other = DisplayedOtherEnd(d);
    const SeriesForm at_input = d.at_load ? other : typed;
    const SeriesForm at_load = d.at_load ? typed : other;
    double ra = at_input.r;
    const double xa = at_input.x;
    if (d.at_load && ra == 0.0) ra = 1e-7;  // only a displayed 0 has no parallel form
    r.rl = at_load.r;
    r.xl = at_load.x;
    r.load = MakeTunerLoad(ra, xa, f0);
    r.line_loss_db = ParseNumber(d.total_loss_text);
    r.input_text = InputImpedanceText(d);
    return r;
}

std::string InputImpedanceText(const DisplayedLine& d) {
    if (d.at_load) return d.imped_in_text + " Ohms";
    const double x = ParseNumber(d.reactance_text);
    if (x < 0.0) return RectangularText(d.resistance_text, true, NumberText(std::fabs(x))) + " Ohms";
    return RectangularText(d.resistance_text, false, d.reactance_text) + " Ohms";
}

std::string LoadText(double rl, double xl, std::string_view load_swr_text) {
    // The rectangular part has no blank before "+ j", as the pages have always shown it.
    std::string text = "At load: ";
    if (xl > 0.0)
        text += Rounded(rl, "####.00") + "+ j " + Rounded(xl, "####.00") + " ohms";
    else
        text += Rounded(rl, "####.00") + " - j " + Rounded(-xl, "####.00") + " ohms";
    text += " = " + Rounded(std::sqrt(rl * rl + xl * xl), "###0.0") + " ohms, at " +
            Rounded(ComplexAngle(rl, xl) * kDegPerRad, "####.0") + " degrees";
    text += "    Load SWR = " + Rounded(ParseNumber(load_swr_text), "##.00");
    return text;
}

std::string StrayText(double stray_f) { return Rounded(stray_f * 1e12, "#0") + " pF"; }

HeaderTexts Header(const DisplayedLine& d, const LineReading& r) {
    return {Format(ParseNumber(d.freq_text), "###0.0# MHz", d.mark), d.cable_text,
            d.length_text + (d.meters ? " meters" : " feet"), LoadText(r.rl, r.xl, d.load_swr_text)};
}

std::string LineRatingText(double line_max_v, double line_vmax, double power, char mark) {
    if (!(line_vmax > 0.0) || !(line_max_v > line_vmax)) return {};
    return "The line's highest RMS voltage at " + Format(power, "#,##0", mark) + " W, " + Format(line_max_v, "#,##0", mark) +
           " V, is above its rating of " + Format(line_vmax, "#,##0", mark) + " V.";
}

std::vector<std::string> PartWarnings(const NetworkDesign& d, char mark) {
    std::vector<std::string> warnings;
    for (const Element& e : d.elements) {
        if (Buyable(e)) continue;
        const bool cap = e.kind == Kind::C;
        const std::string range = cap ? ShortestText(kSmallestPf, mark) + "-" + ShortestText(kLargestPf, mark) + " pF"
                                      : ShortestText(kSmallestUh, mark) + "-" + ShortestText(kLargestUh, mark) + " uH";
        warnings.push_back(e.name + " = " + Format(e.value, cap ? "#,##0.0 pF" : "#,##0.00 uH", mark) +
                           " is outside the " + range + " of parts to buy.");
    }
    return warnings;
}

std::optional<double> FitPf(const Element& e) {
    // A stray below half a picofarad is no part of what a builder reads (the field's 0 is 0.01 pF).
    if (!(e.stray_pf >= 0.5)) return std::nullopt;
    return e.value - e.stray_pf;
}

std::string FitText(const Element& e, char mark) {
    const std::optional<double> fit = FitPf(e);
    if (!fit) return {};
    return Format(e.value, "#,##0.0 pF", mark) + " in all: fit " + Format(*fit, "#,##0.0 pF", mark) +
           ", the " + ShortestText(std::round(e.stray_pf * 10.0) / 10.0, mark) + " pF stray is the rest";
}

std::vector<std::string> BuilderNotes(const NetworkDesign& d, double power, double line_max_v, double line_vmax,
                                      char mark) {
    std::vector<std::string> notes;
    if (!d.note.empty()) notes.push_back(d.note);
    for (std::string& w : PartWarnings(d, mark)) notes.push_back(std::move(w));
    for (const Element& e : d.elements)
        if (std::string fit = FitText(e, mark); !fit.empty()) notes.push_back(e.name + ": " + fit + ".");
    if (d.loss_percent > kTooLossyPercent)
        notes.push_back("The tuner loses " + Format(d.loss_percent, "#0", mark) +
                        "% of the power: compare the other networks.");
    if (std::string rating = LineRatingText(line_max_v, line_vmax, power, mark); !rating.empty())
        notes.push_back(std::move(rating));
    return notes;
}

}  // namespace qlx::tuner
