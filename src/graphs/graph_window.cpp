#include "graphs/graph_window.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/format.h"

namespace qlx {

GraphWindow::GraphWindow(form::Host& host) : host_(host) {
    lblMaxV.SetCaption("Max RMS Volt.");
    lblMaxI.SetCaption("Max RMS Curr.");
    cmdPrint.SetCaption("&Print");
    cmdPrint.SetToolTip("Print this window.");
    cmdBack.SetCaption("&Close");
    cmdBack.SetToolTip("Close and go back to main window.");
    cmdPrint.on_click = [this] { Print(); };
    cmdBack.on_click = [this] { window.SetVisible(false); };
}

void GraphWindow::Fill(const GraphResult& g, bool volt_curr) {
    shown_ = g;
    txtPower.SetText(g.power);
    txtCableType.SetText(g.cable_type);
    txtFreq.SetText(g.freq);
    txtTotalLoss.SetText(g.total_loss);
    txtZLoad.SetText(g.z_load);
    txtMaxV.SetText(g.max_v_text);
    txtMaxI.SetText(g.max_i_text);
    window.SetCaption(g.caption);

    chart_.bottom_title = g.bottom_title;
    chart_.bottom_max = g.bottom_max;
    chart_.left_title = g.left_title;
    chart_.right_title = g.right_title;
    const auto& first = volt_curr ? g.v : g.r;
    const auto& second = volt_curr ? g.i : g.x;
    chart_.series0.clear();
    chart_.series1.clear();
    for (int k = 0; k < kGraphPoints; ++k) {
        const auto uk = static_cast<std::size_t>(k);
        chart_.series0.emplace_back(g.pos[uk], first[uk]);
        chart_.series1.emplace_back(g.pos[uk], second[uk]);
    }
    ++chart_.runs;
    if (on_chart_changed) on_chart_changed();
}

namespace {

// The unit an axis's title names, as a tip writes it after a number.
std::string UnitOf(const std::string& title) {
    for (const auto& [word, unit] : {std::pair{"Volts", "V"}, {"Amps", "A"}, {"Amperes", "A"}, {"Ohms", "ohms"},
                                     {"Meters", "m"}, {"Feet", "ft"}})
        if (title.find(word) != std::string::npos) return unit;
    return {};
}

std::string WithUnit(std::string number, const std::string& unit) { return unit.empty() ? number : number + " " + unit; }

}  // namespace

std::string GraphWindow::TipText(bool series0, double x, double y) const {
    return WithUnit(Format(x, "#,##0.0#"), UnitOf(chart_.bottom_title)) + ": " +
           WithUnit(Format(y, series0 ? "#,##0.0" : "#,##0.0#"), UnitOf(series0 ? chart_.right_title : chart_.left_title));
}

void GraphWindow::Print() {
    if (form::ConfirmPrint(host_)) form::PrintOrReport(host_, window);
}

GraphLayout GraphLayoutFor(double width, double height) {
    return {120.0, 600.0, width * 0.75248, height * 0.74397, width - 1900.0, 624.0, height - 960.0};
}

namespace {

double RoundStep(double span) {
    const double rough = span / 5.0;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * decade >= rough * (1.0 - 1e-6)) return m * decade;  // rounding in hi - lo aside
    return 10.0 * decade;
}

int DecimalsFor(double step) { return std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9))); }

// A range of no width around its value. Values computed from single-precision line figures
// scatter in their seventh digit; a curve that moves less than that is flat, and an axis spread
// over its noise would label the noise ("273.8612..." six times over).
void Widen(double& lo, double& hi) {
    if (hi - lo > 1e-6 * std::max(std::fabs(lo), std::fabs(hi))) return;
    const double v = (lo + hi) / 2.0;
    const double half = v == 0.0 ? 0.5 : std::fabs(v) * 0.1;
    lo = v == 0.0 ? 0.0 : v - half;
    hi = v == 0.0 ? 1.0 : v + half;
}

}  // namespace

AxisScale ChooseAxis(double lo, double hi, bool include_zero) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || hi < lo) lo = 0.0, hi = 1.0;
    if (include_zero && lo >= 0.0 && lo < hi * 0.5) lo = 0.0;
    Widen(lo, hi);
    AxisScale a;
    a.step = RoundStep(hi - lo);
    a.lo = std::floor(lo / a.step + 1e-9) * a.step;
    a.hi = std::ceil(hi / a.step - 1e-9) * a.step;
    a.decimals = DecimalsFor(a.step);
    return a;
}

AxisScale LengthAxis(double length) {
    // A line of no length is drawn over the 0.000001 feet that stand for it; its axis is that of
    // a length of nothing, not of a millionth of a foot.
    return TicksFor(0.0, length < kShortestShownLength ? 0.0 : length);
}

AxisScale FitScale(const std::vector<std::pair<double, double>>& points, bool include_zero) {
    double lo = 0.0, hi = 0.0;
    if (!points.empty()) {
        lo = hi = points.front().second;
        for (const auto& [x, y] : points) {
            lo = std::min(lo, y);
            hi = std::max(hi, y);
        }
    }
    return ChooseAxis(lo, hi, include_zero);
}

std::vector<AxisTick> AxisTicks(const AxisScale& a) {
    std::vector<AxisTick> ticks;
    const auto first = static_cast<long long>(std::ceil(a.lo / a.step - 1e-9));
    const auto last = static_cast<long long>(std::floor(a.hi / a.step + 1e-9));
    for (long long k = first; k <= last && k - first < 1000; ++k) {
        const double v = static_cast<double>(k) * a.step;
        ticks.push_back({std::clamp(v, a.lo, a.hi), AxisLabel(v, a.decimals)});
    }
    return ticks;
}

std::string AxisLabel(double value, int decimals) {
    // The tick's value as the picture "#,##0.0…" shows it, without a minus sign on a zero.
    std::string picture = "#,##0";
    if (decimals > 0) picture += "." + std::string(static_cast<std::size_t>(decimals), '0');
    const std::string text = Format(value, picture);
    return text.find_first_of("123456789") == std::string::npos && !text.empty() && text[0] == '-' ? text.substr(1)
                                                                                                  : text;
}

AxisScale TicksFor(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || hi < lo) lo = 0.0, hi = 1.0;
    Widen(lo, hi);
    AxisScale a;
    a.lo = lo;
    a.hi = hi;
    a.step = RoundStep(hi - lo);
    a.decimals = DecimalsFor(a.step);
    return a;
}

std::size_t NearestPoint(const std::vector<std::pair<double, double>>& series, double x) {
    std::size_t best = 0;
    for (std::size_t k = 1; k < series.size(); ++k)
        if (std::fabs(series[k].first - x) < std::fabs(series[best].first - x)) best = k;
    return best;
}

std::vector<std::pair<double, double>> ThinForDrawing(const std::vector<std::pair<double, double>>& series,
                                                      std::size_t buckets) {
    if (buckets == 0 || series.size() <= 2 * buckets) return series;
    std::vector<std::pair<double, double>> out;
    out.reserve(2 * buckets + 2);
    out.push_back(series.front());
    const std::size_t n = series.size();
    for (std::size_t b = 0; b < buckets; ++b) {
        const std::size_t from = b * n / buckets, to = (b + 1) * n / buckets;
        std::size_t lo = from, hi = from;
        for (std::size_t k = from; k < to; ++k) {
            if (series[k].second < series[lo].second) lo = k;
            if (series[k].second > series[hi].second) hi = k;
        }
        out.push_back(series[std::min(lo, hi)]);
        if (hi != lo) out.push_back(series[std::max(lo, hi)]);
    }
    out.push_back(series.back());
    return out;
}

}  // namespace qlx
