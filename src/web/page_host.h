// The browser page's module, shared by its parts (page.cpp: start, state and events;
// page_charts.cpp: the charts' data, tips and texts): the host the page's script drives, the
// defaults record in the browser's storage, and the one page.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "graphs/graph_window.h"
#include "mainwin/defaults_file.h"
#include "mainwin/main_window.h"
#include "sweepwin/sweep_window.h"

namespace qlx::web {

using nlohmann::json;

// A chart's axis for the page: its range and its labelled ticks (page_charts.cpp).
json AxisJson(const qlx::AxisScale& a);

// The browser's own Yes/No box, and its local storage under a key (false when the browser refuses
// a write; nothing when the key holds nothing).
bool AskInBrowser(const std::string& title, const std::string& text);
bool StoreInBrowser(const std::string& key, const std::string& text);
std::optional<std::string> LoadFromBrowser(const std::string& key);

// A file the page keeps in the browser's storage: TL.DEF (its text handed over at start) or the
// user's own cables (read when first asked for).
class PageStore : public qlx::DefaultsStore {
public:
    explicit PageStore(std::string storage_key) : key(std::move(storage_key)) {}
    std::string key;
    std::optional<std::string> text;
    bool load_on_read = false;
    ReadResult Read() override {
        if (load_on_read) text = LoadFromBrowser(key), load_on_read = false;
        if (!text) return {Status::Missing, {}};
        return {Status::Ok, qlx::SplitDefaultsText(std::string_view(*text).substr(0, qlx::kMaxReadBytes), max_lines,
                                                   max_line_length)};
    }
    bool Write(const std::vector<std::string>& lines) override {
        std::string joined = qlx::JoinDefaultsLines(lines, keep_tabs);
        if (text && *text == joined) return true;  // kept already: the storage is not written again
        if (!StoreInBrowser(key, joined)) return false;
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
            return AskInBrowser(title, text) ? qlx::form::Answer::Yes : qlx::form::Answer::No;
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
    PageStore store{"QLX TL.DEF"};
    PageStore cables{std::string("QLX ") + "cables.txt"};
    PageStore settings{std::string("QLX ") + "settings.ini"};
    std::unique_ptr<qlx::MainWindow> main;
    int graph_version = 0, sweep_version = 0, plan_version = 0, own_cable_version = 0;
    bool sweeping = false, scanning = false, open_requested = false;
    // The sweep's plots and Smith traces as last drawn: the tips read these, not a new copy of
    // every point at each move of the pointer.
    std::vector<qlx::sweep::SweepPlot> plots;
    std::vector<qlx::sweep::SmithTrace> traces;

    std::vector<qlx::form::Window*> Windows() {
        qlx::MainWindow& m = *main;
        return {&m.window,        &m.frmOtrCable.window,      &m.frmNB.window,
                &m.frmAutek.window, &m.frmVolt.window,        &m.frmTuner.window,
                &m.frmTuner.frmTuner1.window, &m.frmTuner.frmTuner2.window, &m.frmTuner.frmCompare.window,
                &m.frmSweep.window, &m.frmPlan.window, &m.frmOwnCable.window};
    }
    qlx::form::Window* Find(const std::string& name) {
        for (qlx::form::Window* w : Windows())
            if (w->name() == name) return w;
        return nullptr;
    }
};

extern Page* g_page;

// A reply to the script: JSON text that lives until the next reply.
const char* Reply(const json& j);
// The model's colour for a style sheet; the system's colours are the page's own (empty).
std::string Css(form::Colour c);

}  // namespace qlx::web
