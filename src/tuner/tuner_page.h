// frmTuner1 and frmTuner2, the tuner's result pages: the line and load, the network's result
// block and component table, and its schematic with the element values laid over it. The
// design run writes every text; the page itself only prints and goes back.
#pragma once

#include <array>
#include <string>

#include "form/form.h"
#include "tuner/report.h"

namespace qlx::tuner {

class TunerPage {
public:
    // `setup` is frmTuner, which "&Main Screen" hides along with the page.
    TunerPage(form::Host& host, std::string name, std::string caption, form::Window& setup, bool with_stray);
    TunerPage(const TunerPage&) = delete;
    TunerPage& operator=(const TunerPage&) = delete;

    form::Window window;
    // Header frame.
    form::Label frmOne{window, "frmOne"};
    form::Label lblFreq{window, "lblFreq"};
    form::Label lblLength{window, "lblLength"};
    form::ResultField txtCableType{window, "txtCableType"};
    form::ResultField txtLength{window, "txtLength"};
    form::ResultField txtFreq{window, "txtFreq"};
    form::ResultField txtLoad{window, "txtLoad"};
    form::ResultField txtSWRLine{window, "txtSWRLine"};
    form::ResultField txtPowerLost{window, "txtPowerLost"};
    form::ResultField txtXmsnLoss{window, "txtXmsnLoss"};
    // The band run with the tuner fixed, and what a builder must know besides the figures.
    form::ResultField txtBand{window, "txtBand"};
    form::ResultField txtNotes{window, "txtNotes"};
    // Component table: row labels in column 1, elements in columns 2 to 4.
    form::Label frmTwo{window, "frmTwo"};
    form::ResultField txtPwr1{window, "txtPwr1"}, txtPwr2{window, "txtPwr2"}, txtPwr3{window, "txtPwr3"},
        txtPwr4{window, "txtPwr4"};
    form::ResultField txtQ1{window, "txtQ1"}, txtQ2{window, "txtQ2"}, txtQ3{window, "txtQ3"}, txtQ4{window, "txtQ4"};
    form::ResultField txtReact1{window, "txtReact1"}, txtReact2{window, "txtReact2"}, txtReact3{window, "txtReact3"},
        txtReact4{window, "txtReact4"};
    form::ResultField txtPeakV1{window, "txtPeakV1"}, txtPeakV2{window, "txtPeakV2"}, txtPeakV3{window, "txtPeakV3"},
        txtPeakV4{window, "txtPeakV4"};
    form::ResultField txtCurr1{window, "txtCurr1"}, txtCurr2{window, "txtCurr2"}, txtCurr3{window, "txtCurr3"},
        txtCurr4{window, "txtCurr4"};
    form::ResultField txtPwrDiss1{window, "txtPwrDiss1"}, txtPwrDiss2{window, "txtPwrDiss2"},
        txtPwrDiss3{window, "txtPwrDiss3"}, txtPwrDiss4{window, "txtPwrDiss4"};
    form::ResultField txtV1{window, "txtV1"}, txtV2{window, "txtV2"}, txtV3{window, "txtV3"}, txtV4{window, "txtV4"};
    // Schematic frame, inside the table frame.
    form::Label frmSchematic{window, "frmSchematic"};
    form::Picture picSchematic{window, "picSchematic"};
    form::ResultField txtInputR{window, "txtInputR"};
    form::ResultField txtLoadZ{window, "txtLoadZ"};
    form::ResultField txtLeftX{window, "txtLeftX"};
    form::ResultField TxtMidX{window, "TxtMidX"};
    form::ResultField txtRightX{window, "txtRightX"};
    form::ResultField txtCStray{window, "txtCStray"};  // shown on frmTuner2 only
    form::Button cmdPrint{window, "cmdPrint"};
    form::Button cmdBack{window, "cmdBack"};
    form::Button cmdContinue{window, "cmdContinue"};

    // The six rows of the component table, each from column 1 to column 4.
    using Row = std::array<form::ResultField*, 4>;
    std::array<Row, 6> Table();
    // Writes a design's result block: the three lines, the table row by row (a column without
    // an element hidden as its row is written), the voltages.
    void Write(const Report& r);
    bool with_stray() const { return with_stray_; }

private:
    form::Host& host_;
    form::Window& setup_;
    bool with_stray_;
};

}  // namespace qlx::tuner
