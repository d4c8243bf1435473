// The calculator in a browser page: the desktop's window models (the main window with every
// window it opens), hosted by the page's script instead of Qt widgets. The script forwards typing
// and clicks by window and control name and renders the state this module returns; every text,
// colour, message, rounding and figure comes from the models, none is computed in the page.
//
//   qlx_start(defaults, mark, width_px, height_px)   start-up, with the browser's stored defaults
//   qlx_event(window, control, action, value)        "text", "blur", "click", "select", "choose",
//                                                    "close" (the window's own close control),
//                                                    "cell" (the plan's cell "ROW,COLUMN")
//   qlx_state()  qlx_step()  qlx_save()  qlx_keep()  the state; a slice of a sweep; exit's save; the
//                                                    defaults kept as they change
//   qlx_graph()  qlx_sweep()  qlx_plan()             the charts' data, axes and ticks (the sweep's
//                                                    drawn points in a block of floats; the plan's
//                                                    table too)
//   qlx_graph_tip(series, x)  qlx_plot_tip(plot, curve, x)  qlx_smith_tip(re, im)
//   qlx_text(what)                                   "graph.csv", "sweep.csv", "sweep.s1p",
//                                                    "plan.csv", "plan.json"
//   qlx_schematic(file)                              where a tuner page's values stand on its picture
//
// Each returns JSON text that lives until the next call. A state carries every window's caption
// and visibility, the controls of the visible ones, and what the models asked of the host since
// the last state: message boxes, windows to print, documents to open, the end of the program.
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "web/page_host.h"

namespace qlx::web {

namespace {

// A question (Yes or No) waits for its answer: the browser's own modal box does.
EM_JS(int, js_confirm, (const char* title, const char* text), {
    return window.confirm(UTF8ToString(title) + "\n\n" + UTF8ToString(text)) ? 1 : 0;
});
// The defaults record lives in the browser's local storage; a write the browser refuses (storage
// full, or turned off) leaves the old record and reports failure, as a failed file write does.
EM_JS(int, js_store, (const char* key, const char* text), {
    try {
        window.localStorage.setItem(UTF8ToString(key), UTF8ToString(text));
        return 1;
    } catch (e) {
        return 0;
    }
});
// The stored text in memory the module frees, or 0 when there is none (or no storage).
EM_JS(char*, js_load, (const char* key), {
    let text = null;
    try { text = window.localStorage.getItem(UTF8ToString(key)); } catch (e) {}
    if (text === null) return 0;
    const size = lengthBytesUTF8(text) + 1;
    const p = _malloc(size);
    stringToUTF8(text, p, size);
    return p;
});

}  // namespace

bool AskInBrowser(const std::string& title, const std::string& text) { return js_confirm(title.c_str(), text.c_str()) != 0; }
bool StoreInBrowser(const std::string& key, const std::string& text) { return js_store(key.c_str(), text.c_str()) != 0; }
std::optional<std::string> LoadFromBrowser(const std::string& key) {
    char* text = js_load(key.c_str());
    if (!text) return std::nullopt;
    std::string s(text);
    std::free(text);
    return s;
}

Page* g_page = nullptr;
std::string g_result;

const char* Reply(const json& j) {
    g_result = j.dump(-1, ' ', false, json::error_handler_t::replace);
    return g_result.c_str();
}

std::string Css(qlx::form::Colour c) {
    if (c & 0x80000000u) return {};
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(c & 0xFFFFFFu));
    return text;
}

namespace {

json ControlJson(const qlx::form::Control& c) {
    namespace f = qlx::form;
    json j{{"name", c.name()}, {"visible", c.visible()}, {"enabled", c.enabled()},
           {"fore", Css(c.shown_fore())}, {"back", Css(c.back())}, {"tip", c.shown_tip()}};
    if (c.status() != f::Status::Normal) j["status"] = c.status() == f::Status::Warning ? "warning" : "impossible";
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
           {"scanning", p.scanning},
           {"scan_progress", p.main->frmPlan.progress()},
           {"graph_version", p.graph_version},
           {"sweep_version", p.sweep_version},
           {"plan_version", p.plan_version},
           {"own_cable_version", p.own_cable_version},
           {"max_text", qlx::form::kMaxTextLength},
           {"text_cut", qlx::form::kTextCutMessage}};
    p.host.messages = json::array();
    p.host.prints = json::array();
    p.host.opens = json::array();
    p.open_requested = false;
    return j;
}

}  // namespace

}  // namespace qlx::web

using namespace qlx::web;

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
    p.cables.load_on_read = true;
    p.settings.load_on_read = true;
    p.main = std::make_unique<qlx::MainWindow>(p.host, p.store, &p.cables, &p.settings);
    qlx::MainWindow& m = *p.main;
    m.frmVolt.on_chart_changed = [] { ++g_page->graph_version; };
    m.frmSweep.on_result_changed = [] { ++g_page->sweep_version; };
    m.frmSweep.on_started = [] { g_page->sweeping = true; };
    m.frmSweep.on_open_requested = [] { g_page->open_requested = true; };
    m.frmPlan.on_result_changed = [] { ++g_page->plan_version; };
    m.frmOwnCable.on_chart_changed = [] { ++g_page->own_cable_version; };
    m.frmPlan.on_started = [] { g_page->scanning = true; };
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
        if (w == &p.main->frmPlan.window && act == "cell") {
            const std::size_t comma = val.find(',');
            if (comma != std::string::npos)
                p.main->frmPlan.ClickCell(std::strtoul(val.c_str(), nullptr, 10),
                                          std::strtoul(val.c_str() + comma + 1, nullptr, 10));
        }
    }
    return Reply(State());
}

// Solves points of a running sweep, or lengths of a plan's scan, for a few milliseconds, so the
// page draws and answers between slices.
EMSCRIPTEN_KEEPALIVE const char* qlx_step() {
    Page& p = *g_page;
    qlx::sweep::SweepWindow& s = p.main->frmSweep;
    const double until = emscripten_get_now() + 12.0;
    bool done = !s.running();
    while (!done && emscripten_get_now() < until) done = s.Step(2000) || !s.running();
    p.sweeping = !done;
    qlx::plan::PlanWindow& plan = p.main->frmPlan;
    done = !plan.scanning();
    while (!done && emscripten_get_now() < until) done = plan.StepScan(1);
    p.scanning = plan.scanning();
    return Reply(State());
}

// What the desktop saves on exit, for a page that is being closed.
EMSCRIPTEN_KEEPALIVE void qlx_save() { g_page->main->SaveDefaults(); }

// The defaults as they are now, kept while the page goes on: a browser ended without warning loses
// only the last moments.
EMSCRIPTEN_KEEPALIVE void qlx_keep() {
    if (!g_page->host.quit) g_page->main->KeepDefaults();
}

}  // extern "C"
