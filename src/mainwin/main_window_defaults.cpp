// The main window and TL.DEF: the record read into the windows at start, and written from them
// on exit.
#include "mainwin/main_window.h"
#include "core/settings_file.h"

#include <cmath>

#include "core/format.h"
#include "core/numbers.h"

namespace qlx {

// ---- TL.DEF ----

StoredUserLine MainWindow::StoredUser() const {
    // The file's record, line by line; a missing line (or no readable file) is the first start's.
    const DefaultsStore::ReadResult file = store_.Read();
    if (file.status != DefaultsStore::Status::Ok) return FirstStartRecord().user;
    return ParseDefaults(file.lines).record.user;
}


void MainWindow::LoadDefaults() {
    AppDir = host_.ProgramDirectory();
    const DefaultsStore::ReadResult file = store_.Read();
    if (file.status == DefaultsStore::Status::Missing) {
        WriteDefaultFile();
        return;
    }
    if (file.status != DefaultsStore::Status::Ok) return;

    // Each line is read on its own: a missing or damaged one leaves its field as it is (and the
    // next save writes the field's value there), and loading goes on with the next.
    const ParsedDefaults p = ParseDefaults(file.lines);
    const DefaultsRecord& r = p.record;
    const auto select_unit = [this] {
        if (Ft == "F")
            optFeet.Select();
        else
            optMeters.Select();
    };
    if (p.unit_read()) {
        Ft = r.unit;
        select_unit();
    }
    if (p.vel_factor_read()) frmOtrCable.txtVF.SetText(r.user.vel_factor);
    if (p.window_read(0)) window.Move(r.windows[0].left, r.windows[0].top);
    if (p.window_read(1))
        frmVolt.window.SetGeometry(r.windows[1].left, r.windows[1].top, r.windows[1].height, r.windows[1].width);
    form::Window* tuners[] = {&frmTuner.window, &frmTuner.frmTuner1.window, &frmTuner.frmTuner2.window};
    for (std::size_t i = 0; i < 3; ++i)
        if (p.window_read(2 + i)) tuners[i]->Move(r.windows[2 + i].left, r.windows[2 + i].top);
    if (p.length_read()) {
        const double n = ParseNumber(r.length_ft);  // a comma is a decimal mark here too
        txtLength.SetText(Format(Ft == "F" ? n : n / kFeetPerMeter, "###0.000", mark_));
    }
    if (p.freq_read()) txtFreq.SetText(r.freq);
    if (p.resistance_read()) txtResistance.SetText(r.resistance);
    if (p.reactance_read()) txtReactance.SetText(r.reactance);
    if (p.cable_read()) {
        cboPickCable.SetPosition(r.cable);
        listed_position_ = r.cable;
    }
    if (p.unit_read()) select_unit();
}

void MainWindow::WriteDefaultFile() {
    const auto& defaults = DefaultDefaultsLines();
    store_.Write(std::vector<std::string>(defaults.begin(), defaults.end()));
    const DefaultsRecord& first = FirstStartRecord();
    Ft = "F";
    // The windows go where the file just written puts them.
    const auto& w = first.windows;
    window.Move(w[0].left, w[0].top);
    frmVolt.window.SetGeometry(w[1].left, w[1].top, w[1].height, w[1].width);
    frmTuner.window.Move(w[2].left, w[2].top);
    frmTuner.frmTuner1.window.Move(w[3].left, w[3].top);
    frmTuner.frmTuner2.window.Move(w[4].left, w[4].top);
}

bool MainWindow::Showable(float width, float height) const {
    return std::isfinite(width) && std::isfinite(height) && width > 0.0f && height > 0.0f &&
           width <= host_.ScreenWidthTwips() && height <= host_.ScreenHeightTwips();
}

DefaultsRecord MainWindow::CurrentRecord() const {
    DefaultsRecord r;
    r.unit = optFeet.selected() ? "F" : "M";
    r.user = StoredUser();
    const auto at = [](const form::Window& w) { return Geometry{w.left(), w.top(), w.height(), w.width()}; };
    r.windows = {at(window), at(frmVolt.window), at(frmTuner.window), at(frmTuner.frmTuner1.window),
                 at(frmTuner.frmTuner2.window)};
    // The graph window keeps its own size, unless it could not be shown on this screen.
    const form::Window& graph = frmVolt.window;
    if (!Showable(graph.width(), graph.height())) r.windows[1] = FirstStartRecord().windows[1];
    // The file keeps the length in feet, with a point as decimal mark whatever the user's mark,
    // and a length in meters with all its digits, so that it comes back as it went.
    std::string length = txtLength.text();
    if (optFeet.selected()) {
        if (const std::size_t comma = length.find(','); comma != std::string::npos) length[comma] = '.';
    } else {
        length = Format(ParseNumber(length) * kFeetPerMeter, "####.000##", '.');
    }
    r.length_ft = length;
    r.cable = cboPickCable.position() < kListEntries ? cboPickCable.position() : listed_position_;
    r.freq = txtFreq.text();
    r.resistance = txtResistance.text();
    r.reactance = txtReactance.text();
    return r;
}

void MainWindow::KeepDefaults() {
    // The user-defined line is kept as the file has it; the rest is the windows' state. A failed
    // write leaves the old file whole; the program carries on all the same.
    store_.Write(DefaultsLines(CurrentRecord(), mark_));
    RememberSettings();
}

// ---- QLX settings.ini ----

void MainWindow::RecallSettings() {
    if (!settings_store_) return;
    settings_recalled_ = true;
    const DefaultsStore::ReadResult read = settings_store_->Read();
    if (read.status != DefaultsStore::Status::Ok) return;
    const Settings s = ParseSettings(read.lines);
    const auto get = [&s](const char* key) { return Setting(s, key); };
    if (const auto* v = get("graph")) (*v == "rx" ? optResisReac : optVoltCurr).Select();
    if (const auto* v = get("tuner.network"))
        for (form::Option* o : {&frmTuner.optLNet1, &frmTuner.optLNet2, &frmTuner.optPiNet, &frmTuner.optTeeNet})
            if (o->name() == *v) o->Select();
    for (form::TextField TunerWindow::*field : kTunerSettingFields) {
        form::TextField& f = frmTuner.*field;
        if (const auto* v = get(("tuner." + f.name()).c_str())) f.SetText(*v);
    }
    if (const auto* v = get("plan.region"))
        for (form::Option* o : {&frmPlan.optRegion1, &frmPlan.optRegion2, &frmPlan.optRegion3})
            if (o->name() == *v) o->Select();
    frmSweep.Recall(s, ParseNumber(txtFreq.text()));
    // A cable of one's own chosen last (TL.DEF keeps only the catalogue's positions).
    if (const auto* v = get("cable"))
        for (std::size_t k = 0; k < own_file_.cables.size(); ++k)
            if (own_file_.cables[k].name == *v) cboPickCable.SetPosition(kListEntries + static_cast<int>(k));
}

void MainWindow::RememberSettings() {
    // Not before the file has been read: starting writes TL.DEF, and would write over it.
    if (!settings_store_ || !settings_recalled_) return;
    Settings s;
    // What the file held and this window does not set is kept (a later version's keys).
    if (const DefaultsStore::ReadResult read = settings_store_->Read(); read.status == DefaultsStore::Status::Ok)
        s = ParseSettings(read.lines);
    s["graph"] = optResisReac.selected() ? "rx" : "vi";
    for (const form::Option* o : {&frmTuner.optLNet1, &frmTuner.optLNet2, &frmTuner.optPiNet, &frmTuner.optTeeNet})
        if (o->selected()) s["tuner.network"] = o->name();
    for (form::TextField TunerWindow::*field : kTunerSettingFields) {
        const form::TextField& f = frmTuner.*field;
        s["tuner." + f.name()] = f.text();
    }
    for (const form::Option* o : {&frmPlan.optRegion1, &frmPlan.optRegion2, &frmPlan.optRegion3})
        if (o->selected()) s["plan.region"] = o->name();
    frmSweep.Remember(s);
    const int own = cboPickCable.position() - kListEntries;
    if (own >= 0 && own < static_cast<int>(own_file_.cables.size()))
        s["cable"] = own_file_.cables[static_cast<std::size_t>(own)].name;
    else
        s.erase("cable");
    settings_store_->Write(SettingsLines(s));  // a failed write leaves the old file; nothing else depends on it
}

void MainWindow::SaveDefaults() {
    frmNB.window.Unload();
    frmAutek.window.Unload();
    frmOtrCable.window.Unload();

    KeepDefaults();
    for (form::Window* w : {&window, &frmVolt.window, &frmTuner.window, &frmTuner.frmTuner1.window,
                            &frmTuner.frmTuner2.window, &frmSweep.window})
        w->Unload();
}

}  // namespace qlx
