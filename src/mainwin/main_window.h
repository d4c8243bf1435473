// frmQLX2, the main window: its controls, entry rules, start-up, the defaults file, printing,
// help and exit. Everything here runs headless; the Qt layer binds widgets to these controls.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/line_solution.h"
#include "form/form.h"
#include "graphs/graph_window.h"
#include "instruments/analyser.h"
#include "instruments/noise_bridge.h"
#include "mainwin/defaults_file.h"
#include "mainwin/user_line_dialog.h"
#include "tuner/tuner_window.h"

namespace qlx {

inline constexpr const char* kAppTitle = "QLX3";  // title of message boxes without their own

class MainWindow {
public:
    MainWindow(form::Host& host, DefaultsStore& store);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Start-up: fills the list, computes with the built-in values, applies TL.DEF.
    void Load();
    // The full line solution from the fields; keeps the shown results when the entries give none.
    void DoCompute();
    // Reads the user-defined line record, scales it to the frequency and shows its dialog.
    void ShowUserDefinedLine();
    // Rewrites TL.DEF from the current state and unloads every window.
    void SaveDefaults();
    // Lines 8 to 17 of TL.DEF: window positions and the main window's entries.
    std::vector<std::string> StateLines();

    // "&Graph": the curves along the line at the tuner window's transmitter power.
    void CalcGraph();
    const GraphResult& graph() const { return graph_; }

    // What the window's own close control does; returns true when the window may close.
    bool CloseRequest(bool by_user);

    char mark() const { return mark_; }
    // How many times the solution has run: typing a partial entry must not start it.
    int compute_runs() const { return compute_runs_; }
    const LineValues& line() const { return line_; }
    // The variables the graphs and the user-defined line set.
    float PwrIn = 0.0f;
    float BLen = 0.0f;
    std::string Ft = "F";
    std::string AppDir;

    form::Window window{"frmQLX2", "QLX"};

    // Entries.
    form::TextField txtFreq{"txtFreq"};
    form::TextField txtLength{"txtLength"};
    form::TextField txtResistance{"txtResistance"};
    form::TextField txtReactance{"txtReactance"};
    form::ListBox cboPickCable{"cboPickCable"};

    // Results.
    form::TextField txtMLPer{"txtMLPer"};
    form::TextField txtZ0{"txtZ0"};
    form::TextField txtVF{"txtVF"};
    form::TextField txtVoltage{"txtVoltage"};
    form::TextField txtMLTot{"txtMLTot"};
    form::TextField txtWavelen{"txtWavelen"};
    form::TextField txtLoadSWR{"txtLoadSWR"};
    form::TextField txtInputSWR{"txtInputSWR"};
    form::TextField txtRho{"txtRho"};
    form::TextField txtAddLoss{"txtAddLoss"};
    form::TextField txtTotalLoss{"txtTotalLoss"};
    form::TextField txtImpedIn{"txtImpedIn"};
    form::TextField txtPolarZ{"txtPolarZ"};
    form::TextField txtPolarDegree{"txtPolarDegree"};

    // Option groups and their frames.
    form::Label fraFeetMeters{"fraFeetMeters"};
    form::Option optFeet{"optFeet"};
    form::Option optMeters{"optMeters"};
    form::Label frameZInput{"frameZInput"};
    form::Option optLoad{"optLoad"};
    form::Option optInput{"optInput"};
    form::Label Frame2{"Frame2"};
    form::Option optNormal{"optNormal"};
    form::Option optNoiseBridge{"optNoiseBridge"};
    form::Option optAutek{"optAutek"};
    form::Label fraGraph{"fraGraph"};
    form::Option optVoltCurr{"optVoltCurr"};
    form::Option optResisReac{"optResisReac"};

    form::Button cmdGraph{"cmdGraph"};
    form::Button cmdTuner{"cmdTuner"};
    form::Button cmdPrint{"cmdPrint"};
    form::Button cmdHelp{"cmdHelp"};
    form::Button cmdQuit{"cmdQuit"};

    // Labels the logic changes.
    form::Label lblUnit{"lblUnit"};
    form::Label lbldBPer{"lbldBPer"};
    form::Label lblInputZ{"lblInputZ"};
    form::Label lblRho{"lblRho"};
    form::Label LblWarning{"LblWarning"};
    // Fixed labels, the picture and the titles.
    form::Label lblFreq{"lblFreq"}, lblMHz{"lblMHz"}, lblLength{"lblLength"}, lblCable{"lblCable"};
    form::Label lblResistance{"lblResistance"}, lblResOhms{"lblResOhms"};
    form::Label lblReactance{"lblReactance"}, lblReacOhms{"lblReacOhms"};
    form::Label lblLambda{"lblLambda"}, lblNoteLength{"lblNoteLength"};
    form::Label lblZ0{"lblZ0"}, lblOhms{"lblOhms"}, lblMLLoss{"lblMLLoss"}, lblVF{"lblVF"};
    form::Label lblRMSVolts{"lblRMSVolts"}, lblV{"lblV"}, lblMLTotal{"lblMLTotal"}, lbldB{"lbldB"};
    form::Label lblAddLoss{"lblAddLoss"}, lblLossdB{"lblLossdB"};
    form::Label lblTotalLoss{"lblTotalLoss"}, lblTotaldB{"lblTotaldB"};
    form::Label lblImpedOhms{"lblImpedOhms"}, lblOhmsAt{"lblOhmsAt"}, Label1{"Label1"};
    form::Label lblLoadSWR{"lblLoadSWR"}, lblInputSWR{"lblInputSWR"};
    form::Label Image1{"Image1"}, lblProgram{"lblProgram"}, lblVersion{"lblVersion"};

    // The other windows: positions now, their own logic as they are built.
    UserLineDialog frmOtrCable;
    NoiseBridgeDialog frmNB;
    AnalyserDialog frmAutek;
    GraphWindow frmVolt;
    TunerWindow frmTuner;
    form::Window frmTuner1{"frmTuner1", "Tuner"};
    form::Window frmTuner2{"frmTuner2", "Tuner"};

private:
    void WireControls();
    void FrequencyChanged();
    void FrequencyLostFocus();
    void LengthChanged();
    void ResistanceChanged();
    void UnitSwitched(bool to_feet);
    void CableClicked();
    void PrintClicked();
    void HelpClicked();
    void QuitClicked();
    void ComputeX0();
    void UserLineOk();
    void LoadDefaults();
    void WriteDefaultFile();
    std::string Number(double value) const;  // shortest text in the user's notation

    form::Host& host_;
    DefaultsStore& store_;
    char mark_;
    LineValues line_;
    int compute_runs_ = 0;
    GraphResult graph_;
    bool user_line_confirmed_ = false;
    form::OptionGroup units_, ends_, sources_, graph_kinds_;
};

}  // namespace qlx
