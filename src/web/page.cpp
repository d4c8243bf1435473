// The calculator in a browser page: the desktop's window models (the main window with every
// window it opens), hosted by the page's script instead of Qt widgets. The script forwards typing
// and clicks by window and control name and renders the state this module returns; every text,
// colour, message, rounding and figure comes from the models, none is computed in the page.
//
//   qlx_start(defaults, mark, width_px, height_px)   start-up, with the browser's stored defaults
//   qlx_event(window, control, action, value)        "text", "blur", "click", "select", "choose",
//                                                    "close" (the window's own close control)
//   qlx_state()  qlx_step()  qlx_save()              the state; a slice of a sweep; exit's save
//   qlx_graph()  qlx_sweep()                         the charts' data, axes and ticks (the sweep's
//                                                    drawn points in a block of floats)
//   qlx_graph_tip(series, x)  qlx_plot_tip(plot, curve, x)  qlx_smith_tip(re, im)
//   qlx_text(what)                                   "graph.csv", "sweep.csv", "sweep.s1p"
//   qlx_schematic(file)                              where a tuner page's values stand on its picture
//
// Each returns JSON text that lives until the next call. A state carries every window's caption
// and visibility, the controls of the visible ones, and what the models asked of the host since
// the last state: message boxes, windows to print, documents to open, the end of the program.
#include <emscripten.h>

#include <algorithm>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/format.h"
#include "graphs/graph_data.h"
#include "graphs/graph_window.h"
#include "mainwin/defaults_file.h"
#include "mainwin/main_window.h"
#include "sweep/smith.h"
#include "tuner/schematic_layout.h"
#include "sweepwin/sweep_window.h"

namespace {

using nlohmann::json;

// A question (Yes or No) waits for its answer: the browser's own modal box does.
EM_JS(int, js_confirm, (const char* title, const char* text), {
    return window.confirm(UTF8ToString(title) + "\n\n" + UTF8ToString(text)) ? 1 : 0;
});
// The defaults record lives in the browser's local storage; a write the browser refuses (storage
// full, or turned off) leaves the old record and reports failure, as a failed file write does.
EM_JS(int, js_store_defaults, (const char* text), {
    try {
        window.localStorage.setItem("QLX TL.DEF", UTF8ToString(text));
        return 1;
    } catch (e) {
        return 0;
    }
});

class PageStore : public qlx::DefaultsStore {
public:
    std::optional<std::string> text;
    ReadResult Read() override {
        if (!text) return {Status::Missing, {}};
        return {Status::Ok, qlx::SplitDefaultsText(std::string_view(*text).substr(0, qlx::kMaxReadBytes))};
    }
    bool Write(const std::vector<std::string>& lines) override {
        std::string joined = qlx::JoinDefaultsLines(lines);
        if (!js_store_defaults(joined.c_str())) return false;
        text = std::move(joined);
        return true;
    }
};

// What the page cannot do inside an event (wait for a window to close, print, open a document) it
// is asked to do when the event has returned: the host keeps the requests for the next state.
class PageHost : public qlx::form::Host {
public:
    struct Modal {
        qlx::form::Window* window;
        std::function<void()> closed;
    };

    qlx::form::Answer ShowMessage(const std::string& text, const std::string& title,
                                  qlx::form::Buttons buttons) override {
        if (buttons == qlx::form::Buttons::YesNo)
            return js_confirm(title.c_str(), text.c_str()) ? qlx::form::Answer::Yes : qlx::form::Answer::No;
        messages.push_back({{"title", title}, {"text", text}});
        return buttons == qlx::form::Buttons::Ok ? qlx::form::Answer::Ok : qlx::form::Answer::Cancel;
    }
    void ShowModal(qlx::form::Window& window) override { ShowModalThen(window, {}); }
    void ShowModalThen(qlx::form::Window& window, std::function<void()> closed) override {
        window.SetVisible(true);
        modals.push_back({&window, std::move(closed)});
    }
    void ShowModeless(qlx::form::Window& window) override { window.SetVisible(true); }
    // The page prints the window's part of itself once the event has returned.
    bool PrintWindow(qlx::form::Window& window) override {
        prints.push_back(window.name());
        return true;
    }
    qlx::form::OpenResult OpenDocument(const std::string& path) override {
        opens.push_back(path.substr(path.find_last_of('/') + 1));
        return qlx::form::OpenResult::Opened;
    }
    float ScreenWidthTwips() override { return screen_width; }
    float ScreenHeightTwips() override { return screen_height; }
    std::string ProgramDirectory() override { return "/qlx"; }
    char DecimalMark() override { return mark; }
    void Quit() override { quit = true; }

    // Runs the follow-up of each modal window the user has closed, the innermost first.
    void SettleModals() {
        while (!modals.empty() && !modals.back().window->visible()) {
            Modal m = std::move(modals.back());
            modals.pop_back();
            if (m.closed) m.closed();
        }
    }

    char mark = '.';
    float screen_width = 1e9f, screen_height = 1e9f;
    std::vector<Modal> modals;
    json messages = json::array(), prints = json::array(), opens = json::array();
    bool quit = false;
};

struct Page {
    PageHost host;
    PageStore store;
    std::unique_ptr<qlx::MainWindow> main;
    int graph_version = 0, sweep_version = 0;
    bool sweeping = false, open_requested = false;
    // The sweep's plots and Smith traces as last drawn: the tips read these, not a new copy of
    // every point at each move of the pointer.
    std::vector<qlx::sweep::SweepPlot> plots;
    std::vector<qlx::sweep::SmithTrace> traces;

    std::vector<qlx::form::Window*> Windows() {
        qlx::MainWindow& m = *main;
        return {&m.window,        &m.frmOtrCable.window,      &m.frmNB.window,
                &m.frmAutek.window, &m.frmVolt.window,        &m.frmTuner.window,
                &m.frmTuner.frmTuner1.window, &m.frmTuner.frmTuner2.window, &m.frmTuner.frmCompare.window,
                &m.frmSweep.window};
    }
    qlx::form::Window* Find(const std::string& name) {
        for (qlx::form::Window* w : Windows())
            if (w->name() == name) return w;
        return nullptr;
    }
};

Page* g_page = nullptr;
std::string g_result;

const char* Reply(const json& j) {
    g_result = j.dump(-1, ' ', false, json::error_handler_t::replace);
    return g_result.c_str();
}

// The model's colour for a style sheet; the system's colours are the page's own (empty).
std::string Css(qlx::form::Colour c) {
    if (c & 0x80000000u) return {};
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(c & 0xFFFFFFu));
    return text;
}

json ControlJson(const qlx::form::Control& c) {
    namespace f = qlx::form;
    json j{{"name", c.name()}, {"visible", c.visible()}, {"enabled", c.enabled()},
           {"fore", Css(c.fore())}, {"back", Css(c.back())}, {"tip", c.tool_tip()}};
    if (const auto* t = dynamic_cast<const f::TextField*>(&c)) {
        j["kind"] = "text";
        j["text"] = t->text();
        j["read_only"] = t->read_only();
    } else if (const auto* l = dynamic_cast<const f::Label*>(&c)) {
        j["kind"] = "label";
        j["text"] = l->caption();
    } else if (const auto* b = dynamic_cast<const f::Button*>(&c)) {
        j["kind"] = "button";
        j["text"] = b->caption();
    } else if (const auto* o = dynamic_cast<const f::Option*>(&c)) {
        j["kind"] = "option";
        j["text"] = o->caption();
        j["selected"] = o->selected();
    } else if (const auto* list = dynamic_cast<const f::ListBox*>(&c)) {
        j["kind"] = "list";
        j["items"] = list->items();
        j["position"] = list->position();
    } else if (const auto* p = dynamic_cast<const f::Picture*>(&c)) {
        j["kind"] = "picture";
        j["text"] = p->path().substr(p->path().find_last_of('/') + 1);
    }
    return j;
}

json State() {
    Page& p = *g_page;
    p.host.SettleModals();
    json windows = json::array();
    for (qlx::form::Window* w : p.Windows()) {
        json jw{{"name", w->name()}, {"caption", w->caption()}, {"visible", w->visible()}, {"back", Css(w->back())},
                {"dialog", w->dialog()}};
        if (w->visible()) {
            json controls = json::array();
            for (const qlx::form::Control* c : w->controls()) controls.push_back(ControlJson(*c));
            jw["controls"] = std::move(controls);
        }
        windows.push_back(std::move(jw));
    }
    json modal = p.host.modals.empty() ? json() : json(p.host.modals.back().window->name());
    json j{{"windows", std::move(windows)},
           {"modal", modal},
           {"messages", p.host.messages},
           {"prints", p.host.prints},
           {"opens", p.host.opens},
           {"quit", p.host.quit},
           {"open_file", p.open_requested},
           {"sweeping", p.sweeping},
           {"progress", p.main->frmSweep.progress()},
           {"graph_version", p.graph_version},
           {"sweep_version", p.sweep_version}};
    p.host.messages = json::array();
    p.host.prints = json::array();
    p.host.opens = json::array();
    p.open_requested = false;
    return j;
}

json AxisJson(const qlx::AxisScale& a) {
    json ticks = json::array();
    for (const qlx::AxisTick& t : qlx::AxisTicks(a)) ticks.push_back({{"value", t.value}, {"label", t.label}});
    return {{"lo", a.lo}, {"hi", a.hi}, {"ticks", std::move(ticks)}};
}

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
    return {{"line", Css(s.line)}, {"title", Css(s.title)}, {"width", s.width}};
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* qlx_start(const char* defaults, int has_defaults, int mark, double width_px,
                                           double height_px) {
    delete g_page;
    g_page = new Page;
    Page& p = *g_page;
    if (has_defaults) p.store.text = defaults;
    p.host.mark = mark == ',' ? ',' : '.';
    p.host.screen_width = static_cast<float>(width_px * 15.0);  // 15 twips a CSS pixel
    p.host.screen_height = static_cast<float>(height_px * 15.0);
    p.main = std::make_unique<qlx::MainWindow>(p.host, p.store);
    qlx::MainWindow& m = *p.main;
    m.frmVolt.on_chart_changed = [] { ++g_page->graph_version; };
    m.frmSweep.on_result_changed = [] { ++g_page->sweep_version; };
    m.frmSweep.on_started = [] { g_page->sweeping = true; };
    m.frmSweep.on_open_requested = [] { g_page->open_requested = true; };
    m.Load();
    m.window.SetVisible(true);
    return Reply(State());
}

EMSCRIPTEN_KEEPALIVE const char* qlx_state() { return Reply(State()); }

EMSCRIPTEN_KEEPALIVE const char* qlx_event(const char* window, const char* control, const char* action,
                                           const char* value) {
    namespace f = qlx::form;
    Page& p = *g_page;
    f::Window* w = p.Find(window);
    const std::string act = action, name = control, val = value;
    if (w && act == "close") {
        if (w == &p.main->window) {
            p.main->CloseRequest(true);
        } else {
            // Leaving a modal dialog by Escape or its close control is its Cancel, where it has one
            // (the instrument dialogs: the impedance goes back to the load).
            const bool modal = std::any_of(p.host.modals.begin(), p.host.modals.end(),
                                           [w](const PageHost::Modal& m) { return m.window == w; });
            for (f::Control* c : w->controls())
                if (auto* b = dynamic_cast<f::Button*>(c); modal && b && b->name() == "cmdCancel") b->Click();
            w->SetVisible(false);
        }
    } else if (w && w->visible()) {
        // A control takes what a user could do to it: only in a window shown, only when enabled.
        for (f::Control* c : w->controls()) {
            if (c->name() != name) continue;
            if (auto* t = dynamic_cast<f::TextField*>(c)) {
                if (act == "text" && t->enabled()) t->SetText(val);
                if (act == "blur") t->LoseFocus();
            } else if (auto* b = dynamic_cast<f::Button*>(c)) {
                if (act == "click" && b->enabled()) b->Click();
            } else if (auto* o = dynamic_cast<f::Option*>(c)) {
                if (act == "select" && o->enabled()) o->Select();
            } else if (auto* l = dynamic_cast<f::ListBox*>(c)) {
                // Only an entry the list holds can be chosen.
                const int k = std::atoi(val.c_str());
                if (act == "choose" && l->enabled() && k >= 0 && k < static_cast<int>(l->items().size())) l->Choose(k);
            }
            break;
        }
        if (w == &p.main->frmSweep.window && act == "open") p.main->frmSweep.OpenFile(val);
    }
    return Reply(State());
}

// Solves points of a running sweep for a few milliseconds, so the page draws between slices.
EMSCRIPTEN_KEEPALIVE const char* qlx_step() {
    Page& p = *g_page;
    qlx::sweep::SweepWindow& s = p.main->frmSweep;
    const double until = emscripten_get_now() + 12.0;
    bool done = !s.running();
    while (!done && emscripten_get_now() < until) done = s.Step(2000) || !s.running();
    p.sweeping = !done;
    return Reply(State());
}

// What the desktop saves on exit, for a page that is being closed.
EMSCRIPTEN_KEEPALIVE void qlx_save() { g_page->main->SaveDefaults(); }

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
    return Reply(TipJson(px, py, qlx::GraphWindow::TipText(series == 0, px, py)));
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
        for (const qlx::sweep::SweepCurve& c : p.curves) {
            const auto drawn = qlx::ThinForDrawing(c.data, kDrawnBuckets);
            if (c.shown) all.insert(all.end(), drawn.begin(), drawn.end());
            curves.push_back({{"name", c.name}, {"colour", Css(c.colour)}, {"shown", c.shown}, {"points", PointsBlock(drawn)}});
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
    for (const qlx::sweep::SmithTrace& t : g_page->traces) {
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
        traces.push_back({{"name", t.name}, {"colour", Css(t.colour)}, {"gammas", PointsBlock(gammas)}});
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
    return Reply(json());
}

}  // extern "C"
