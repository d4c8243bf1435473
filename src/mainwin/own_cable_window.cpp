#include "mainwin/own_cable_window.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "core/format.h"
#include "core/number_text.h"
#include "core/numbers.h"
#include "sweep/cable_measure.h"
#include "sweep/touchstone.h"

namespace qlx {

namespace {

std::optional<double> Entry(const form::TextField& f) {
    double v = 0.0;
    if (!ReadWholeNumber(TrimBlanks(f.text()), v).ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

// The fitted curve over the table's span, evenly in the logarithm of the frequency.
std::vector<LossPoint> Curve(const OwnCable& c, double lo, double hi) {
    std::vector<LossPoint> curve;
    if (!(lo > 0.0) || !(hi >= lo)) return curve;
    constexpr int kSteps = 80;
    for (int k = 0; k <= kSteps; ++k) {
        const double f = lo * std::pow(hi / lo, static_cast<double>(k) / kSteps);
        curve.push_back({f, OwnLossPer100Ft(c, f)});
    }
    return curve;
}

// A row of the residuals' table in columns of fixed width (the table is shown in a fixed font).
std::string Row(std::initializer_list<std::string> cells) {
    std::string row;
    for (const std::string& c : cells) row += std::string(c.size() < 11 ? 11 - c.size() : 1, ' ') + c;
    return row + "\n";
}

}  // namespace

OwnCableWindow::OwnCableWindow() {
    how_.Add(optFit);
    how_.Add(optMeasure);
    how_.Add(optStub);
    per_.Add(optPer100ft);
    per_.Add(optPer100m);
    sample_unit_.Add(optSampleFeet);
    sample_unit_.Add(optSampleMeters);
    fraHow.SetCaption("From");
    optFit.SetCaption("A maker's &table");
    optMeasure.SetCaption("A sample &measured open and shorted");
    optStub.SetCaption("A st&ub's quarter wave");
    lblQuarterWave.SetCaption("Quarter wave at, MHz:");
    txtQuarterWave.SetToolTip("Where an open stub's reactance crosses zero, or a shorted stub's resistance peaks");
    lblName.SetCaption("Name:");
    txtName.SetToolTip("How the cable list shows the cable");
    lblCableR0.SetCaption("R0, ohms:");
    txtCableR0.SetText("50");
    lblCableVF.SetCaption("Velocity factor:");
    txtCableVF.SetText("0.66");
    lblCableVMax.SetCaption("Maximum voltage, V:");
    txtCableVMax.SetText("0");
    txtCableVMax.SetToolTip("0 when the maker gives no rating");
    lblSource.SetCaption("Source:");
    txtSource.SetToolTip("Where the numbers came from: the maker and the document");
    lblPoints.SetCaption("Loss table, MHz:dB,...");
    txtPoints.SetToolTip("Pairs of frequency in MHz and loss in dB, separated by commas: 30:0.7, 50:0.9, 150:1.5");
    fraPer.SetCaption("Loss per");
    optPer100ft.SetCaption("100 feet");
    optPer100m.SetCaption("100 meters");
    lblOpenFile.SetCaption("Touchstone file, far end open:");
    lblShortFile.SetCaption("Touchstone file, far end shorted:");
    lblSampleLength.SetCaption("Sample length:");
    fraSampleUnit.SetCaption("Length in");
    optSampleFeet.SetCaption("Feet");
    optSampleMeters.SetCaption("Meters");
    lblK1.SetCaption("k1, dB/100 ft per root MHz:");
    lblK2.SetCaption("k2, dB/100 ft per MHz:");
    lblWorst.SetCaption("Worst residual, dB:");
    lblTable.SetCaption("");
    lblTable.SetToolTip("The points, point by point, against the fit");
    lblStatus.SetCaption("");
    for (form::TextField* t : {&txtName, &txtCableR0, &txtCableVF, &txtCableVMax, &txtSource, &txtPoints, &txtOpenFile,
                               &txtShortFile, &txtSampleLength, &txtQuarterWave})
        t->SetBack(form::kWhite);
    cmdCalculate.SetCaption("&Calculate");
    cmdSave.SetCaption("&Save");
    cmdClose.SetCaption("C&lose");
    cmdSave.SetEnabled(false);
    optFit.on_click = [this] { ShowMode(); };
    optMeasure.on_click = [this] { ShowMode(); };
    optStub.on_click = [this] { ShowMode(); };
    cmdCalculate.on_click = [this] { Calculate(); };
    cmdSave.on_click = [this] { SaveClicked(); };
    cmdClose.on_click = [this] { window.SetVisible(false); };
    ShowMode();
}

void OwnCableWindow::OpenFor(bool measure, form::Host& host) {
    window.Create();
    (measure ? optMeasure : optFit).Select();
    ShowMode();
    host.ShowModal(window);
}

void OwnCableWindow::ShowMode() {
    const bool fit = optFit.selected(), stub = optStub.selected();
    for (form::Control* c : std::initializer_list<form::Control*>{&lblPoints, &txtPoints, &fraPer, &optPer100ft, &optPer100m})
        c->SetVisible(fit);
    for (form::Control* c : std::initializer_list<form::Control*>{&lblOpenFile, &txtOpenFile, &lblShortFile, &txtShortFile})
        c->SetVisible(!fit && !stub);
    for (form::Control* c : std::initializer_list<form::Control*>{&lblSampleLength, &txtSampleLength, &fraSampleUnit,
                                                                 &optSampleFeet, &optSampleMeters})
        c->SetVisible(!fit);
    lblQuarterWave.SetVisible(stub);
    txtQuarterWave.SetVisible(stub);
    // A measurement finds R0 and the velocity factor itself.
    txtCableR0.SetToolTip(fit ? "The maker's characteristic impedance" : "Found by the measurement");
    txtCableVF.SetToolTip(fit ? "The maker's velocity factor" : "Found by the measurement");
}

void OwnCableWindow::Refuse(const std::string& why) {
    cable_.reset();
    chart_ = {};
    cmdSave.SetEnabled(false);
    for (form::TextField* t : {static_cast<form::TextField*>(&txtK1), static_cast<form::TextField*>(&txtK2),
                               static_cast<form::TextField*>(&txtWorst)})
        t->SetText("");
    lblTable.SetCaption("");
    lblStatus.SetCaption(why);
    lblStatus.SetStatus(form::Status::Impossible, why);
    if (on_chart_changed) on_chart_changed();
}

bool OwnCableWindow::Calculate() { return optFit.selected() ? Fit() : optStub.selected() ? Stub() : Measure(); }

bool OwnCableWindow::Stub() {
    const auto length = Entry(txtSampleLength), f = Entry(txtQuarterWave);
    if (!length || !(*length > 0.0) || !f || !(*f > 0.0)) {
        Refuse("Enter the stub's length and the frequency at which it is a quarter wave, both above 0.");
        return false;
    }
    const bool meters = optSampleMeters.selected();
    const sweep::StubReading r = sweep::StubFromQuarterWave(meters ? *length : *length / kFeetPerMeterDouble, *f);
    // One reading gives the velocity factor, not the loss: nothing to keep as a cable.
    Refuse("");
    txtCableVF.SetText(Format(r.vf, "0.000"));
    const std::string said = "Electrical length " + Format(meters ? r.electrical_m : r.electrical_m * kFeetPerMeterDouble, "0.0000") +
                             (meters ? " m" : " ft") + ", velocity factor " + Format(r.vf, "0.000") +
                             ". One reading gives no loss: fit the maker's table with this velocity factor.";
    lblStatus.SetCaption(said);
    lblStatus.SetStatus(form::Status::Normal, "");
    return true;
}

bool OwnCableWindow::Fit() {
    OwnCable c;
    const auto r0 = Entry(txtCableR0), vf = Entry(txtCableVF), vmax = Entry(txtCableVMax);
    if (!r0 || !vf || !vmax) {
        Refuse("Enter numbers for R0, the velocity factor and the maximum voltage.");
        return false;
    }
    c.name = std::string(TrimBlanks(txtName.text()));
    c.r0 = *r0, c.vf = *vf, c.vmax = *vmax;
    c.source = std::string(TrimBlanks(txtSource.text()));
    auto points = ParseLossPoints(txtPoints.text());
    if (!points || points->empty()) {
        Refuse("Enter the table as MHz:dB pairs separated by commas, each frequency above 0 and each loss 0 or more.");
        return false;
    }
    if (optPer100m.selected())
        for (LossPoint& p : *points) p.db_per_100ft = Per100MToPer100Ft(p.db_per_100ft);
    const LossFit fit = FitLoss(*points);
    if (fit.residual_db.empty()) {
        Refuse("These points give no fit.");
        return false;
    }
    c.k1 = fit.k1, c.k2 = fit.k2;
    c.points = *points;
    c.worst_residual_db = fit.worst_residual_db;
    std::string table = Row({"MHz", "dB/100 ft", "fit", "resid. dB", "resid. %"});
    for (std::size_t k = 0; k < points->size(); ++k) {
        const double y = (*points)[k].db_per_100ft, r = fit.residual_db[k];
        table += Row({ShortestText((*points)[k].f_mhz), Format(y, "0.000"), Format(y + r, "0.000"), Format(r, "0.000"),
                      y > 0.0 ? Format(100.0 * r / y, "0.0") : std::string("-")});
    }
    chart_ = {};
    chart_.points = *points;
    const auto [lo, hi] = std::minmax_element(points->begin(), points->end(),
                                              [](const LossPoint& a, const LossPoint& b) { return a.f_mhz < b.f_mhz; });
    chart_.curve = Curve(c, lo->f_mhz, hi->f_mhz);
    cable_ = c;
    txtK1.SetText(GeneralDigits(c.k1, 6));
    txtK2.SetText(GeneralDigits(c.k2, 6));
    txtWorst.SetText(Format(fit.worst_residual_db, "0.000"));
    lblTable.SetCaption(table);
    const std::string note = fit.k2_held_at_zero
                                 ? "The second term came out negative (no cable gains with frequency): fitted again without it."
                                 : "";
    lblStatus.SetCaption(note);
    lblStatus.SetStatus(note.empty() ? form::Status::Normal : form::Status::Warning, note);
    cmdSave.SetEnabled(true);
    if (on_chart_changed) on_chart_changed();
    return true;
}

bool OwnCableWindow::Measure() {
    const auto length = Entry(txtSampleLength);
    if (!length || !(*length > 0.0)) {
        Refuse("Enter the sample's length, above 0.");
        return false;
    }
    const double length_ft = optSampleMeters.selected() ? *length * kFeetPerMeterDouble : *length;
    sweep::OnePort ports[2];
    const form::TextField* files[2] = {&txtOpenFile, &txtShortFile};
    for (int k = 0; k < 2; ++k) {
        const std::string path(TrimBlanks(files[k]->text()));
        if (path.empty()) {
            Refuse("Enter the Touchstone files of the sample measured open and shorted.");
            return false;
        }
        auto data = sweep::LoadTouchstone(path);
        if (const auto* e = std::get_if<sweep::TouchstoneError>(&data)) {
            Refuse(sweep::ErrorText(sweep::ShownName(path), *e));
            return false;
        }
        ports[k] = std::move(std::get<sweep::OnePort>(data));
    }
    std::string error;
    const auto m = sweep::MeasureCable(ports[0], ports[1], length_ft, error);
    if (!m) {
        Refuse(error);
        return false;
    }
    OwnCable c = sweep::MeasuredCable(*m);
    c.name = std::string(TrimBlanks(txtName.text()));
    c.vmax = Entry(txtCableVMax).value_or(0.0);
    c.source = std::string(TrimBlanks(txtSource.text()));
    if (c.source.empty())
        c.source = sweep::MeasuredSource(txtOpenFile.text(), txtShortFile.text(), *length, optSampleMeters.selected());
    chart_ = {};
    std::string table = Row({"MHz", "R0", "X0", "VF", "dB/100 ft"});
    for (const sweep::MeasuredPoint& p : m->points) {
        table += Row({ShortestText(p.f_mhz), Format(p.z0.real(), "0.00"), Format(p.z0.imag(), "0.00"), Format(p.vf, "0.000"),
                      Format(p.db_per_100ft, "0.000")});
        if (!p.used) table.back() = ' ', table += " (near a quarter wave: not fitted)\n";
        (p.used ? chart_.points : chart_.left_out).push_back({p.f_mhz, p.db_per_100ft});
    }
    if (!m->points.empty()) chart_.curve = Curve(c, m->points.front().f_mhz, m->points.back().f_mhz);
    cable_ = c;
    txtCableR0.SetText(Format(c.r0, "0.00"));
    txtCableVF.SetText(Format(c.vf, "0.000"));
    txtK1.SetText(GeneralDigits(c.k1, 6));
    txtK2.SetText(GeneralDigits(c.k2, 6));
    txtWorst.SetText(Format(m->fit.worst_residual_db, "0.000"));
    lblTable.SetCaption(table);
    const std::string note = "Z0 at " + ShortestText(m->centre_mhz) + " MHz: " + Format(m->z0_centre.real(), "0.00") +
                             (m->z0_centre.imag() < 0.0 ? " - j" : " + j") + Format(std::fabs(m->z0_centre.imag()), "0.00") +
                             " ohms.";
    lblStatus.SetCaption(note);
    lblStatus.SetStatus(form::Status::Normal, "");
    cmdSave.SetEnabled(true);
    if (on_chart_changed) on_chart_changed();
    return true;
}

void OwnCableWindow::SaveClicked() {
    if (!cable_) return;
    OwnCable c = *cable_;
    // The name and the source as they stand now: typed after the calculation, they still count.
    c.name = std::string(TrimBlanks(txtName.text()));
    if (!TrimBlanks(txtSource.text()).empty()) c.source = std::string(TrimBlanks(txtSource.text()));
    if (c.name.empty()) {
        lblStatus.SetCaption("Enter a name for the cable list.");
        lblStatus.SetStatus(form::Status::Impossible, "Enter a name for the cable list.");
        return;
    }
    const auto problem = save ? save(c) : std::optional<std::string>("Nothing keeps cables here.");
    lblStatus.SetCaption(problem ? *problem : "Kept in " + std::string(kCablesFileName) + " as \"" + c.name +
                                                  "\": choose it in the main window's cable list.");
    lblStatus.SetStatus(problem ? form::Status::Impossible : form::Status::Normal, problem.value_or(""));
}

}  // namespace qlx
