// qlx-cli: the line calculator without windows, for scripts and for checking results.
// Each command types its options into the same window logic a user drives, in a fixed order,
// and prints the fields the windows would show.
#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_host.h"
#include "cli/options.h"
#include "core/cables.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"
#include "mainwin/defaults_file.h"
#include "mainwin/main_window.h"

namespace {

using qlx::MainWindow;
using qlx::cli::Failure;
using qlx::cli::Options;
// Objects keep the order in which the windows show their fields.
using json = nlohmann::ordered_json;
using FieldList = std::vector<std::pair<std::string, std::string>>;

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 2;

constexpr const char* kLineOptionsHelp = R"(LINE-OPTIONS, typed into the main window in this order (without an option the window's
start-up value stays: 3.5 MHz, 100 feet of RG-8A, 50 + j0 ohms at the load):
  --meters                 lengths in meters (default feet)
  --freq MHZ               frequency, 0.02 to 5000 MHz
  --cable N|TEXT           list position 0-32, or a case-insensitive part of an entry's text
  --user-line R0,X0,DB100FT,AT-MHZ,VF,VMAX
                           the user-defined line's record (with --cable 32); its loss is given
                           per 100 feet at AT-MHZ and scaled with the root of the frequency
  --length L               line length, up to 9999; a "w" suffix gives wavelengths (0.25w)
  --at load|input          where the impedance is known (default load)
  --r OHMS, --x OHMS       the impedance there)";

constexpr const char* kUsage =
    "usage: qlx-cli cables [--freq MHZ] [--json]\n"
    "       qlx-cli line [LINE-OPTIONS] [--json]\n"
    "       qlx-cli graph [LINE-OPTIONS] [--power W] [--kind vi|rx] [--csv | --json]\n"
    "       qlx-cli bridge --freq MHZ --rp OHMS --cp PF [--extender OHMS] [--json]\n"
    "       qlx-cli analyser --z OHMS --swr SWR [--sign positive|negative] [--json]\n"
    "       qlx-cli COMMAND --help\n"
    "Exit status: 0 a result; 2 bad input (an entry rule's message, an unknown option or\n"
    "cable, no result computable).";

int Fail(const Failure& f, const char* usage) {
    if (!f.text.empty()) std::cerr << "qlx-cli: " << f.text << "\n";
    if (f.usage) std::cerr << usage << "\n";
    return kExitBadInput;
}

// The main window as at a first start: the user's TL.DEF is never read or written.
struct Session {
    Session() { w.Load(); }
    qlx::cli::CliHost host;
    qlx::MemoryDefaultsStore store;
    MainWindow w{host, store};
};

void Type(qlx::form::TextField& field, const std::string& text) {
    // As a user leaves a field after typing into it.
    field.SetText(text);
    field.LoseFocus();
}

// Types the line options into the window. False when the options are wrong or an entry rule
// rejected a value (its message is then on standard error already).
bool ApplyLine(Session& s, const Options& o, Failure& failure) {
    MainWindow& w = s.w;
    std::optional<int> cable;
    if (const std::string* cable_text = o.Value("--cable")) {
        cable = qlx::cli::FindCable(*cable_text, failure);
        if (!cable) return false;
    }
    if (const std::string* record = o.Value("--user-line")) {
        if (cable != qlx::kUserDefinedIndex) {
            failure = {"--user-line goes with --cable 32"};
            return false;
        }
        const auto parts = qlx::cli::ParseUserLine(*record, failure);
        if (!parts) return false;
        // The record as TL.DEF keeps it: R0, X0, loss per 100 feet, VF, VMax, its frequency.
        auto lines = qlx::SplitDefaultsText(s.store.content.value_or(""));
        lines.resize(qlx::kDefaultsLineCount);
        const std::size_t order[] = {0, 1, 2, 4, 5, 3};  // file lines 2-7 from the option's parts
        for (std::size_t i = 0; i < 6; ++i) lines[1 + i] = (*parts)[order[i]];
        s.store.content = qlx::JoinDefaultsLines(lines);
    }
    if (o.Has("--meters")) w.optMeters.Select();
    if (const std::string* v = o.Value("--freq")) Type(w.txtFreq, *v);
    if (cable) w.cboPickCable.Choose(*cable);
    if (const std::string* v = o.Value("--length")) Type(w.txtLength, *v);
    if (const std::string* v = o.Value("--at")) (*v == "input" ? w.optInput : w.optLoad).Select();
    if (const std::string* v = o.Value("--r")) Type(w.txtResistance, *v);
    if (const std::string* v = o.Value("--x")) Type(w.txtReactance, *v);
    if (!s.host.messages.empty()) {
        failure = {"", false};
        return false;
    }
    return true;
}

bool CheckLineOptions(const Options& o, Failure& failure) {
    if (!qlx::cli::CheckNumbers(o, {"--freq", "--length", "--r", "--x"}, failure)) return false;
    if (const std::string* at = o.Value("--at"); at && *at != "load" && *at != "input") {
        failure = {"--at takes load or input, not \"" + *at + "\""};
        return false;
    }
    return true;
}

// The main window's fields in reading order: entries, then results with their captions.
FieldList LineFields(MainWindow& w) {
    FieldList f;
    auto text = [&](const qlx::form::TextField& t) { f.emplace_back(t.name(), t.text()); };
    auto caption = [&](const qlx::form::Label& l) { f.emplace_back(l.name(), l.caption()); };
    text(w.txtFreq);
    text(w.txtLength);
    caption(w.lblUnit);
    f.emplace_back(w.cboPickCable.name(), std::string(qlx::ListText(w.cboPickCable.position())));
    if (w.LblWarning.visible()) caption(w.LblWarning);
    f.emplace_back("frameZInput", w.optLoad.selected() ? "Load" : "Input");
    text(w.txtResistance);
    text(w.txtReactance);
    for (const auto* t : {&w.txtZ0, &w.txtMLPer}) text(*t);
    caption(w.lbldBPer);
    for (const auto* t : {&w.txtVF, &w.txtVoltage, &w.txtMLTot, &w.txtWavelen, &w.txtLoadSWR}) text(*t);
    caption(w.lblRho);
    for (const auto* t : {&w.txtRho, &w.txtInputSWR, &w.txtAddLoss, &w.txtTotalLoss}) text(*t);
    caption(w.lblInputZ);
    for (const auto* t : {&w.txtImpedIn, &w.txtPolarZ, &w.txtPolarDegree}) text(*t);
    return f;
}

json LineValues(const MainWindow& w) {
    const qlx::LineValues& v = w.line();
    return json{{"Freq", v.freq},         {"R0", v.r0},           {"X0", v.x0},
                {"Atten100", v.atten100}, {"VelFactor", v.vel_factor}, {"VMax", v.vmax},
                {"WaveLen", v.wave_len},  {"Rin", v.rin},         {"Xin", v.xin},
                {"SWRIn", v.swr_in},      {"SWROut", v.swr_out},  {"TotLoss", v.tot_loss},
                {"RhoOut", v.rho_out},    {"MatchedLoss", v.matched_loss}};
}

// The fields as "name: text" lines, or one JSON object with the values (and the graph's points).
int Print(const Session& s, const FieldList& fields, const json& values, bool as_json,
          const json* points = nullptr) {
    if (as_json) {
        json f = json::object();
        for (const auto& [name, text] : fields) f[name] = text;
        json messages = json::array();
        for (const auto& m : s.host.messages) messages.push_back({{"title", m.title}, {"text", m.text}});
        json out{{"fields", f}, {"values", values}};
        if (points) out["points"] = *points;
        out["messages"] = messages;
        std::cout << out.dump(2) << "\n";
    } else {
        for (const auto& [name, text] : fields) std::cout << name << ": " << text << "\n";
    }
    return kExitOk;
}

int Line(const std::vector<std::string_view>& args) {
    const std::string usage = std::string("usage: qlx-cli line [LINE-OPTIONS] [--json]");
    Failure failure;
    const auto o = qlx::cli::ParseOptions(
        args, {"--freq", "--cable", "--user-line", "--length", "--at", "--r", "--x"},
        {"--meters", "--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nSolves a line as the main window does.\n\n" << kLineOptionsHelp
                  << "\n  --json                   one JSON object: \"fields\", \"values\", \"messages\"\n";
        return kExitOk;
    }
    if (!o || !CheckLineOptions(*o, failure)) return Fail(failure, usage.c_str());
    Session s;
    if (!ApplyLine(s, *o, failure)) return Fail(failure, usage.c_str());
    return Print(s, LineFields(s.w), LineValues(s.w), o->Has("--json"));
}

// A number as the shortest text that reads back to the same double.
std::string Exact(double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

int Graph(const std::vector<std::string_view>& args) {
    const char* usage = "usage: qlx-cli graph [LINE-OPTIONS] [--power W] [--kind vi|rx] [--csv | --json]";
    Failure failure;
    const auto o = qlx::cli::ParseOptions(
        args, {"--freq", "--cable", "--user-line", "--length", "--at", "--r", "--x", "--power", "--kind"},
        {"--meters", "--json", "--csv", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nVoltage and current, or resistance and reactance, at 201 points from the\n"
                     "transmitter to the load, as \"&Graph\" draws them.\n\n" << kLineOptionsHelp << "\n"
                     "  --power W                transmitter power (the tuner window's, default 1500)\n"
                     "  --kind vi|rx             voltage and current (default), or resistance and reactance\n"
                     "  --csv                    the points: pos,V,I,R,X, transmitter end first\n"
                     "  --json                   \"fields\", \"values\", \"points\" and \"messages\"\n";
        return kExitOk;
    }
    if (!o || !CheckLineOptions(*o, failure) || !qlx::cli::CheckNumbers(*o, {"--power"}, failure))
        return Fail(failure, usage);
    const std::string* kind = o->Value("--kind");
    if (kind && *kind != "vi" && *kind != "rx") return Fail({"--kind takes vi or rx, not \"" + *kind + "\""}, usage);
    if (o->Has("--csv") && o->Has("--json")) return Fail({"--csv and --json exclude each other"}, usage);

    Session s;
    if (!ApplyLine(s, *o, failure)) return Fail(failure, usage);
    if (const std::string* p = o->Value("--power")) Type(s.w.frmTuner.txtTxPwr, *p);
    if (kind && *kind == "rx") s.w.optResisReac.Select();
    s.w.cmdGraph.Click();

    const qlx::GraphResult& g = s.w.graph();
    if (o->Has("--csv")) {
        std::cout << "pos,V,I,R,X\n";
        for (std::size_t k = 0; k < qlx::kGraphPoints; ++k)
            std::cout << Exact(g.pos[k]) << "," << Exact(g.v[k]) << "," << Exact(g.i[k]) << "," << Exact(g.r[k])
                      << "," << Exact(g.x[k]) << "\n";
        return kExitOk;
    }
    const qlx::GraphWindow& win = s.w.frmVolt;
    FieldList fields{{"caption", win.window.caption()}};
    for (const auto* t : {&win.txtCableType, &win.txtZLoad, &win.txtFreq, &win.txtTotalLoss, &win.txtPower,
                          &win.txtMaxV, &win.txtMaxI})
        fields.emplace_back(t->name(), t->text());
    fields.emplace_back("bottomAxisTitle", win.chart().bottom_title);
    fields.emplace_back("leftAxisTitle", win.chart().left_title);
    fields.emplace_back("rightAxisTitle", win.chart().right_title);
    json points = json::array();
    if (o->Has("--json"))
        for (std::size_t k = 0; k < qlx::kGraphPoints; ++k)
            points.push_back({{"pos", g.pos[k]}, {"V", g.v[k]}, {"I", g.i[k]}, {"R", g.r[k]}, {"X", g.x[k]}});
    return Print(s, fields, {{"PwrIn", g.pwr_in}, {"BLen", g.blen}, {"MaxV", g.max_v}, {"MaxI", g.max_i}},
                 o->Has("--json"), &points);
}

int Bridge(const std::vector<std::string_view>& args) {
    const char* usage = "usage: qlx-cli bridge --freq MHZ --rp OHMS --cp PF [--extender OHMS] [--json]";
    Failure failure;
    const auto o = qlx::cli::ParseOptions(args, {"--freq", "--rp", "--cp", "--extender"},
                                          {"--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nTurns the shunt resistance and capacitance read on a parallel-form noise\n"
                     "bridge (a negative capacitance for an inductive reading), less a series extender\n"
                     "resistor, into the series impedance at the line input, and solves the line from it.\n";
        return kExitOk;
    }
    if (!o) return Fail(failure, usage);
    for (const char* required : {"--freq", "--rp", "--cp"})
        if (!o->Has(required)) return Fail({std::string(required) + " is needed"}, usage);
    if (!qlx::cli::CheckNumbers(*o, {"--freq", "--rp", "--cp", "--extender"}, failure)) return Fail(failure, usage);

    Session s;
    Type(s.w.txtFreq, *o->Value("--freq"));
    if (!s.host.messages.empty()) return kExitBadInput;
    qlx::NoiseBridgeDialog& nb = s.w.frmNB;
    s.host.on_modal = [&](qlx::form::Window&) {
        nb.txtResist.SetText(*o->Value("--rp"));
        nb.txtReact.SetText(*o->Value("--cp"));
        if (const std::string* ext = o->Value("--extender")) nb.txtExtender.SetText(*ext);
        if (!nb.txtCompZ.text().empty()) nb.cmdOK.Click();
        else nb.cmdCancel.Click();
    };
    s.w.optNoiseBridge.Select();
    if (nb.txtCompZ.text().empty())
        return Fail({"no impedance: the shunt resistance must be above 0", false}, usage);

    FieldList fields;
    for (const auto* t : {&nb.txtResist, &nb.txtReact, &nb.txtExtender, &nb.txtCompZ})
        fields.emplace_back(t->name(), t->text());
    for (auto& f : LineFields(s.w)) fields.push_back(std::move(f));
    json values = LineValues(s.w);
    json all{{"RaNB", nb.RaNB}, {"XaNB", nb.XaNB}};
    all.update(values);
    return Print(s, fields, all, o->Has("--json"));
}

int Analyser(const std::vector<std::string_view>& args) {
    const char* usage = "usage: qlx-cli analyser --z OHMS --swr SWR [--sign positive|negative] [--json]";
    Failure failure;
    const auto o = qlx::cli::ParseOptions(args, {"--z", "--swr", "--sign"}, {"--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nTurns an analyser's |Z| and SWR against 50 ohms into R and X (with the sign\n"
                     "chosen, positive by default) at the line input, and solves the line from it.\n";
        return kExitOk;
    }
    if (!o) return Fail(failure, usage);
    for (const char* required : {"--z", "--swr"})
        if (!o->Has(required)) return Fail({std::string(required) + " is needed"}, usage);
    if (!qlx::cli::CheckNumbers(*o, {"--z", "--swr"}, failure)) return Fail(failure, usage);
    const std::string* sign = o->Value("--sign");
    if (sign && *sign != "positive" && *sign != "negative")
        return Fail({"--sign takes positive or negative, not \"" + *sign + "\""}, usage);

    Session s;
    qlx::AnalyserDialog& a = s.w.frmAutek;
    s.host.on_modal = [&](qlx::form::Window&) {
        if (sign && *sign == "negative") a.optNegative.Select();
        a.txtAutekZ.SetText(*o->Value("--z"));
        a.txtAutekSWR.SetText(*o->Value("--swr"));
        if (a.calculated()) a.cmdOK.Click();
        else a.cmdCancel.Click();
    };
    s.w.optAutek.Select();
    if (!a.calculated())
        return Fail({"no impedance: |Z| must not be 0 and the SWR must exceed the minimum for |Z|", false},
                    usage);

    FieldList fields;
    for (const auto* t : {&a.txtAutekZ, &a.txtAutekSWR, &a.txtMinSWR, &a.txtCalcZ})
        fields.emplace_back(t->name(), t->text());
    fields.emplace_back("fraSign", a.optNegative.selected() ? "Negative" : "Positive");
    for (auto& f : LineFields(s.w)) fields.push_back(std::move(f));
    json all{{"AutekR", a.AutekR}, {"AutekX", a.AutekX}};
    all.update(LineValues(s.w));
    return Print(s, fields, all, o->Has("--json"));
}

// The catalogue: every list entry, and with a frequency each row's matched loss per 100 feet,
// R0 and X0 there.
int Cables(const std::vector<std::string_view>& args) {
    const char* usage = "usage: qlx-cli cables [--freq MHZ] [--json]";
    Failure failure;
    const auto o = qlx::cli::ParseOptions(args, {"--freq"}, {"--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nLists the cable list's 33 entries with their positions; with --freq, each\n"
                     "catalogue line's matched loss in dB per 100 feet, R0 and X0 at that frequency.\n";
        return kExitOk;
    }
    if (!o || !qlx::cli::CheckNumbers(*o, {"--freq"}, failure)) return Fail(failure, usage);
    std::optional<float> freq;
    if (const std::string* text = o->Value("--freq")) {
        const double f = qlx::ParseNumber(*text);
        if (!qlx::FrequencyAccepted(f)) {
            std::cerr << qlx::kBadFrequencyTitle << ": " << qlx::kBadFrequencyText << "\n";
            return kExitBadInput;
        }
        freq = static_cast<float>(f);
    }

    json rows = json::array();
    for (int pos = 0; pos < qlx::kListEntries; ++pos) {
        const std::string text(qlx::ListText(pos));
        json row{{"position", pos}, {"text", text}};
        std::string line = std::to_string(pos) + ":" + text;
        if (pos < qlx::kCatalogueRows) {
            const qlx::CableSpec& c = qlx::Catalogue()[static_cast<std::size_t>(pos)];
            row["LossSlope"] = c.loss_slope;
            row["LossIntercept"] = c.loss_intercept;
            row["VelFactor"] = c.vel_factor;
            row["VMax"] = c.vmax;
            row["CapPF"] = c.cap_pf;
            if (freq) {
                const qlx::CableAtFrequency at = qlx::CableAt(c, *freq);
                row["Atten100"] = at.atten100;
                row["R0"] = at.r0;
                row["X0"] = at.x0;
                line += " | " + qlx::Format(at.atten100, "#0.0##") + " dB/100 Feet | R0 " +
                        qlx::Format(at.r0, "##0.0") + " | X0 " + qlx::Format(at.x0, "##0.00");
            }
        }
        rows.push_back(row);
        if (!o->Has("--json")) std::cout << line << "\n";
    }
    if (o->Has("--json")) {
        json out{{"cables", rows}};
        if (freq) out["Freq"] = *freq;
        std::cout << out.dump(2) << "\n";
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage << "\n";
        return kExitBadInput;
    }
    if (args[0] == "--help") {
        std::cout << kUsage << "\n\n" << kLineOptionsHelp << "\n";
        return kExitOk;
    }
    const std::string_view command = args[0];
    args.erase(args.begin());
    if (command == "cables") return Cables(args);
    if (command == "line") return Line(args);
    if (command == "graph") return Graph(args);
    if (command == "bridge") return Bridge(args);
    if (command == "analyser") return Analyser(args);
    std::cerr << "qlx-cli: unknown command " << command << "\n" << kUsage << "\n";
    return kExitBadInput;
}
