// The page's plan window: its table (every cell's text, tip and state) and its two charts, with
// axes and ticks, as the module hands them to the script. The loss chart's frequencies go in
// decades: the script draws log10 of them on a linear axis whose ticks carry the frequencies.
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/format.h"
#include "graphs/graph_window.h"
#include "mainwin/main_window.h"
#include "plan/plan_window.h"
#include "web/page_host.h"

namespace qlx::web {
namespace {

// Ticks at 1, 2 and 5 of each decade within lo..hi (log10 of MHz), labelled in MHz.
json DecadeAxis(double lo, double hi, char mark) {
    json ticks = json::array();
    for (int decade = static_cast<int>(std::floor(lo)); decade <= static_cast<int>(std::ceil(hi)); ++decade)
        for (double step : {1.0, 2.0, 5.0}) {
            const double f = step * std::pow(10.0, decade);
            if (std::log10(f) >= lo && std::log10(f) <= hi) ticks.push_back({{"value", std::log10(f)}, {"label", qlx::ShortestText(f, mark)}});
        }
    return {{"lo", lo}, {"hi", hi}, {"ticks", std::move(ticks)}};
}

}  // namespace

json ChartJson(const qlx::plan::PlanChart& c, char mark) {
    std::vector<std::pair<double, double>> all;
    json curves = json::array();
    for (std::size_t k = 0; k < c.curves.size(); ++k) {
        const qlx::plan::PlanCurve& curve = c.curves[k];
        json points = json::array();
        for (const auto& [x, y] : curve.data) {
            const double px = c.log_x ? std::log10(x) : x;
            points.push_back({px, y});
            all.emplace_back(px, y);
        }
        curves.push_back({{"name", curve.name}, {"colour", Css(curve.colour)}, {"dashed", qlx::form::DashedCurve(k)},
                          {"points", std::move(points)}, {"tips", curve.tips}});
    }
    json x, y;
    if (all.empty()) {
        x = AxisJson(qlx::TicksFor(0.0, 1.0));
        y = AxisJson(qlx::TicksFor(0.0, 1.0));
    } else {
        const auto [lo, hi] = std::minmax_element(all.begin(), all.end());
        x = c.log_x ? DecadeAxis(lo->first - 0.08, hi->first + 0.08, mark)
                    : AxisJson(qlx::TicksFor(lo->first, hi->first > lo->first ? hi->first : lo->first + 1.0));
        y = AxisJson(qlx::FitScale(all, true));
    }
    return {{"title", c.title}, {"x_title", c.x_title}, {"y_title", c.y_title}, {"curves", std::move(curves)},
            {"x", std::move(x)}, {"y", std::move(y)}};
}

namespace {

json CellJson(const qlx::plan::TableCell& c) {
    static constexpr const char* kStates[] = {"matched", "out", "failed", "not-measured"};
    return {{"text", c.text}, {"tip", c.tip}, {"state", kStates[static_cast<int>(c.state)]}, {"best", c.best}};
}

}  // namespace
}  // namespace qlx::web

using namespace qlx::web;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* qlx_own_cable() {
    // The table's (or the measured) points as dots, the fit as a line through them, against the
    // frequency in decades.
    const qlx::OwnCableWindow& w = g_page->main->frmOwnCable;
    const qlx::OwnCableWindow::Chart& c = w.chart();
    qlx::plan::PlanChart chart{"Loss, dB per 100 feet", "MHz", "dB/100 ft", true, {}};
    const auto curve = [](std::string name, qlx::form::Colour colour, const std::vector<qlx::LossPoint>& pts) {
        qlx::plan::PlanCurve k{std::move(name), colour, {}, {}};
        for (const qlx::LossPoint& p : pts) {
            k.data.emplace_back(p.f_mhz, p.db_per_100ft);
            k.tips.push_back(qlx::ShortestText(p.f_mhz) + " MHz: " + qlx::Format(p.db_per_100ft, "0.000") + " dB/100 ft");
        }
        return k;
    };
    // The desktop's colours: the fit blue, the points dark red, those left out grey.
    chart.curves.push_back(curve("Fit", 0x003CDCu, c.curve));
    chart.curves.push_back(curve(w.optFit.selected() ? "Maker's table" : "Measured", qlx::form::kDarkRed, c.points));
    if (!c.left_out.empty()) chart.curves.push_back(curve("Near a quarter wave (not fitted)", 0x787878u, c.left_out));
    json j = ChartJson(chart, g_page->host.mark);
    // Only the fit is a line; the points stand alone.
    for (std::size_t k = 1; k < j["curves"].size(); ++k) j["curves"][k]["line"] = false;
    return Reply(j);
}

EMSCRIPTEN_KEEPALIVE const char* qlx_plan() {
    const qlx::plan::PlanWindow& p = g_page->main->frmPlan;
    const char mark = g_page->host.mark;
    const qlx::plan::PlanTable t = p.Table();
    json rows = json::array();
    for (const qlx::plan::TableRow& r : t.rows) {
        json cells = json::array();
        for (const qlx::plan::TableCell& c : r.cells) cells.push_back(CellJson(c));
        json row{{"band", r.band}, {"freq", r.freq}, {"cells", std::move(cells)}};
        if (r.have) row["have"] = CellJson(*r.have);
        rows.push_back(std::move(row));
    }
    return Reply({{"columns", t.columns},
                  {"rows", std::move(rows)},
                  {"loss", ChartJson(p.LossChart(), mark)},
                  {"lengths", ChartJson(p.LengthChart(), mark)}});
}

}  // extern "C"
