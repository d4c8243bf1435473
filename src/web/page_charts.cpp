// The page's charts: the graph's and the sweep's data, axes, ticks and grid as the module hands
// them to the script, the tips at the pointer, the schematic's value boxes and the texts to save.
#include <emscripten.h>

#include <algorithm>
#include <complex>
#include <cstdint>
#include <string>
#include <vector>

#include "core/format.h"
#include "graphs/graph_data.h"
#include "graphs/graph_window.h"
#include "sweep/smith.h"
#include "tuner/schematic_layout.h"
#include "web/page_host.h"

namespace qlx::web {

json AxisJson(const qlx::AxisScale& a) {
    json ticks = json::array();
    for (const qlx::AxisTick& t : qlx::AxisTicks(a)) ticks.push_back({{"value", t.value}, {"label", t.label}});
    return {{"lo", a.lo}, {"hi", a.hi}, {"ticks", std::move(ticks)}};
}

namespace {

// A chart's curves are drawn thinned (the picture is the same at a page's widths); tips read the
// whole data.
constexpr std::size_t kDrawnBuckets = 800;
constexpr std::size_t kDrawnSmithPoints = 2000;

// A chart's drawn points go to the page as one block of single floats it reads in place (a
// 10,001-point sweep as JSON text took longer to write and read than to solve); a curve in the
// reply names where its x, y pairs start and how many there are.
std::vector<float> g_points;

json PointsBlock(const std::vector<std::pair<double, double>>& data) {
    const std::size_t offset = g_points.size();
    for (const auto& [x, y] : data) {
        g_points.push_back(static_cast<float>(x));
        g_points.push_back(static_cast<float>(y));
    }
    return {{"offset", offset}, {"count", data.size()}};
}

json TipJson(double x, double y, const std::string& text) { return {{"x", x}, {"y", y}, {"text", text}}; }

// The Smith chart's grid for a reference: circles as [centre re, centre im, radius], arcs as
// lists of reflections, labels with where they stand.
json SmithGridJson(double zref) {
    namespace sw = qlx::sweep;
    const sw::SmithGridLines grid = sw::SmithGrid(zref, 48);
    json circles = json::array(), arcs = json::array(), labels = json::array();
    for (const sw::SmithCircle& c : grid.resistances) circles.push_back({c.centre.real(), c.centre.imag(), c.radius});
    for (const auto& arc : grid.reactances) {
        json points = json::array();
        for (const std::complex<double>& g : arc) points.push_back({g.real(), g.imag()});
        arcs.push_back(std::move(points));
    }
    static constexpr const char* kPlaces[] = {"left-above", "left", "right", "outside"};
    for (const sw::SmithLabel& l : grid.labels)
        labels.push_back({{"at", {l.at.real(), l.at.imag()}}, {"text", l.text},
                          {"place", kPlaces[static_cast<int>(l.place)]}});
    return {{"circles", std::move(circles)}, {"arcs", std::move(arcs)}, {"labels", std::move(labels)}};
}

// A curve's colour, its axis title's colour and its width.
json StyleJson(const qlx::GraphWindow::CurveStyle& s) {
    return {{"line", Css(s.line)}, {"title", Css(s.title)}, {"width", s.width}, {"dashed", s.dashed}};
}

}  // namespace
}  // namespace qlx::web

using namespace qlx::web;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* qlx_graph() {
    const qlx::GraphWindow& g = g_page->main->frmVolt;
    const qlx::GraphWindow::Chart& c = g.chart();
    g_points.clear();
    return Reply({{"title", c.title},
                  {"bottom_title", c.bottom_title},
                  {"left_title", c.left_title},
                  {"right_title", c.right_title},
                  {"bottom", AxisJson(qlx::LengthAxis(c.bottom_max))},
                  {"right", AxisJson(qlx::FitScale(c.series0, true))},
                  {"left", AxisJson(qlx::FitScale(c.series1, true))},
                  {"series0", PointsBlock(c.series0)},
                  {"series1", PointsBlock(c.series1)},
                  {"styles", json::array({StyleJson(c.kSeries0), StyleJson(c.kSeries1)})},
                  {"block", reinterpret_cast<std::uintptr_t>(g_points.data())}});
}

EMSCRIPTEN_KEEPALIVE const char* qlx_graph_tip(int series, double x) {
    const qlx::GraphWindow::Chart& c = g_page->main->frmVolt.chart();
    const auto& points = series == 0 ? c.series0 : c.series1;
    if (points.empty()) return Reply(json());
    const auto& [px, py] = points[qlx::NearestPoint(points, x)];
    return Reply(TipJson(px, py, g_page->main->frmVolt.TipText(series == 0, px, py)));
}

EMSCRIPTEN_KEEPALIVE const char* qlx_sweep() {
    const qlx::sweep::SweepWindow& s = g_page->main->frmSweep;
    const auto& pts = s.points();
    g_page->plots = s.Plots();
    g_page->traces = s.Traces();
    g_points.clear();
    json plots = json::array();
    for (const qlx::sweep::SweepPlot& p : g_page->plots) {
        json curves = json::array();
        std::vector<std::pair<double, double>> all;
        for (std::size_t k = 0; k < p.curves.size(); ++k) {
            const qlx::sweep::SweepCurve& c = p.curves[k];
            const auto drawn = qlx::ThinForDrawing(c.data, kDrawnBuckets);
            if (c.shown) all.insert(all.end(), drawn.begin(), drawn.end());
            curves.push_back({{"name", c.name}, {"colour", Css(c.colour)}, {"shown", c.shown},
                              {"dashed", qlx::form::DashedCurve(k)}, {"points", PointsBlock(drawn)}});
        }
        json plot{{"title", p.title}, {"y_title", p.y_title}, {"curves", std::move(curves)},
                  {"y", AxisJson(qlx::FitScale(all, p.y_from_zero))}};
        if (!pts.empty())
            plot["x"] = AxisJson(qlx::TicksFor(qlx::sweep::ShownMHz(pts.front().f_mhz), qlx::sweep::ShownMHz(pts.back().f_mhz)));
        if (p.mark) plot["mark"] = {p.mark->first, p.mark->second};
        plots.push_back(std::move(plot));
    }
    // The Smith chart's traces as reflections; a long trace is drawn from every k-th point.
    const double zref = s.reference();
    json traces = json::array();
    for (std::size_t n = 0; n < g_page->traces.size(); ++n) {
        const qlx::sweep::SmithTrace& t = g_page->traces[n];
        const std::size_t stride = std::max<std::size_t>(1, t.z.size() / kDrawnSmithPoints);
        std::vector<std::pair<double, double>> gammas;
        for (std::size_t k = 0; k < t.z.size(); k += stride) {
            const std::complex<double> g = qlx::sweep::Gamma(t.z[k], zref);
            gammas.emplace_back(g.real(), g.imag());
        }
        if (!t.z.empty() && (t.z.size() - 1) % stride != 0) {
            const std::complex<double> g = qlx::sweep::Gamma(t.z.back(), zref);
            gammas.emplace_back(g.real(), g.imag());
        }
        traces.push_back({{"name", t.name}, {"colour", Css(t.colour)}, {"dashed", qlx::form::DashedCurve(n)},
                          {"gammas", PointsBlock(gammas)}});
    }
    const qlx::sweep::SweepWindow::SmithTexts texts = s.SmithTextsOfRun();
    json smith{{"traces", std::move(traces)}, {"grid", SmithGridJson(zref)}, {"reference_text", texts.reference},
               {"key", texts.key}, {"first", texts.first}, {"last", texts.last}};
    if (const auto best = s.LowestSwrAtLoad()) {
        const std::complex<double> g = qlx::sweep::Gamma(g_page->traces[0].z[*best], zref);
        smith["best"] = {g.real(), g.imag()};
    }
    return Reply({{"plots", std::move(plots)},
                  {"smith", std::move(smith)},
                  {"points", pts.size()},
                  {"block", reinterpret_cast<std::uintptr_t>(g_points.data())}});
}

EMSCRIPTEN_KEEPALIVE const char* qlx_plot_tip(int plot, int curve, double x) {
    const qlx::sweep::SweepWindow& s = g_page->main->frmSweep;
    const std::vector<qlx::sweep::SweepPlot>& plots = g_page->plots;
    if (plot < 0 || plot >= static_cast<int>(plots.size())) return Reply(json());
    const qlx::sweep::SweepPlot& p = plots[static_cast<std::size_t>(plot)];
    if (curve < 0 || curve >= static_cast<int>(p.curves.size())) return Reply(json());
    const qlx::sweep::SweepCurve& c = p.curves[static_cast<std::size_t>(curve)];
    if (c.data.empty() || !c.shown) return Reply(json());
    const auto& [px, py] = c.data[qlx::NearestPoint(c.data, x)];
    return Reply(TipJson(px, py, s.CurveTipText(c.name, px, py, p.picture)));
}

EMSCRIPTEN_KEEPALIVE const char* qlx_smith_tip(double re, double im) {
    const qlx::sweep::SweepWindow& s = g_page->main->frmSweep;
    const std::vector<qlx::sweep::SmithTrace>& traces = g_page->traces;
    std::vector<const std::vector<std::complex<double>>*> zs;
    for (const auto& t : traces) zs.push_back(&t.z);
    const auto nearest = qlx::sweep::NearestOfTraces(zs, s.reference(), {re, im});
    if (!nearest) return Reply(json());
    const std::complex<double> g = qlx::sweep::Gamma(traces[nearest->trace].z[nearest->index], s.reference());
    return Reply(TipJson(g.real(), g.imag(), s.TraceTipText(nearest->index, nearest->trace)));
}

EMSCRIPTEN_KEEPALIVE const char* qlx_schematic(const char* file) {
    namespace sc = qlx::tuner::schematic;
    const auto boxes = sc::ValueBoxesFor(file);
    if (!boxes) return Reply(json());
    const auto box = [](const sc::Box& b) { return json{b.x, b.y, b.w, b.h}; };
    return Reply({{"width", sc::kWidth},
                  {"height", sc::kHeight},
                  {"boxes",
                   {{"txtLeftX", box((*boxes)[0])},
                    {"TxtMidX", box((*boxes)[1])},
                    {"txtRightX", box((*boxes)[2])},
                    {"txtInputR", box(sc::kInputRBox)},
                    {"txtLoadZ", box(sc::kLoadZBox)},
                    {"txtCStray", box(sc::kStrayBox)}}}});
}

EMSCRIPTEN_KEEPALIVE const char* qlx_text(const char* what) {
    const std::string w = what;
    qlx::MainWindow& m = *g_page->main;
    if (w == "graph.csv") return Reply(qlx::GraphCsv(m.frmVolt.shown()));
    if (w == "sweep.csv") return Reply(m.frmSweep.Csv());
    if (w == "sweep.s1p") return Reply(m.frmSweep.Touchstone());
    if (w == "plan.csv") return Reply(m.frmPlan.Csv());
    if (w == "plan.json") return Reply(m.frmPlan.Json());
    return Reply(json());
}

}  // extern "C"
