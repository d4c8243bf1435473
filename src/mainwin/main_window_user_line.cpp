// The main window's user-defined line: its dialog opened with the stored record scaled to the
// frequency, "Compute X0", and OK, which stores the record and leaves the line as typed in use.
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/cables.h"
#include "core/format.h"
#include "core/line_solution.h"
#include "core/numbers.h"
#include "mainwin/main_window.h"

namespace qlx {

namespace {

// The entries a dialog closed without OK gives back as they were shown.
std::array<form::TextField*, 5> KeptEntries(UserLineDialog& d) {
    return {&d.txtR0, &d.txtX0, &d.txtVF, &d.txtAtten100, &d.txtVMax};
}

}  // namespace

void MainWindow::ShowUserDefinedLine(std::function<void()> then) {
    UserLineDialog& d = frmOtrCable;
    LblWarning.SetVisible(false);
    LblWarning.SetCaption("");
    line_.freq = static_cast<float>(ParseNumber(txtFreq.text()));

    const StoredUserLine record = StoredUser();
    d.txtR0.SetText(record.r0);
    const double r0 = ParseNumber(record.r0);
    d.txtX0.SetText(record.x0);
    const double x0 = ParseNumber(record.x0);
    const double atten = ParseNumber(record.atten100);
    d.txtVF.SetText(record.vel_factor);
    const double vf = ParseNumber(record.vel_factor);
    const std::string vmax = record.vmax;
    d.txtVMax.SetText(vmax);
    // The stored frequency is held as the window holds its own, in single precision, so that a
    // line stored at 14.2 MHz and opened at 14.2 MHz counts as unchanged.
    const float df = static_cast<float>(ParseNumber(record.at_mhz));

    d.txtNewFreq.SetText(txtFreq.text());
    d.txtOldFreq.SetText(ShortestText(df, mark_));
    d.txtNewFreq.SetVisible(true);
    d.lblNewFreq.SetVisible(true);
    // Matched loss grows with the square root of the frequency. A stored frequency of 0 has
    // no scale; the loss is then taken as stored.
    const double scaled = ScaledUserLoss(atten, df, line_.freq);
    if (df != line_.freq) {
        LblWarning.SetCaption("<--Click again");
        LblWarning.SetVisible(true);
        d.lblSX0.SetFore(form::kRed);
        d.lblSX0.SetStatus(form::Status::Warning, "Suggested again for the loss scaled to the new frequency.");
    }
    line_.atten100 = static_cast<float>(scaled);
    d.txtAtten100.SetText(optMeters.selected() ? Format(scaled * kFeetPerMeter, "#0.000", mark_)
                                               : Format(scaled, "#0.000", mark_));
    d.txtVF.SetText(Format(vf, "0.000", mark_));
    d.txtR0.SetText(Format(r0, "###0.000", mark_));
    const double f_entry = ParseNumber(txtFreq.text());
    if (f_entry > 0.0) line_.wave_len = UserWaveLength(vf, f_entry);
    if (line_.wave_len != 0.0f) {
        d.lblSX0.SetCaption(Format(SuggestedX0(r0, line_.atten100, line_.wave_len), "#0.000", mark_));
    }
    d.txtX0.SetText(Format(x0, "#0.000", mark_));
    d.txtVMax.SetText(Format(ParseNumber(vmax), "#####", mark_));
    d.lblAtten100.SetCaption(optFeet.selected() ? "Enter Attenuation, dB/100 Feet: "
                                                : "Enter Attenuation, dB/100 Meters: ");

    // Closed without OK (the window's own close control), the dialog keeps what it showed.
    std::vector<std::string> shown;
    for (form::TextField* t : KeptEntries(d)) shown.push_back(t->text());
    const std::string suggestion = d.lblSX0.caption();
    user_line_confirmed_ = false;
    host_.ShowModalThen(d.window, [this, shown, suggestion, then = std::move(then)] {
        UserLineDialog& dialog = frmOtrCable;
        dialog.window.SetVisible(false);
        if (!user_line_confirmed_) {
            const auto restored = KeptEntries(dialog);
            for (std::size_t i = 0; i < shown.size(); ++i) restored[i]->SetText(shown[i]);
            dialog.lblSX0.SetCaption(suggestion);
            // Closed without a line to solve (a damaged or all-zero record): the results would
            // stay those of the cable before, and stop following the typing. The list goes back
            // to that cable (the start-up one if there was none), and says so once.
            const UserLineRecord kept{ParseNumber(dialog.txtR0.text()), ParseNumber(dialog.txtX0.text()),
                                      ParseNumber(dialog.txtAtten100.text()), ParseNumber(dialog.txtVF.text()),
                                      ParseNumber(dialog.txtVMax.text())};
            const auto problem = UserLineProblem(kept);
            if (problem && cboPickCable.position() == kUserDefinedIndex) {
                const int back = last_solved_position_;
                host_.ShowMessage("The dialog was closed without a usable line: " + *problem +
                                      " The cable list is back at" + cboPickCable.items().at(static_cast<std::size_t>(back)) +
                                      ", and the results follow it.",
                                  kUserLineTitle, form::Buttons::Ok);
                cboPickCable.SetPosition(back);  // chooses it: the solution follows
                return;
            }
        }
        if (then) then();
    });
}

void MainWindow::ComputeX0() {
    UserLineDialog& d = frmOtrCable;
    const double vf = ParseNumber(d.txtVF.text());
    const double fn = ParseNumber(d.txtNewFreq.text());
    if (vf == 0.0 || fn == 0.0) return;  // no wavelength: the suggestion stays
    const double lambda = kFreeSpaceWaveFtMHzDouble * vf / fn;  // feet
    double atten = ParseNumber(d.txtAtten100.text());
    if (optMeters.selected()) atten /= kFeetPerMeterDouble;  // back to dB per 100 feet
    const double alpha = atten * kNepersPerDbRounded / 100.0;
    const double beta = kTwoPiDouble / lambda;
    const double r0 = ParseNumber(d.txtR0.text());
    // X0 of a low-loss line: Z0 = R0 (1 - j alpha/beta).
    const float x0 = static_cast<float>(-r0 * alpha / beta);
    d.lblSX0.SetCaption(Format(x0, "#0.000", mark_));
    d.txtX0.SetText(Format(x0, "#0.000", mark_));
}

void MainWindow::UserLineOk() {
    UserLineDialog& d = frmOtrCable;
    // A record that cannot describe a line is refused before anything changes; the dialog stays.
    const UserLineRecord record{ParseNumber(d.txtR0.text()), ParseNumber(d.txtX0.text()),
                                ParseNumber(d.txtAtten100.text()), ParseNumber(d.txtVF.text()),
                                ParseNumber(d.txtVMax.text())};
    if (const auto problem = UserLineProblem(record)) {
        host_.ShowMessage(*problem, kUserLineTitle, form::Buttons::Ok);
        return;
    }
    user_line_confirmed_ = true;
    d.lblWarning.SetVisible(false);
    const float atten = static_cast<float>(ParseNumber(d.txtAtten100.text()));
    d.window.SetVisible(false);
    const auto single = [](const form::TextField& t) { return static_cast<float>(ParseNumber(t.text())); };
    const bool meters = optMeters.selected();
    LblWarning.SetVisible(false);
    // The line is now the one typed, at this frequency: its loss as entered (per 100 feet) and
    // its wavelength from the typed velocity factor, for the solution that follows.
    line_.atten100 = meters ? static_cast<float>(atten / kFeetPerMeter) : atten;
    const double f_entry = ParseNumber(txtFreq.text());
    if (f_entry > 0.0) line_.wave_len = UserWaveLength(record.vel_factor, f_entry);

    // The record keeps its attenuation per 100 feet, with the frequency it belongs to.
    DefaultsRecord r = CurrentRecord();
    r.user = {RecordNumberText(single(d.txtR0), mark_),
              RecordNumberText(single(d.txtX0), mark_),
              RecordNumberText(meters ? static_cast<float>(atten / kFeetPerMeter) : atten, mark_),
              RecordNumberText(single(d.txtVF), mark_),
              RecordNumberText(single(d.txtVMax), mark_),
              Format(ParseNumber(txtFreq.text()), "####.000", mark_)};
    store_.Write(DefaultsLines(r, mark_));  // a failed write keeps the old file; the line is still used
}

}  // namespace qlx
