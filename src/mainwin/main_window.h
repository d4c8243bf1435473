// frmQLX2, the main window: its controls, entry rules, start-up, the defaults file, printing,
// help and exit. Everything here runs headless; the Qt layer binds widgets to these controls.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/line_solution.h"
#include "form/form.h"
#include "graphs/graph_window.h"
#include "instruments/analyser.h"
#include "instruments/noise_bridge.h"
#include "mainwin/defaults_file.h"
#include "mainwin/defaults_record.h"
#include "mainwin/own_cable_window.h"
#include "mainwin/user_line_dialog.h"
#include "plan/plan_window.h"
#include "sweepwin/sweep_window.h"
#include "tuner/tuner_window.h"

namespace qlx {

class MainWindow {
public:
    // `cables`: where the user's own cables are kept (QLX cables.txt); none, no own cables.
    // `settings`: what else a restart finds again (QLX settings.ini); none, nothing is kept.
    MainWindow(form::Host& host, DefaultsStore& store, DefaultsStore* cables = nullptr,
               DefaultsStore* settings = nullptr);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Start-up: fills the list, computes with the built-in values, applies TL.DEF.
    void Load();
    // The full line solution from the fields; keeps the shown results when the entries give none.
    void DoCompute();
    // Reads the user-defined line record, scales it to the frequency and shows its dialog;
    // `then` runs once the dialog is closed (the solution that follows uses what it gave).
    void ShowUserDefinedLine(std::function<void()> then = {});
    // Rewrites TL.DEF from the current state and unloads every window.
    void SaveDefaults();
    // Rewrites TL.DEF from the current state, every window left as it is: a host that may be ended
    // without warning (a browser page swiped away) keeps the defaults as they change.
    void KeepDefaults();

    // The texts of the window that the graphs and the tuner read.
    DisplayedLine Displayed() const;
    // What the line solution reads of the window (a sweep repeats it over frequencies).
    LineEntries Entries() const;
    // The line as the tuner's band run and its notes need it.
    TunerWindow::LineContext TunerContext() const;
    // The line every tuner answer designs for (a page, the comparison and its rows, the band
    // run): when the sweep window's impedance comes from a file, the file's impedance at the main
    // window's frequency, with the file for the band run; otherwise the line the window shows. A
    // frequency outside the file's span is refused, never taken from the nearest point.
    struct TunerLine {
        DisplayedLine line;
        std::optional<tuner::MeasuredAntenna> antenna;
        std::string refused;  // why nothing can be designed, or empty
    };
    TunerLine LineForTuner() const;
    // The line as the sweep window takes it: the entries, the user-defined line's record, the
    // frequency and the impedance typed.
    sweep::MainLine SweepMainLine() const;
    // The analyser's file open in the sweep window, as the tuner designs for it.
    std::optional<tuner::MeasuredAntenna> SweepFile() const;
    // What the station plan is made for: this line, its load, the sweep window's file and the
    // tuner window's settings.
    plan::PlanSource PlanSourceNow() const;

    // The user's own cables, listed after the user-defined line (list position 33 is the first).
    const std::vector<OwnCable>& own_cables() const { return own_file_.cables; }
    // Keeps a cable in QLX cables.txt (replacing one of the same name) and lists it; the file's
    // other lines, damaged ones too, are written back as they were. On failure the reason, and
    // neither the file nor the list changes.
    std::optional<std::string> SaveOwnCable(const OwnCable& cable);

    // "&Graph": the curves along the line at the tuner window's transmitter power.
    void CalcGraph();
    // Redraws an open graph window for the line as it now is.
    void RefreshGraph();
    const GraphResult& graph() const { return graph_; }

    // What the window's own close control does; returns true when the window may close.
    bool CloseRequest(bool by_user);

    char mark() const { return mark_; }
    // Whether the last solution run found a line to solve (the results shown belong to the fields).
    bool solved() const { return solved_; }
    // How many times the solution has run: typing a partial entry must not start it.
    int compute_runs() const { return compute_runs_; }
    const LineValues& line() const { return line_; }
    // The variables the graphs and the user-defined line set.
    float PwrIn = 0.0f;
    float BLen = 0.0f;
    std::string Ft = "F";
    std::string AppDir;

    form::Window window{"frmQLX2", form::kProgramTitle};

    // Entries.
    form::TextField txtFreq{window, "txtFreq"};
    form::TextField txtLength{window, "txtLength"};
    form::TextField txtResistance{window, "txtResistance"};
    form::TextField txtReactance{window, "txtReactance"};
    form::ListBox cboPickCable{window, "cboPickCable"};

    // Results.
    form::ResultField txtMLPer{window, "txtMLPer"};
    form::ResultField txtZ0{window, "txtZ0"};
    form::ResultField txtVF{window, "txtVF"};
    form::ResultField txtVoltage{window, "txtVoltage"};
    form::ResultField txtMLTot{window, "txtMLTot"};
    form::ResultField txtWavelen{window, "txtWavelen"};
    form::ResultField txtLoadSWR{window, "txtLoadSWR"};
    form::ResultField txtInputSWR{window, "txtInputSWR"};
    form::ResultField txtRho{window, "txtRho"};
    form::ResultField txtAddLoss{window, "txtAddLoss"};
    form::ResultField txtTotalLoss{window, "txtTotalLoss"};
    form::ResultField txtImpedIn{window, "txtImpedIn"};
    form::ResultField txtPolarZ{window, "txtPolarZ"};
    form::ResultField txtPolarDegree{window, "txtPolarDegree"};

    // Option groups and their frames.
    form::Label fraFeetMeters{window, "fraFeetMeters"};
    form::Option optFeet{window, "optFeet"};
    form::Option optMeters{window, "optMeters"};
    form::Label frameZInput{window, "frameZInput"};
    form::Option optLoad{window, "optLoad"};
    form::Option optInput{window, "optInput"};
    form::Label Frame2{window, "Frame2"};
    form::Option optNormal{window, "optNormal"};
    form::Option optNoiseBridge{window, "optNoiseBridge"};
    form::Option optAutek{window, "optAutek"};
    form::Label fraGraph{window, "fraGraph"};
    form::Option optVoltCurr{window, "optVoltCurr"};
    form::Option optResisReac{window, "optResisReac"};

    form::Button cmdGraph{window, "cmdGraph"};
    form::Button cmdTuner{window, "cmdTuner"};
    form::Button cmdPrint{window, "cmdPrint"};
    form::Button cmdHelp{window, "cmdHelp"};
    form::Button cmdQuit{window, "cmdQuit"};
    form::Button cmdSweep{window, "cmdSweep"};

    // Labels the logic changes.
    form::Label lblUnit{window, "lblUnit"};
    form::Label lbldBPer{window, "lbldBPer"};
    form::Label lblInputZ{window, "lblInputZ"};
    form::Label lblRho{window, "lblRho"};
    form::Label LblWarning{window, "LblWarning"};
    // The line's highest RMS voltage at the transmitter power above its rating, in red; hidden
    // while the line is within it.
    form::Label lblRating{window, "lblRating"};
    // Fixed labels, the picture and the titles.
    form::Label lblFreq{window, "lblFreq"}, lblMHz{window, "lblMHz"}, lblLength{window, "lblLength"}, lblCable{window, "lblCable"};
    form::Label lblResistance{window, "lblResistance"}, lblResOhms{window, "lblResOhms"};
    form::Label lblReactance{window, "lblReactance"}, lblReacOhms{window, "lblReacOhms"};
    form::Label lblLambda{window, "lblLambda"}, lblNoteLength{window, "lblNoteLength"};
    form::Label lblZ0{window, "lblZ0"}, lblOhms{window, "lblOhms"}, lblMLLoss{window, "lblMLLoss"}, lblVF{window, "lblVF"};
    form::Label lblRMSVolts{window, "lblRMSVolts"}, lblV{window, "lblV"}, lblMLTotal{window, "lblMLTotal"}, lbldB{window, "lbldB"};
    form::Label lblAddLoss{window, "lblAddLoss"}, lblLossdB{window, "lblLossdB"};
    form::Label lblTotalLoss{window, "lblTotalLoss"}, lblTotaldB{window, "lblTotaldB"};
    form::Label lblImpedOhms{window, "lblImpedOhms"}, lblOhmsAt{window, "lblOhmsAt"}, Label1{window, "Label1"};
    form::Label lblLoadSWR{window, "lblLoadSWR"}, lblInputSWR{window, "lblInputSWR"};
    form::Label Image1{window, "Image1"}, lblProgram{window, "lblProgram"}, lblVersion{window, "lblVersion"};

    // The other windows: positions now, their own logic as they are built.
    UserLineDialog frmOtrCable;
    OwnCableWindow frmOwnCable;
    NoiseBridgeDialog frmNB;
    AnalyserDialog frmAutek;
    GraphWindow frmVolt;
    TunerWindow frmTuner;
    sweep::SweepWindow frmSweep;
    plan::PlanWindow frmPlan;

private:
    // The controls' captions, tips and colours, then what each does.
    void WireControls();
    void SetTexts();
    void WireEvents();
    // Runs `design` on the line the tuner designs for (LineForTuner), the request carrying the
    // sweep window's file when there is one; a refused line shows its message and runs nothing.
    using TunerDesign = std::function<void(const DisplayedLine&, const TunerWindow::DesignRequest&)>;
    bool ForTunerLine(TunerWindow::DesignRequest request, const TunerDesign& design);
    GraphInputs GraphInputsNow() const;
    void FrequencyChanged();
    void FrequencyLostFocus();
    void LengthChanged();
    void ResistanceChanged();
    void ReactanceChanged();
    void RefuseImpedance(form::TextField& field, const std::string& accepted);
    void UnitSwitched(bool to_feet);
    void CableClicked();
    // The user-defined line's dialog first when that line is chosen, then the solution.
    void SolveAfterUserLine();
    void PrintClicked();
    void HelpClicked();
    void QuitClicked();
    void ComputeX0();
    // The user-defined line as TL.DEF stores it (the first start's where there is none).
    StoredUserLine StoredUser() const;
    // The record the windows would save now (the user-defined line as stored).
    DefaultsRecord CurrentRecord() const;
    void UserLineOk();
    void LoadDefaults();
    void LoadOwnCables();
    // QLX settings.ini: read after TL.DEF at start, written whenever TL.DEF is.
    void RecallSettings();
    void RememberSettings();
    void WriteDefaultFile();
    std::string Number(double value) const;  // shortest text in the user's notation
    // The first start's frequency in the user's notation: what an unusable frequency becomes.
    std::string FirstFrequency() const;
    // Whether a window of this size in twips can be shown on the screen.
    bool Showable(float width, float height) const;

    form::Host& host_;
    DefaultsStore& store_;
    DefaultsStore* cables_store_;
    DefaultsStore* settings_store_;
    bool settings_recalled_ = false;
    OwnCablesFile own_file_;
    bool own_file_readable_ = true;
    // The last of the list's first 33 entries chosen: what TL.DEF keeps while an own cable is
    // chosen (its 17 lines stay readable by other programs, whose lists end at 32).
    int listed_position_ = kFirstCable;
    // The last cable other than the user-defined line that the solution took: where the list goes
    // back to when the user-defined line's dialog closes without a line.
    int last_solved_position_ = kFirstCable;
    char mark_;
    LineValues line_;
    int compute_runs_ = 0;
    bool solved_ = false;
    GraphResult graph_;
    bool user_line_confirmed_ = false;
    std::string accepted_resistance_ = "50", accepted_reactance_ = "0";
    form::OptionGroup units_, ends_, sources_, graph_kinds_;
};

}  // namespace qlx
