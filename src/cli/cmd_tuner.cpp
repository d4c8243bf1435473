#include <iostream>
#include <variant>

#include "cli/common.h"

namespace qlx::cli {

namespace {

const char* const kTunerUsage =
    "usage: qlx-cli tuner [LINE-OPTIONS] --network hpl|lpl|pi|tee [--tuner-r OHMS] [--power W]\n"
    "                     [--qc Q] [--qu Q] [--stray PF] [--phase DEG] [--pi-cap PF] [--tee-cap PF] [--json]";

struct NetworkChoice {
    const char* name;
    form::Option TunerWindow::*option;
};
constexpr NetworkChoice kNetworks[] = {{"hpl", &TunerWindow::optLNet1},
                                       {"lpl", &TunerWindow::optLNet2},
                                       {"pi", &TunerWindow::optPiNet},
                                       {"tee", &TunerWindow::optTeeNet}};

// The settings, each typed into the set-up window's field as a user would.
struct SettingOption {
    const char* name;
    form::TextField TunerWindow::*field;
};
constexpr SettingOption kSettings[] = {
    {"--phase", &TunerWindow::txtPhase}, {"--stray", &TunerWindow::txtStrayC}, {"--tuner-r", &TunerWindow::txtTunerR},
    {"--power", &TunerWindow::txtTxPwr}, {"--qc", &TunerWindow::txtCapQ},      {"--qu", &TunerWindow::txtCoilQ},
    {"--pi-cap", &TunerWindow::txtPiCap}, {"--tee-cap", &TunerWindow::txtTeeCap}};

// The page as the user reads it: caption, header, table, voltages and the schematic's boxes.
FieldList PageFields(tuner::TunerPage& p) {
    FieldList f{{"caption", p.window.caption()}};
    auto text = [&](const form::TextField& t) {
        if (t.visible()) f.emplace_back(t.name(), t.text());
    };
    for (const auto* t : {&p.txtCableType, &p.txtFreq, &p.txtLength, &p.txtLoad, &p.txtSWRLine, &p.txtPowerLost,
                          &p.txtXmsnLoss})
        text(*t);
    for (const auto& row : p.Table())
        for (const form::TextField* cell : row) text(*cell);
    for (const auto* t : {&p.txtV1, &p.txtV2, &p.txtV3, &p.txtV4}) text(*t);
    f.emplace_back(p.picSchematic.name(), p.picSchematic.path());
    for (const auto* t : {&p.txtInputR, &p.txtLeftX, &p.TxtMidX, &p.txtRightX, &p.txtLoadZ}) text(*t);
    if (p.with_stray()) text(p.txtCStray);
    return f;
}

json DesignJson(const tuner::NetworkDesign& d) {
    json elements = json::array();
    for (const tuner::Element& e : d.elements)
        elements.push_back({{"name", e.name},
                            {"kind", e.kind == tuner::Kind::L ? "L" : "C"},
                            {"connection", e.connection == tuner::Connection::Series ? "series" : "shunt"},
                            {"value", e.value},
                            {"q", e.q},
                            {"reactance", e.x},
                            {"Vrms", e.v_rms},
                            {"Irms", e.i_rms},
                            {"Pdiss", e.p_diss}});
    return {{"F0", d.f0},     {"Z0", d.z0},       {"Ra", d.ra},   {"Xa", d.xa},    {"strayF", d.stray_f},
            {"Qeff", d.qeff}, {"Ploss", d.ploss}, {"Vin", d.vin}, {"Vout", d.vout}, {"elements", elements}};
}

}  // namespace

int Tuner(const Args& args) {
    Failure failure;
    const auto o = ParseOptions(args,
                                LineOptionsAnd({"--network", "--tuner-r", "--power", "--qc", "--qu", "--stray",
                                                "--phase", "--pi-cap", "--tee-cap"}),
                                {"--meters", "--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << kTunerUsage << "\n\nDesigns an antenna tuner for the impedance at the line input, as \"&Draw Tuner\"\n"
                     "does, and prints its result page.\n\n" << kLineOptionsHelp << "\n"
                     "  --network hpl|lpl|pi|tee high-pass L, low-pass L, low-pass Pi or high-pass Tee\n"
                     "  --tuner-r OHMS           the resistance the transmitter is to see (default 50)\n"
                     "  --power W                transmitter power (default 1500)\n"
                     "  --qc Q, --qu Q           unloaded Q of capacitors (1000) and coils (200), at least 15\n"
                     "  --stray PF               stray capacitance across the line input (10)\n"
                     "  --phase DEG              wanted phase at the network's output (0)\n"
                     "  --pi-cap PF, --tee-cap PF  the Pi's output capacitor (500), the Tee's series one (100)\n"
                     "  --json                   \"fields\" (the page), \"values\" (the line), \"design\", \"page\",\n"
                     "                           \"messages\"\n"
                     "Exit status: 0 a design; 1 the network cannot match this load (its message on\n"
                     "standard error); 2 bad input.\n";
        return kExitOk;
    }
    if (!o || !CheckLineOptions(*o, failure) ||
        !CheckNumbers(*o, {"--tuner-r", "--power", "--qc", "--qu", "--stray", "--phase", "--pi-cap", "--tee-cap"},
                      failure))
        return Fail(failure, kTunerUsage);
    const std::string* network = o->Value("--network");
    if (!network) return Fail({"--network is needed: hpl, lpl, pi or tee"}, kTunerUsage);
    const NetworkChoice* choice = nullptr;
    for (const NetworkChoice& n : kNetworks)
        if (*network == n.name) choice = &n;
    if (!choice) return Fail({"--network takes hpl, lpl, pi or tee, not \"" + *network + "\""}, kTunerUsage);

    Session s;
    if (!ApplyLine(s, *o, failure)) return Fail(failure, kTunerUsage);
    TunerWindow& t = s.w.frmTuner;
    s.w.cmdTuner.Click();
    for (const SettingOption& setting : kSettings)
        if (const std::string* v = o->Value(setting.name)) Type(t.*setting.field, *v);
    if (!CheckPower(*o, t, failure)) return Fail(failure, kTunerUsage);
    (t.*choice->option).Select();
    t.cmdDrawTuner.Click();

    const bool as_json = o->Has("--json");
    const auto& result = t.last_result();
    const auto* design = result ? std::get_if<tuner::NetworkDesign>(&*result) : nullptr;
    if (!design) {
        // The message is on standard error already; a script reading JSON still gets it there.
        if (as_json) Print(s, {}, LineValues(s.w), true, json{{"design", nullptr}, {"page", nullptr}});
        return kExitDesignFailed;
    }
    tuner::TunerPage& page = design->page == tuner::Page::Tuner2 ? t.frmTuner2 : t.frmTuner1;
    return Print(s, PageFields(page), LineValues(s.w), as_json,
                 json{{"design", DesignJson(*design)}, {"page", page.window.name()}});
}

}  // namespace qlx::cli
