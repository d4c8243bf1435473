// qlx-cli: the line calculator without windows, for scripts and for checking results.
// Each command types its options into the same window logic a user drives, in a fixed order,
// and prints the fields the window would show.
#include <algorithm>
#include <cctype>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_host.h"
#include "core/cables.h"
#include "core/format.h"
#include "core/numbers.h"
#include "mainwin/defaults_file.h"
#include "mainwin/main_window.h"

namespace {

// Objects keep the order in which the window shows its fields.
using json = nlohmann::ordered_json;
using qlx::MainWindow;

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 2;

constexpr const char* kUsageCables = "usage: qlx-cli cables [--freq MHZ] [--json]";
constexpr const char* kUsageLine =
    "usage: qlx-cli line [--meters] [--freq MHZ] [--cable N|TEXT] [--length L[w]] "
    "[--at load|input] [--r OHMS] [--x OHMS] [--json]";
constexpr const char* kHelpLine = R"(
Solves a line as the main window does. The options are typed into the window in this order:
unit, frequency, cable, length, end, resistance, reactance. Without an option the window's
start-up value stays (3.5 MHz, 100 feet of RG-8A, 50 + j0 ohms at the load).

  --meters           lengths in meters (default feet)
  --freq MHZ         frequency, 0.02 to 5000 MHz
  --cable N|TEXT     list position 0-31, or a case-insensitive part of an entry's text
  --length L         line length, up to 9999; a "w" suffix gives wavelengths (0.25w)
  --at load|input    where the impedance is known (default load)
  --r OHMS, --x OHMS the impedance there
  --json             one JSON object: "fields", "values", "messages"

Exit status: 0 a result; 2 bad input (an entry rule's message, an unknown option or cable).)";

struct Failure {
    std::string text;
    bool usage = true;
};

int Fail(const Failure& f, const char* usage) {
    std::cerr << "qlx-cli: " << f.text << "\n";
    if (f.usage) std::cerr << usage << "\n";
    return kExitBadInput;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

// A typed value must hold a number where the field reads one.
bool HoldsNumber(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A list position, or the one entry whose text contains the given part.
std::optional<int> FindCable(std::string_view spec, Failure& failure) {
    const std::string wanted = Lower(Trim(spec));
    // A number within the list is a position; any other text is a part of an entry ("213").
    if (!wanted.empty() && wanted.size() <= 2 &&
        std::all_of(wanted.begin(), wanted.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const int pos = std::stoi(wanted);
        if (pos < qlx::kCatalogueRows) return pos;
        if (pos == qlx::kUserDefinedIndex) {
            failure = {"the user-defined line (32) is not available here yet", false};
            return std::nullopt;
        }
    }
    std::vector<int> hits;
    for (int pos = 0; pos < qlx::kListEntries; ++pos) {
        const std::string text = Lower(Trim(qlx::ListText(pos)));
        if (text == wanted) return pos;
        if (!wanted.empty() && text.find(wanted) != std::string::npos) hits.push_back(pos);
    }
    if (hits.size() == 1) return hits[0];
    std::string text = hits.empty() ? "no cable matches \"" + std::string(spec) + "\"; the list:"
                                    : "\"" + std::string(spec) + "\" matches more than one cable:";
    const std::vector<int> all = [] {
        std::vector<int> v;
        for (int p = 0; p < qlx::kListEntries; ++p) v.push_back(p);
        return v;
    }();
    for (int pos : hits.empty() ? all : hits) text += "\n  " + std::to_string(pos) + ":" + std::string(qlx::ListText(pos));
    failure = {text, false};
    return std::nullopt;
}

// The options of a line, as given.
struct LineOptions {
    bool meters = false;
    std::optional<std::string> freq, cable, length, at, r, x;
    bool json = false;
};

// Reads the line options; other options are left to `extra`, which says whether it took one.
std::optional<LineOptions> ParseLineOptions(const std::vector<std::string_view>& args, Failure& failure,
                                            bool& help) {
    LineOptions o;
    std::map<std::string_view, std::optional<std::string>*> valued{
        {"--freq", &o.freq}, {"--cable", &o.cable}, {"--length", &o.length},
        {"--at", &o.at},     {"--r", &o.r},         {"--x", &o.x}};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "--help") {
            help = true;
            return o;
        }
        if (a == "--json") {
            o.json = true;
        } else if (a == "--meters") {
            o.meters = true;
        } else if (auto it = valued.find(a); it != valued.end()) {
            if (i + 1 >= args.size()) {
                failure = {std::string(a) + " needs a value"};
                return std::nullopt;
            }
            *it->second = std::string(args[++i]);
        } else {
            failure = {"unknown option " + std::string(a)};
            return std::nullopt;
        }
    }
    for (const auto& [name, value] : valued) {
        if (name == "--cable" || name == "--at" || !value->has_value()) continue;
        if (!HoldsNumber(**value)) {
            failure = {std::string(name) + " needs a number, not \"" + **value + "\""};
            return std::nullopt;
        }
    }
    if (o.at && *o.at != "load" && *o.at != "input") {
        failure = {"--at takes load or input, not \"" + *o.at + "\""};
        return std::nullopt;
    }
    return o;
}

// Types the options into the window in the fixed order, each entry left as a user leaves a
// field. Returns false when an entry rule rejected a value (its message has been shown).
bool ApplyLineOptions(MainWindow& w, const LineOptions& o, qlx::cli::CliHost& host, Failure& failure) {
    auto type = [&](qlx::form::TextField& field, const std::string& text) {
        field.SetText(text);
        field.LoseFocus();
    };
    if (o.meters) w.optMeters.Select();
    if (o.freq) type(w.txtFreq, *o.freq);
    if (o.cable) {
        const auto pos = FindCable(*o.cable, failure);
        if (!pos) return false;
        w.cboPickCable.Choose(*pos);
    }
    if (o.length) type(w.txtLength, *o.length);
    if (o.at) (*o.at == "input" ? w.optInput : w.optLoad).Select();
    if (o.r) type(w.txtResistance, *o.r);
    if (o.x) type(w.txtReactance, *o.x);
    if (!host.messages.empty()) {
        failure = {"", false};
        return false;
    }
    return true;
}

// The main window's fields in reading order: entries, then results with their captions.
std::vector<std::pair<std::string, std::string>> LineFields(MainWindow& w) {
    std::vector<std::pair<std::string, std::string>> f;
    auto text = [&](const qlx::form::TextField& t) { f.emplace_back(t.name(), t.text()); };
    auto caption = [&](const qlx::form::Label& l) { f.emplace_back(l.name(), l.caption()); };
    text(w.txtFreq);
    text(w.txtLength);
    caption(w.lblUnit);
    f.emplace_back(w.cboPickCable.name(),
                   std::string(qlx::ListText(w.cboPickCable.position())));
    f.emplace_back("frameZInput", w.optLoad.selected() ? "Load" : "Input");
    text(w.txtResistance);
    text(w.txtReactance);
    text(w.txtZ0);
    text(w.txtMLPer);
    caption(w.lbldBPer);
    text(w.txtVF);
    text(w.txtVoltage);
    text(w.txtMLTot);
    text(w.txtWavelen);
    text(w.txtLoadSWR);
    caption(w.lblRho);
    text(w.txtRho);
    text(w.txtInputSWR);
    text(w.txtAddLoss);
    text(w.txtTotalLoss);
    caption(w.lblInputZ);
    text(w.txtImpedIn);
    text(w.txtPolarZ);
    text(w.txtPolarDegree);
    if (w.LblWarning.visible()) caption(w.LblWarning);
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

json Messages(const qlx::cli::CliHost& host) {
    json m = json::array();
    for (const auto& msg : host.messages) m.push_back({{"title", msg.title}, {"text", msg.text}});
    return m;
}

int Line(const std::vector<std::string_view>& args) {
    Failure failure;
    bool help = false;
    const auto options = ParseLineOptions(args, failure, help);
    if (help) {
        std::cout << kUsageLine << "\n" << kHelpLine << "\n";
        return kExitOk;
    }
    if (!options) return Fail(failure, kUsageLine);

    // The window as at a first start: the user's TL.DEF is never read or written.
    qlx::cli::CliHost host;
    qlx::MemoryDefaultsStore store;
    MainWindow w(host, store);
    w.Load();
    if (!ApplyLineOptions(w, *options, host, failure)) {
        if (!failure.text.empty()) return Fail(failure, kUsageLine);
        return kExitBadInput;  // an entry rule's message is already on standard error
    }

    const auto fields = LineFields(w);
    if (options->json) {
        json f = json::object();
        for (const auto& [name, text] : fields) f[name] = text;
        std::cout << json{{"fields", f}, {"values", LineValues(w)}, {"messages", Messages(host)}}.dump(2)
                  << "\n";
    } else {
        for (const auto& [name, text] : fields) std::cout << name << ": " << text << "\n";
    }
    return kExitOk;
}

// The catalogue: every list entry, and with a frequency each row's matched loss per 100 feet,
// R0 and X0 there.
int Cables(const std::vector<std::string_view>& args) {
    bool json_out = false;
    std::optional<float> freq;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json_out = true;
        } else if (args[i] == "--help") {
            std::cout << kUsageCables << "\n";
            return kExitOk;
        } else if (args[i] == "--freq") {
            if (i + 1 >= args.size()) return Fail({"--freq needs a value"}, kUsageCables);
            const std::string_view text = args[++i];
            const double f = qlx::ParseNumber(text);
            if (!HoldsNumber(text)) return Fail({"--freq needs a number"}, kUsageCables);
            if (f < 0.02 || f > 5000) {
                std::cerr << "Bad Frequency!: Enter frequency more than 20 kHz, less than 5000 MHz\n";
                return kExitBadInput;
            }
            freq = static_cast<float>(f);
        } else {
            return Fail({"unknown option " + std::string(args[i])}, kUsageCables);
        }
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
        if (!json_out) std::cout << line << "\n";
    }
    if (json_out) {
        json out{{"cables", rows}};
        if (freq) out["Freq"] = *freq;
        std::cout << out.dump(2) << "\n";
    }
    return kExitOk;
}

constexpr const char* kUsage =
    "usage: qlx-cli cables [--freq MHZ] [--json]\n"
    "       qlx-cli line [LINE-OPTIONS] [--json]\n"
    "       qlx-cli COMMAND --help";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage << "\n";
        return kExitBadInput;
    }
    if (args[0] == "--help") {
        std::cout << kUsage << "\n";
        return kExitOk;
    }
    const std::string_view command = args[0];
    args.erase(args.begin());
    if (command == "cables") return Cables(args);
    if (command == "line") return Line(args);
    std::cerr << "qlx-cli: unknown command " << command << "\n" << kUsage << "\n";
    return kExitBadInput;
}
