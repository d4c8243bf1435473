// "Cable of Your Own": a cable fitted from a maker's loss table or measured with an analyser (a
// sample open and shorted), kept in QLX cables.txt and listed after the user-defined line. Opened
// from the user-defined line's dialog (Fit…, Measure…); the main window keeps what it saves.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/own_cable.h"
#include "form/form.h"

namespace qlx {

class OwnCableWindow {
public:
    OwnCableWindow();

    // Opens the window for a fit or a measurement.
    void OpenFor(bool measure, form::Host& host);
    // Fits or measures from the fields; false (with the reason in lblStatus) when they give no cable.
    bool Calculate();
    const std::optional<OwnCable>& cable() const { return cable_; }

    // What the chart draws: the table's points (or the measured ones that were fitted, and apart
    // those near a quarter wave) and the fitted curve, in dB per 100 feet against MHz.
    struct Chart {
        std::vector<LossPoint> points;
        std::vector<LossPoint> left_out;
        std::vector<LossPoint> curve;
    };
    const Chart& chart() const { return chart_; }
    std::function<void()> on_chart_changed;
    // Keeps the cable (the main window's SaveOwnCable); nothing, or why it could not.
    std::function<std::optional<std::string>(const OwnCable&)> save;

    form::Window window{"frmOwnCable", "Cable of Your Own", form::Window::Kind::Dialog};
    form::Label fraHow{window, "fraHow"};
    form::Option optFit{window, "optFit"};
    form::Option optMeasure{window, "optMeasure"};
    form::Option optStub{window, "optStub"};
    form::Label lblName{window, "lblName"};
    form::TextField txtName{window, "txtName"};
    form::Label lblCableR0{window, "lblCableR0"};
    form::TextField txtCableR0{window, "txtCableR0"};
    form::Label lblCableVF{window, "lblCableVF"};
    form::TextField txtCableVF{window, "txtCableVF"};
    form::Label lblCableVMax{window, "lblCableVMax"};
    form::TextField txtCableVMax{window, "txtCableVMax"};
    form::Label lblSource{window, "lblSource"};
    form::TextField txtSource{window, "txtSource"};
    // A fit: the maker's table.
    form::Label lblPoints{window, "lblPoints"};
    form::TextField txtPoints{window, "txtPoints"};
    form::Label fraPer{window, "fraPer"};
    form::Option optPer100ft{window, "optPer100ft"};
    form::Option optPer100m{window, "optPer100m"};
    // A measurement: the two files and the sample's length.
    form::Label lblOpenFile{window, "lblOpenFile"};
    form::TextField txtOpenFile{window, "txtOpenFile"};
    form::Label lblShortFile{window, "lblShortFile"};
    form::TextField txtShortFile{window, "txtShortFile"};
    form::Label lblSampleLength{window, "lblSampleLength"};
    form::TextField txtSampleLength{window, "txtSampleLength"};
    // A stub's single reading: the frequency at which the sample is a quarter wave long.
    form::Label lblQuarterWave{window, "lblQuarterWave"};
    form::TextField txtQuarterWave{window, "txtQuarterWave"};
    form::Label fraSampleUnit{window, "fraSampleUnit"};
    form::Option optSampleFeet{window, "optSampleFeet"};
    form::Option optSampleMeters{window, "optSampleMeters"};
    // Results.
    form::Label lblK1{window, "lblK1"};
    form::ResultField txtK1{window, "txtK1"};
    form::Label lblK2{window, "lblK2"};
    form::ResultField txtK2{window, "txtK2"};
    form::Label lblWorst{window, "lblWorst"};
    form::ResultField txtWorst{window, "txtWorst"};
    form::Label lblTable{window, "lblTable"};
    form::Label lblStatus{window, "lblStatus"};
    form::Button cmdCalculate{window, "cmdCalculate"};
    form::Button cmdSave{window, "cmdSave"};
    form::Button cmdClose{window, "cmdClose"};

private:
    void ShowMode();
    bool Fit();
    bool Measure();
    bool Stub();
    void Refuse(const std::string& why);
    void SaveClicked();

    form::OptionGroup how_, per_, sample_unit_;
    std::optional<OwnCable> cable_;
    Chart chart_;
};

}  // namespace qlx
