#include <cmath>
#include <filesystem>
#include <vector>
#include <iostream>
#include <variant>

#include "cli/common.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "sweep/touchstone.h"

namespace qlx::cli {

namespace {

const char* const kTunerUsage =
    "usage: qlx-cli tuner [LINE-OPTIONS] --network hpl|lpl|pi|tee|all|best [--tuner-r OHMS] [--power W]\n"
    "                     [--qc Q] [--qu Q] [--stray PF] [--phase DEG] [--pi-cap PF|auto] [--tee-cap PF|auto]\n"
    "                     [--band-from MHZ] [--band-to MHZ] [--band-points N] [--touchstone FILE] [--json]";

constexpr int kMaxComparedBandPoints = 10'001;

struct NetworkChoice {
    const char* name;
    form::Option TunerWindow::*option;
};
constexpr NetworkChoice kNetworks[] = {{"hpl", &TunerWindow::optLNet1},
                                       {"lpl", &TunerWindow::optLNet2},
                                       {"pi", &TunerWindow::optPiNet},
                                       {"tee", &TunerWindow::optTeeNet}};


// The page as the user reads it: caption, header, table, voltages and the schematic's boxes.
FieldList PageFields(tuner::TunerPage& p) {
    FieldList f{{"caption", p.window.caption()}};
    auto text = [&](const form::TextField& t) {
        if (t.visible()) f.emplace_back(t.name(), t.text());
    };
    for (const auto* t : {&p.txtCableType, &p.txtFreq, &p.txtLength, &p.txtLoad, &p.txtSWRLine, &p.txtPowerLost,
                          &p.txtXmsnLoss, &p.txtBand, &p.txtNotes})
        text(*t);
    for (const auto& row : p.Table())
        for (const form::TextField* cell : row) text(*cell);
    for (const auto* t : {&p.txtV1, &p.txtV2, &p.txtV3, &p.txtV4}) text(*t);
    f.emplace_back(p.picSchematic.name(), p.picSchematic.path());
    for (const auto* t : {&p.txtInputR, &p.txtLeftX, &p.TxtMidX, &p.txtRightX, &p.txtLoadZ}) text(*t);
    text(p.txtCStray);  // where the schematic draws the stray
    return f;
}

json EdgeJson(const tuner::Crossing& c) {
    const auto value = [](const std::optional<double>& f) { return f ? json(*f) : json(nullptr); };
    return {{"lo_mhz", value(c.lo_mhz)}, {"hi_mhz", value(c.hi_mhz)}};
}

json BandJson(const tuner::BandRun& b) {
    json points = json::array();
    for (const tuner::BandPoint& p : b.points) points.push_back({{"f_mhz", p.f_mhz}, {"r", p.r}, {"x", p.x}, {"swr", p.swr}});
    const char* held = b.held == tuner::Held::Load ? "load" : b.held == tuner::Held::Measured ? "touchstone" : "input";
    return {{"from_mhz", b.from_mhz}, {"to_mhz", b.to_mhz}, {"held", held},
            {"swr15", EdgeJson(b.swr15)}, {"swr20", EdgeJson(b.swr20)}, {"points", points}};
}

json DesignJson(const tuner::NetworkDesign& d) {
    json elements = json::array();
    for (const tuner::Element& e : d.elements) {
        elements.push_back({{"name", e.name},
                            {"kind", e.kind == tuner::Kind::L ? "L" : "C"},
                            {"connection", e.connection == tuner::Connection::Series ? "series" : "shunt"},
                            {"value", e.value},
                            {"q", e.q},
                            {"reactance", e.x},
                            {"Vrms", e.v_rms},
                            {"Irms", e.i_rms},
                            {"Pdiss", e.p_diss}});
        if (e.stray_pf > 0.0) elements.back()["fit_pf"] = e.value - e.stray_pf;
    }
    json j{{"F0", d.f0},     {"Z0", d.z0},       {"Ra", d.ra},   {"Xa", d.xa},    {"strayF", d.stray_f},
           {"Qeff", d.qeff}, {"Ploss", d.ploss}, {"Vin", d.vin}, {"Vout", d.vout}, {"elements", elements}};
    if (d.network == tuner::Network::Pi || d.network == tuner::Network::Tee) j["fixed_pf"] = d.fixed_pf;
    if (!d.note.empty()) j["note"] = d.note;
    return j;
}

const char* NetworkName(tuner::Network n) {
    switch (n) {
        case tuner::Network::HighPassL: return "hpl";
        case tuner::Network::LowPassL: return "lpl";
        case tuner::Network::Pi: return "pi";
        case tuner::Network::Tee: return "tee";
    }
    return "";
}

json TopologyJson(const TunerWindow::Compared& c) {
    if (c.network != tuner::Network::HighPassL || !c.coil_across_line) return nullptr;
    return *c.coil_across_line ? "coil-across-line" : "coil-across-transmitter";
}

// The --band-* options and --touchstone, checked; the antenna's impedance at the design
// frequency typed into the main window as --r and --x would be.
bool ApplyBand(const Options& o, Session& s, bool compared, TunerWindow::DesignRequest& t, Failure& failure) {
    const std::string* from = o.Value("--band-from");
    const std::string* to = o.Value("--band-to");
    const std::string* points = o.Value("--band-points");
    const double f0 = ParseNumber(s.w.txtFreq.text());
    if (from || to || points) {
        tuner::BandRange b = tuner::DefaultBand(f0);
        if (from) b.from_mhz = ParseNumber(*from);
        if (to) b.to_mhz = ParseNumber(*to);
        if (!FrequencyAccepted(b.from_mhz) || !FrequencyAccepted(b.to_mhz) || !(b.from_mhz <= b.to_mhz)) {
            failure = {"--band-from and --band-to: a band from " + ShortestText(kMinFreqMHz) + " to " +
                           ShortestText(kMaxFreqMHz) + " MHz, --band-from up to --band-to", false};
            return false;
        }
        // The band run shows how far the tuner matches either side of the design frequency.
        if (!(b.from_mhz <= f0 && f0 <= b.to_mhz)) {
            failure = {"--band-from and --band-to: a band that holds the design frequency, " + ShortestText(f0) + " MHz",
                       false};
            return false;
        }
        if (points) {
            // Every network of a comparison prints its band: fewer points, so that one command
            // cannot print tens of megabytes.
            const int most = compared ? kMaxComparedBandPoints : sweep::kMaxPoints;
            const double n = ParseNumber(*points);
            if (!(n >= sweep::kMinPoints && n <= most) || n != std::floor(n)) {
                failure = {"--band-points " + *points + ": " +
                               (compared ? std::to_string(sweep::kMinPoints) + " to " + std::to_string(most) +
                                               " points with --network all or best"
                                         : sweep::PointsRangeText()),
                           false};
                return false;
            }
            b.points = static_cast<int>(n);
        }
        t.band = b;
    }
    if (const std::string* file = o.Value("--touchstone")) {
        if (o.Value("--r") || o.Value("--x")) {
            failure = {"--touchstone gives the impedance: --r and --x are not allowed with it", false};
            return false;
        }
        auto read = ReadAntennaFile(s, *file, s.w.optLoad.selected(), failure);
        if (!read) return false;
        tuner::MeasuredAntenna a = std::move(*read);
        // The design's impedance is the file's at the design frequency, typed to a ten-thousandth
        // of an ohm as a user copying it would.
        const auto measured = tuner::DesignImpedance(a, f0);
        if (const auto* why = std::get_if<std::string>(&measured)) {
            failure = {*why, false};
            return false;
        }
        const std::complex<double> z = std::get<std::complex<double>>(measured);
        Type(s.w.txtResistance, Format(z.real(), "0.0###"));
        Type(s.w.txtReactance, Format(z.imag(), "0.0###"));
        t.antenna = std::move(a);
    }
    return true;
}

void PrintTunerHelp() {
    std::cout << kTunerUsage << "\n\nDesigns an antenna tuner for the impedance at the line input, as \"&Draw Tuner\"\n"
                 "does, and prints its result page.\n\n" << kLineOptionsHelp << "\n"
                 "  --network hpl|lpl|pi|tee high-pass L, low-pass L, low-pass Pi or high-pass Tee;\n"
                 "           all|best      every network side by side: those whose parts are all within\n"
                 "                         5-5000 pF and 0.1-50 uH first, lowest loss first, then those with\n"
                 "                         a part outside them, then those that cannot match; best: the first\n"
                 "                         one's page\n"
                 "  --tuner-r OHMS           the resistance the transmitter is to see (default 50)\n"
                 "  --power W                transmitter power (default 1500)\n"
                 "  --qc Q, --qu Q           unloaded Q of capacitors (1000) and coils (200), at least 15\n"
                 "  --stray PF               stray capacitance across the line input (10)\n"
                 "  --phase DEG              wanted phase at the network's output (0)\n"
                 "  --pi-cap PF|auto, --tee-cap PF|auto\n"
                 "                           the Pi's output capacitor (500), the Tee's series one (100);\n"
                 "                           auto: the one from 5 to 5000 pF that loses least\n"
                 "  --band-from MHZ, --band-to MHZ, --band-points N\n"
                 "                           the band run with the tuner left as designed (the design\n"
                 "                           frequency +-10 %, 401 points; up to 10001 with all or best);\n"
                 "                           the band must hold --freq\n"
                 "  --touchstone FILE        the antenna measured (one-port, at the end --at names): the\n"
                 "                           design takes its impedance at --freq, which must lie within the\n"
                 "                           file; the band run follows it over the file's points alone\n"
                 "  --json                   \"fields\" (the page), \"values\" (the line), \"design\", \"band\",\n"
                 "                           \"page\", \"messages\"; with all: \"designs\" and \"best\". A band\n"
                 "                           point whose SWR is infinite (all power reflected) has \"swr\": null;\n"
                 "                           a capacitor that includes the stray capacitance has \"fit_pf\"\n"
                 "Exit status: 0 a design; 1 the network cannot match this load (its message on\n"
                 "standard error); 2 bad input.\n";
}

// The options checked as the window would take them: "auto" for a capacitor, numbers elsewhere.
bool CheckTunerOptions(const Options& o, Failure& failure) {
    if (!CheckLineOptions(o, failure) || !CheckNumbers(o, {"--band-from", "--band-to", "--band-points"}, failure))
        return false;
    return CheckTunerSettings(o, failure);
}

// One row of --network all --json: its design and page as the row's button draws it, or why it
// cannot match.
json ComparedJson(Session& s, const TunerWindow::Compared& c, const TunerWindow::DesignRequest& request) {
    TunerWindow& t = s.w.frmTuner;
    json j{{"network", NetworkName(c.network)}, {"topology", TopologyJson(c)}};
    const auto* d = std::get_if<tuner::NetworkDesign>(&c.result);
    if (!d) {
        const auto& e = std::get<tuner::DesignFailure>(c.result);
        j["ok"] = false;
        j["title"] = e.title;
        j["text"] = e.text;
        return j;
    }
    const std::size_t before = s.host.messages.size();
    t.DrawCompared(c, request);
    tuner::TunerPage& page = d->page == tuner::Page::Tuner2 ? t.frmTuner2 : t.frmTuner1;
    json f = json::object();
    for (const auto& [name, text] : PageFields(page)) f[name] = text;
    json messages = json::array();
    for (std::size_t k = before; k < s.host.messages.size(); ++k)
        messages.push_back({{"title", s.host.messages[k].title}, {"text", s.host.messages[k].text}});
    j["ok"] = true;
    j["design"] = DesignJson(*d);
    j["band"] = c.band ? BandJson(*c.band) : json(nullptr);
    j["fields"] = f;
    j["messages"] = messages;
    return j;
}

// --network all: every row, as text or JSON.
int PrintComparison(Session& s, const std::vector<TunerWindow::Compared>& compared,
                    const TunerWindow::DesignRequest& request, bool as_json) {
    TunerWindow& t = s.w.frmTuner;
    const bool matched = !compared.empty() && std::holds_alternative<tuner::NetworkDesign>(compared.front().result);
    const std::string no_tuner = t.NoTunerNeededText(s.w.Displayed());
    if (!as_json) {
        if (!no_tuner.empty()) std::cout << no_tuner << "\n";
        for (const TunerWindow::Compared& c : compared)
            std::cout << TunerWindow::ComparedName(c) << ": " << TunerWindow::ComparedText(c, '.') << "\n";
        return matched ? kExitOk : kExitDesignFailed;
    }
    json designs = json::array();
    for (const TunerWindow::Compared& c : compared) designs.push_back(ComparedJson(s, c, request));
    json extra{{"designs", designs}, {"best", matched ? json(NetworkName(compared.front().network)) : json(nullptr)}};
    if (!no_tuner.empty()) extra["no_tuner_needed"] = no_tuner;
    Print(s, {}, LineValues(s.w), true, extra);
    return matched ? kExitOk : kExitDesignFailed;
}

// The page of the network chosen, as "&Draw Tuner" draws it.
int PrintPage(Session& s, const NetworkChoice& choice, const TunerWindow::DesignRequest& request, bool as_json) {
    TunerWindow& t = s.w.frmTuner;
    (t.*choice.option).Select();
    t.on_draw(request);
    const auto& result = t.last_result();
    const auto* design = result ? std::get_if<tuner::NetworkDesign>(&*result) : nullptr;
    if (!design) {
        // The message is on standard error already; a script reading JSON still gets it there.
        if (as_json) Print(s, {}, LineValues(s.w), true, json{{"design", nullptr}, {"page", nullptr}});
        return kExitDesignFailed;
    }
    tuner::TunerPage& page = design->page == tuner::Page::Tuner2 ? t.frmTuner2 : t.frmTuner1;
    json extra{{"design", DesignJson(*design)}, {"page", page.window.name()}};
    extra["band"] = t.last_band() ? BandJson(*t.last_band()) : json(nullptr);
    return Print(s, PageFields(page), LineValues(s.w), as_json, extra);
}

}  // namespace

const SettingOption kTunerSettings[8] = {
    {"--phase", &TunerWindow::txtPhase}, {"--stray", &TunerWindow::txtStrayC}, {"--tuner-r", &TunerWindow::txtTunerR},
    {"--power", &TunerWindow::txtTxPwr}, {"--qc", &TunerWindow::txtCapQ},      {"--qu", &TunerWindow::txtCoilQ},
    {"--pi-cap", &TunerWindow::txtPiCap}, {"--tee-cap", &TunerWindow::txtTeeCap}};

// The settings the window would change or refuse are refused here, as `line` refuses a bad
// entry, with the window's own message where it has one: a design never runs with a value other
// than the one asked for, and no field shows a number it cannot hold.
bool CheckTunerSettings(const Options& o, Failure& failure) {
    const auto is_auto = [&o](const char* name) {
        const std::string* v = o.Value(name);
        return v && *v == "auto";
    };
    std::vector<const char*> numeric{"--tuner-r", "--power", "--qc", "--qu", "--stray", "--phase"};
    if (!is_auto("--pi-cap")) numeric.push_back("--pi-cap");
    if (!is_auto("--tee-cap")) numeric.push_back("--tee-cap");
    for (const char* name : numeric)
        if (!CheckNumbers(o, {name}, failure)) return false;
    struct Rule {
        const char* name;
        double lo, hi;
        bool lo_included;
        std::string message;
    };
    const std::string q_range = " Q is " + ShortestText(tuner::kMinimumQ) + " (and at most 1000000)";
    const Rule rules[] = {
        {"--tuner-r", 0.0, 1e6, false, "enter a tuner input resistance above 0 ohms, up to 1000000"},
        {"--qc", tuner::kMinimumQ, 1e6, true, "Minimum capacitor" + q_range},
        {"--qu", tuner::kMinimumQ, 1e6, true, "Minimum coil" + q_range},
        {"--stray", 0.0, 1e6, true, "enter a stray capacitance from 0 to 1000000 pF"},
        {"--phase", -360.0, 360.0, true, "enter a phase from -360 to 360 degrees"},
        {"--pi-cap", 0.0, 1e6, false, "enter an output capacitor above 0 pF, up to 1000000 pF, or auto"},
        {"--tee-cap", 0.0, 1e6, false, "enter a series capacitor above 0 pF, up to 1000000 pF, or auto"},
    };
    for (const Rule& r : rules) {
        const std::string* v = o.Value(r.name);
        if (!v || *v == "auto") continue;
        const double x = ParseNumber(*v);
        if ((r.lo_included ? x >= r.lo : x > r.lo) && x <= r.hi) continue;
        failure = {std::string(r.name) + " " + *v + ": " + r.message, false};
        return false;
    }
    return true;
}

std::optional<tuner::MeasuredAntenna> ReadAntennaFile(Session& s, const std::string& file, bool at_load,
                                                      Failure& failure) {
    auto data = sweep::LoadTouchstone(file);
    const std::string shown = sweep::ShownName(file);
    if (const auto* e = std::get_if<sweep::TouchstoneError>(&data)) {
        failure = {sweep::ErrorText(shown, *e), false};
        return std::nullopt;
    }
    if (const std::string warning = sweep::OvershootWarning(std::get<sweep::OnePort>(data)); !warning.empty())
        s.host.ShowMessage(shown + ": " + warning, sweep::kTouchstoneTitle, form::Buttons::Ok);
    sweep::OnePort port = sweep::Within(std::get<sweep::OnePort>(data), kMinFreqMHz, kMaxFreqMHz);
    if (port.f_mhz.empty()) {
        failure = {shown + ": no point between " + ShortestText(kMinFreqMHz) + " and " + ShortestText(kMaxFreqMHz) + " MHz",
                   false};
        return std::nullopt;
    }
    tuner::MeasuredAntenna a;
    a.f_mhz = std::move(port.f_mhz);
    a.z = std::move(port.z);
    a.at_load = at_load;
    a.name = sweep::ShownName(std::filesystem::path(file).filename().string());
    return a;
}

int Tuner(const Args& args) {
    Failure failure;
    const auto o = ParseOptions(args,
                                LineOptionsAnd({"--network", "--tuner-r", "--power", "--qc", "--qu", "--stray",
                                                "--phase", "--pi-cap", "--tee-cap", "--band-from", "--band-to",
                                                "--band-points", "--touchstone"}),
                                {"--meters", "--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        PrintTunerHelp();
        return kExitOk;
    }
    if (!o || !CheckTunerOptions(*o, failure)) return Fail(failure, kTunerUsage);
    const std::string* network = o->Value("--network");
    if (!network) return Fail({"--network is needed: hpl, lpl, pi, tee, all or best"}, kTunerUsage);
    const NetworkChoice* choice = nullptr;
    for (const NetworkChoice& n : kNetworks)
        if (*network == n.name) choice = &n;
    const bool all = *network == "all", best = *network == "best";
    if (!choice && !all && !best)
        return Fail({"--network takes hpl, lpl, pi, tee, all or best, not \"" + *network + "\""}, kTunerUsage);

    Session s;
    TunerWindow::DesignRequest request;
    if (!ApplyLine(s, *o, failure) || !ApplyBand(*o, s, all || best, request, failure))
        return Fail(failure, kTunerUsage);
    TunerWindow& t = s.w.frmTuner;
    s.w.cmdTuner.Click();
    for (const SettingOption& setting : kTunerSettings)
        if (const std::string* v = o->Value(setting.name)) Type(t.*setting.field, *v);
    if (!CheckPower(*o, t, failure)) return Fail(failure, kTunerUsage);
    const bool as_json = o->Has("--json");
    if (!all && !best) return PrintPage(s, *choice, request, as_json);

    const std::vector<TunerWindow::Compared> compared = t.Compare(s.w.Displayed(), s.w.TunerContext(), request);
    if (all) return PrintComparison(s, compared, request, as_json);
    if (compared.empty() || !std::holds_alternative<tuner::NetworkDesign>(compared.front().result)) {
        std::cerr << "no network matches this load\n";
        if (as_json) Print(s, {}, LineValues(s.w), true, json{{"design", nullptr}, {"page", nullptr}});
        return kExitDesignFailed;
    }
    // best: the first row's page, exactly as --network NAME draws it.
    const TunerWindow::Compared& c = compared.front();
    for (const NetworkChoice& n : kNetworks)
        if (n.name == std::string(NetworkName(c.network))) choice = &n;
    request.coil_across_line = c.coil_across_line;
    return PrintPage(s, *choice, request, as_json);
}

}  // namespace qlx::cli
