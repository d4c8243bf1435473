// Where each window's controls stand on the page: blocks of rows of control names, made for a
// browser window and a phone. Only places: every caption, text and colour comes from the window
// model, and so does whether a field is a result and whether a window is a dialog. A name with
// "!!" is a result whose long text wraps; {frame, items} is a group under the frame label's
// caption, {frame, schematic} a picture with its values laid over it where the module says; a
// control no layout places is shown after the rest, so none is ever lost.
"use strict";

// The one line a screen reader hears of each window, from these results, once typing pauses: not
// every field at every keystroke.
const QLX_SUMMARIES = {
  frmQLX2: ["txtImpedIn", "txtLoadSWR", "txtInputSWR", "txtTotalLoss"],
  frmVolt: ["txtMaxV", "txtMaxI"],
  frmTuner1: ["txtSWRLine", "txtPowerLost", "txtNotes"],
  frmTuner2: ["txtSWRLine", "txtPowerLost", "txtNotes"],
  frmSweep: ["txtSummary"],
  frmPlan: ["txtSummary"],
  frmOwnCable: ["txtK1", "txtK2", "txtWorst", "lblStatus"],
};

const QLX_LAYOUTS = {
  frmQLX2: [
    {cls: "title", rows: [["lblProgram", "lblVersion"]]},
    {cls: "columns", blocks: [
      {cls: "grid", rows: [
        ["lblFreq", "txtFreq", "lblMHz"],
        ["lblLength", "txtLength", "lblUnit"],
        ["lblNoteLength"],
        ["lblLambda", "txtWavelen"],
        ["lblResistance", "txtResistance", "lblResOhms"],
        ["lblReactance", "txtReactance", "lblReacOhms"],
      ]},
      {cls: "grid results", rows: [
        ["lblZ0", "txtZ0", "lblOhms"],
        ["lblMLLoss", "txtMLPer", "lbldBPer"],
        ["lblVF", "txtVF"],
        ["lblRMSVolts", "txtVoltage", "lblV"],
        ["lblMLTotal", "txtMLTot", "lbldB"],
        ["lblLoadSWR", "txtLoadSWR"],
        ["lblRho", "txtRho"],
        ["lblInputSWR", "txtInputSWR"],
        ["lblAddLoss", "txtAddLoss", "lblLossdB"],
        ["lblTotalLoss", "txtTotalLoss", "lblTotaldB"],
      ]},
    ]},
    {cls: "frames", rows: [[
      {frame: "fraFeetMeters", items: ["optFeet", "optMeters"]},
      {frame: "frameZInput", items: ["optLoad", "optInput"]},
      {frame: "Frame2", items: ["optNormal", "optNoiseBridge", "optAutek"]},
      {frame: "fraGraph", items: ["optVoltCurr", "optResisReac"]},
    ]]},
    {cls: "row", rows: [["lblCable", "cboPickCable", "LblWarning"]]},
    {cls: "row", rows: [["lblInputZ", "txtImpedIn", "lblImpedOhms", "txtPolarZ", "lblOhmsAt", "txtPolarDegree", "Label1"]]},
    {cls: "row", rows: [["lblRating"]]},
    {cls: "buttons", rows: [["cmdGraph", "cmdSweep", "cmdTuner", "cmdPrint", "cmdHelp", "cmdQuit"]]},
  ],
  frmOtrCable: [
    {cls: "grid", rows: [
      ["lblR0", "txtR0"], ["lblX0", "txtX0"], ["lblSuggestX0", "lblSX0"], ["lblVelFactor", "txtVF"],
      ["lblAtten100", "txtAtten100"], ["lblVMax", "txtVMax"], ["lblOldFreq", "txtOldFreq"],
      ["lblNewFreq", "txtNewFreq"], ["lblWarning"],
    ]},
    {cls: "buttons", rows: [["cmdFit", "cmdMeasure", "cmdCompute", "cmdOK"]]},
  ],
  frmOwnCable: [
    {cls: "frames", rows: [[{frame: "fraHow", items: ["optFit", "optMeasure", "optStub"]}]]},
    {cls: "grid", rows: [
      ["lblName", "txtName"], ["lblCableR0", "txtCableR0"], ["lblCableVF", "txtCableVF"], ["lblCableVMax", "txtCableVMax"],
      ["lblSource", "txtSource"], ["lblPoints", "txtPoints"],
    ]},
    {cls: "frames", rows: [[{frame: "fraPer", items: ["optPer100ft", "optPer100m"]}]]},
    {cls: "grid", rows: [["lblOpenFile", "txtOpenFile"], ["lblShortFile", "txtShortFile"], ["lblSampleLength", "txtSampleLength"],
                            ["lblQuarterWave", "txtQuarterWave"]]},
    {cls: "frames", rows: [[{frame: "fraSampleUnit", items: ["optSampleFeet", "optSampleMeters"]}]]},
    {cls: "grid", rows: [["lblK1", "txtK1"], ["lblK2", "txtK2"], ["lblWorst", "txtWorst"]]},
    {cls: "stack", rows: [["lblStatus"]]},
    {cls: "buttons", rows: [["cmdCalculate", "cmdSave", "cmdClose"]]},
    {cls: "chart", chart: "ownCable"},
    {cls: "stack", rows: [["~lblTable"]]},
  ],
  frmNB: [
    {cls: "grid", rows: [["lblResist", "txtResist"], ["Label1", "txtReact"], ["lblExtender", "txtExtender"], ["lblCompZ", "txtCompZ"]]},
    {cls: "buttons", rows: [["cmdOK", "cmdCancel"]]},
  ],
  frmAutek: [
    {cls: "grid", rows: [["lblAutekZ", "txtAutekZ"], ["lblAutekSWR", "txtAutekSWR"], ["lblMinSWR", "txtMinSWR"], ["lblSign"]]},
    {cls: "frames", rows: [[{frame: "fraSign", items: ["OptPositive", "optNegative"]}]]},
    {cls: "grid", rows: [["lblCalcZ", "txtCalcZ"]]},
    {cls: "buttons", rows: [["cmdOK", "cmdCancel"]]},
  ],
  frmVolt: [
    {cls: "stack", rows: [["!!txtCableType"], ["!!txtZLoad"], ["!!txtFreq"], ["!!txtTotalLoss"], ["!!txtPower"]]},
    {cls: "grid", rows: [["lblMaxV", "txtMaxV"], ["lblMaxI", "txtMaxI"]]},
    {cls: "chart", chart: "graph"},
    {cls: "buttons", rows: [["cmdPrint", "cmdBack"]], downloads: [["graph.csv", "QLX graph.csv"], ["png:graph", "QLX graph.png"]]},
  ],
  frmTuner: [
    {cls: "frames", rows: [[{frame: "frmTunerType", items: ["optLNet1", "optLNet2", "optPiNet", "optTeeNet"]}]]},
    {cls: "frames", rows: [[
      {frame: "frmDefaults", grid: [["lblPhase", "txtPhase"], ["lblStrayC", "txtStrayC"], ["lblTunerR", "txtTunerR"],
                                    ["lblTxPwr", "txtTxPwr"], ["lblQCap", "txtCapQ"], ["lblQCoil", "txtCoilQ"]]},
      {frame: "frmCaps", grid: [["lblPiCap", "txtPiCap"], ["lblTeeCap", "txtTeeCap"]]},
    ]]},
    {cls: "buttons", rows: [["cmdDrawTuner", "cmdCompare", "cmdPlan", "cmdBack"]]},
  ],
  frmCompare: [
    {cls: "stack", rows: [["!!txtLine"], ["!!txtSummary"]]},
    {cls: "compare", rows: [["cmdRow0", "lblRow0"], ["cmdRow1", "lblRow1"], ["cmdRow2", "lblRow2"], ["cmdRow3", "lblRow3"], ["cmdRow4", "lblRow4"]]},
    {cls: "buttons", rows: [["cmdClose"]]},
  ],
  frmSweep: [
    {cls: "row", rows: [["lblLine", "txtLine", "cmdSweep", "cmdClose"]]},
    {cls: "row", rows: [["lblFrom", "txtFrom", "lblTo", "txtTo", "lblPoints", "txtPoints"]]},
    {cls: "frames", rows: [[{frame: "fraSpacing", items: ["optLinear", "optLog"]},
                            {frame: "fraGiven", items: ["optAtLoad", "optAtInput"]}]]},
    {cls: "frames", rows: [[{frame: "fraSource", items: ["optMainZ", "optFile", "txtFile", "cmdOpen"]},
                            {frame: "fraReference", items: ["optRef50", "optRefZ0"]}]]},
    {cls: "chart", chart: "sweep"},
    {cls: "stack", rows: [["!!txtSummary"]], progress: true},
    {cls: "buttons", rows: [], downloads: [["sweep.csv", "QLX sweep.csv"], ["sweep.s1p", "QLX sweep.s1p"],
                                           ["png:smith", "QLX Smith chart.png"]]},
  ],
  frmPlan: [
    {cls: "row", rows: [["lblLine", "!!txtLine"]]},
    {cls: "buttons", rows: [["cmdPlan", "cmdPrint", "cmdClose"]]},
    {cls: "frames", rows: [[{frame: "fraRegion", items: ["optRegion1", "optRegion2", "optRegion3"]},
                            {frame: "fraAntenna", items: ["optMainZ", "optFile"]}]]},
    {cls: "row", rows: [["lblBands", "txtBands", "lblPoints", "txtPoints"]]},
    {cls: "row", rows: [["lblHave", "txtHave"]]},
    {cls: "row", rows: [["lblLengths", "txtLengths", "cmdScan"]]},
    {cls: "stack", rows: [["!!txtSummary"]]},
    {cls: "chart", chart: "plan"},
    {cls: "stack", rows: [["lblNet0"], ["lblNet1"], ["lblNet2"], ["lblNet3"], ["lblNet4"]]},
    {cls: "stack", rows: [["!!txtHaveResult"], ["!!txtScanResult"]], progress: true},
    {cls: "buttons", rows: [], downloads: [["plan.csv", "QLX plan.csv"], ["plan.json", "QLX plan.json"],
                                           ["png:planLoss", "QLX plan loss.png"], ["png:planLengths", "QLX plan lengths.png"]]},
  ],
};

// Both result pages of the tuner: the header, the table of the elements, the schematic with its
// values over it.
const TUNER_PAGE = [
  {cls: "frames", rows: [[{frame: "frmOne", row: ["txtCableType", "lblFreq", "txtFreq", "lblLength", "txtLength"],
                           stack: ["!!txtLoad", "!!txtSWRLine", "!!txtPowerLost", "!!txtXmsnLoss", "!!txtBand", "!!txtNotes"]}]]},
  {cls: "frames", rows: [[{frame: "frmTwo", table: ["txtPwr", "txtQ", "txtReact", "txtPeakV", "txtCurr", "txtPwrDiss", "txtV"]}]]},
  {cls: "frames", rows: [[{frame: "frmSchematic",
                           schematic: ["picSchematic", "txtInputR", "txtLeftX", "TxtMidX", "txtRightX", "txtCStray", "txtLoadZ"]}]]},
  {cls: "buttons", rows: [["cmdPrint", "cmdBack", "cmdContinue"]]},
];
QLX_LAYOUTS.frmTuner1 = TUNER_PAGE;
QLX_LAYOUTS.frmTuner2 = TUNER_PAGE;

