#include "tuner/tuner_page.h"

namespace qlx::tuner {

namespace {

// The component table's row labels; the first row's is the power.
constexpr std::array<const char*, 6> kRowLabels{"At 1500 W", "Unloaded Q", "Reactance", "Peak Voltage",
                                                "RMS Current", "Est. Pwr Diss."};

}  // namespace

TunerPage::TunerPage(form::Host& host, std::string name, std::string caption, form::Window& setup,
                     bool with_stray)
    : window(std::move(name), std::move(caption)), host_(host), setup_(setup), with_stray_(with_stray) {
    lblFreq.SetCaption("Frequency:");
    lblLength.SetCaption("Length:");
    // The page's placeholders; every design overwrites or hides them.
    for (const auto& [field, text] : std::initializer_list<std::pair<form::TextField*, const char*>>{
             {&txtCableType, "RG-8 (Belden 8237)"}, {&txtLength, "100 feet"}, {&txtFreq, "3.5 MHz"},
             {&txtLoad, "Load description"}, {&txtSWRLine, "SWR description"},
             {&txtPowerLost, "Power lost description"}, {&txtXmsnLoss, "Xmsn-line loss description"},
             {&txtPwr4, "Output"},
             {&txtV1, "RMS Vin:"}, {&txtV2, "273.86 V at 0.00 deg."}, {&txtV3, "RMS Vout:"},
             {&txtV4, "460.71 V at 53.59 deg."}, {&txtInputR, "50 Ohms"}, {&txtLeftX, "123.1 pF"},
             {&TxtMidX, "1.88 uH"}, {&txtRightX, "220.1 pF"}, {&txtCStray, "10 pF"}})
        field->SetText(text);
    const auto table = Table();
    for (std::size_t row = 0; row < table.size(); ++row) table[row][0]->SetText(kRowLabels[row]);
    txtCStray.SetVisible(with_stray);
    txtBand.SetVisible(false);
    txtNotes.SetVisible(false);
    txtNotes.SetFore(form::kRed);
    txtNotes.SetStatus(form::Status::Warning, "What a builder must know before building this design.");
    cmdPrint.SetCaption("&Print");
    cmdPrint.SetToolTip("Print this page");
    cmdBack.SetCaption("&Cancel");
    cmdBack.SetToolTip("Cancel and return back to Tuner menu page");
    cmdContinue.SetCaption("&Main Screen");
    cmdContinue.SetToolTip("Back to Transmission Line main page -- perhaps to change Load");

    cmdBack.on_click = [this] { window.SetVisible(false); };
    cmdContinue.on_click = [this] {
        window.SetVisible(false);
        setup_.SetVisible(false);
    };
    // Every box turns white for the paper, then back to the face colour it reads like a label on.
    cmdPrint.on_click = [this] { form::PrintOnWhite(host_, window, true); };
}

std::array<TunerPage::Row, 6> TunerPage::Table() {
    return {{{&txtPwr1, &txtPwr2, &txtPwr3, &txtPwr4},
             {&txtQ1, &txtQ2, &txtQ3, &txtQ4},
             {&txtReact1, &txtReact2, &txtReact3, &txtReact4},
             {&txtPeakV1, &txtPeakV2, &txtPeakV3, &txtPeakV4},
             {&txtCurr1, &txtCurr2, &txtCurr3, &txtCurr4},
             {&txtPwrDiss1, &txtPwrDiss2, &txtPwrDiss3, &txtPwrDiss4}}};
}

void TunerPage::Write(const Report& r) {
    txtSWRLine.SetText(r.swr_line);
    txtPowerLost.SetText(r.power_lost);
    txtXmsnLoss.SetText(r.xmsn_loss);
    const auto table = Table();
    for (std::size_t row = 0; row < table.size(); ++row) {
        table[row][0]->SetText(row == 0 ? r.pwr1 : kRowLabels[row]);
        for (std::size_t col = 0; col < 3; ++col) {
            form::TextField& box = *table[row][col + 1];
            if (col >= r.columns.size()) {
                box.SetVisible(false);
                continue;
            }
            const ReportColumn& c = r.columns[col];
            const std::string* texts[] = {&c.name, &c.q, &c.react, &c.peak_v, &c.curr, &c.diss};
            box.SetText(*texts[row]);
            box.SetVisible(true);
        }
    }
    txtV1.SetText("RMS Vin:");
    txtV2.SetText(r.v2);
    txtV4.SetText(r.v4);
}

}  // namespace qlx::tuner
