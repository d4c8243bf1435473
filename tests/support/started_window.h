// A main window started over a scripted host and a defaults file in memory, as the scenario
// tests of every window drive it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "mainwin/main_window.h"
#include "support/scripted_host.h"

namespace qlx::testing {

// The line the examples use: RG-213 at 14 MHz, 100 feet, 200 - j100 ohms at the load, typed as a
// user types it.
inline void TypeExampleLine(MainWindow& w) {
    w.txtFreq.SetText("14");
    w.cboPickCable.Choose(17);
    w.txtResistance.SetText("200");
    w.txtReactance.SetText("-100");
}

// The main window at `freq` MHz on 30 m of RG-213, the sweep window open with `file` (an
// analyser's measurement at the line input) giving its impedance; false when the file is refused.
inline bool MeasuredThrough30mOfRg213(MainWindow& w, const std::string& freq, const std::string& file) {
    w.optMeters.Select();
    w.cboPickCable.Choose(17);
    w.txtFreq.SetText(freq);
    w.txtLength.SetText("30");
    sweep::SweepWindow& sw = w.frmSweep;
    sw.on_started = [&sw] { sw.Run(); };
    w.cmdSweep.Click();
    return sw.OpenFile(file);
}

struct StartedWindow {
    // Without a file the first start writes the default one.
    explicit StartedWindow(std::optional<std::string> file = std::nullopt, char mark = '.', bool unreadable = false) {
        host.mark = mark;
        store.content = std::move(file);
        store.unreadable = unreadable;
        win = std::make_unique<MainWindow>(host, store);
        win->Load();
    }
    // Types a text into a field and leaves it, as a user does.
    static void Type(form::TextField& field, const std::string& text) {
        field.SetText(text);
        field.LoseFocus();
    }
    ScriptedHost host;
    MemoryDefaultsStore store;
    std::unique_ptr<MainWindow> win;
};

}  // namespace qlx::testing
