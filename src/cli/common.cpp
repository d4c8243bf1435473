#include "cli/common.h"

#include <cstdlib>
#include <iostream>
#include <optional>

#include "core/cables.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"
#include "mainwin/defaults_record.h"
#include "mainwin/file_system.h"

namespace qlx::cli {

const char* const kLineOptionsHelp = R"(LINE-OPTIONS, typed into the main window in this order (without an option the window's
start-up value stays: 3.5 MHz, 100 feet of RG-8A, 50 + j0 ohms at the load):
  --meters                 lengths in meters (default feet)
  --freq MHZ               frequency, 0.02 to 5000 MHz
  --cable N|TEXT           list position (0-32, then your own cables), or the entry's text or a
                           case-insensitive part of it
  --user-line R0,X0,DB100FT,AT-MHZ,VF,VMAX
                           the user-defined line's record (with --cable 32); its loss is given
                           per 100 feet at AT-MHZ and scaled with the root of the frequency
  --length L               line length, up to 9999; a "w" suffix gives wavelengths (0.25w)
  --at load|input          where the impedance is known (default load)
  --r OHMS, --x OHMS       the impedance there)";

const char* const kUsage =
    "usage: qlx-cli cables [--freq MHZ] [--json]\n"
    "       qlx-cli line [LINE-OPTIONS] [--json]\n"
    "       qlx-cli graph [LINE-OPTIONS] [--power W] [--kind vi|rx] [--csv | --json]\n"
    "       qlx-cli bridge --freq MHZ --rp OHMS --cp PF [--extender OHMS] [--json]\n"
    "       qlx-cli analyser --z OHMS --swr SWR [--sign positive|negative] [--json]\n"
    "       qlx-cli tuner [LINE-OPTIONS] --network hpl|lpl|pi|tee|all|best [--tuner-r OHMS] [--power W]\n"
    "                     [--qc Q] [--qu Q] [--stray PF] [--phase DEG] [--pi-cap PF|auto] [--tee-cap PF|auto]\n"
    "                     [--band-from MHZ] [--band-to MHZ] [--band-points N] [--touchstone FILE] [--json]\n"
    "       qlx-cli sweep [LINE-OPTIONS] --from MHZ --to MHZ [--points N] [--log] [--touchstone FILE]\n"
    "                     [--ref OHMS] [--csv | --json | --s1p]\n"
    "       qlx-cli plan [--cable N|TEXT] [--length L] [--meters] (--r OHMS --x OHMS | --touchstone FILE)\n"
    "                    [--at load|input] [--region 1|2|3] [--bands LIST] [--6m] [--points N] [TUNER-SETTINGS]\n"
    "                    [--csv | --json]\n"
    "       qlx-cli cable fit --points \"MHZ:DB,...\" [--per 100ft|100m] --z0 R0 --vf VF [--vmax V] [--name NAME] [--json]\n"
    "       qlx-cli cable measure (--open OPEN.s1p --short SHORT.s1p | --quarter-wave MHZ) --length L [--meters] [--json]\n"
    "       qlx-cli COMMAND --help\n"
    "Exit status: 0 a result; 1 a tuner design failed (its message says why); 2 bad input (an entry rule's message, an unknown option or\n"
    "cable, no result computable).";

std::unique_ptr<DefaultsStore> UserCablesStore() {
#ifdef __EMSCRIPTEN__
    // The page's module keeps the cables in the browser's storage; its command line has none.
    return std::make_unique<MemoryDefaultsStore>();
#else
    if (const char* file = std::getenv("QLX_CABLES_FILE"); file && *file) {
        const std::filesystem::path p(file);
        return std::make_unique<FileDefaultsStore>(p.parent_path().empty() ? "." : p.parent_path(), "",
                                                   p.filename().string());
    }
    return std::make_unique<FileDefaultsStore>(files::RunningProgramDir(), files::UserConfigDir(),
                                               std::string(kCablesFileName));
#endif
}

int Fail(const Failure& f, const char* usage) {
    if (!f.text.empty()) std::cerr << "qlx-cli: " << f.text << "\n";
    if (f.usage) std::cerr << usage << "\n";
    return kExitBadInput;
}

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
        cable = qlx::cli::FindCable(*cable_text, w.cboPickCable.items(), failure);
        if (!cable) return false;
    }
    if (const std::string* record = o.Value("--user-line")) {
        if (cable != qlx::kUserDefinedIndex) {
            failure = {"--user-line goes with --cable 32"};
            return false;
        }
        const auto parts = qlx::cli::ParseUserLine(*record, failure);
        if (!parts) return false;
        const auto number = [&](std::size_t i) { return qlx::ParseNumber((*parts)[i]); };
        if (const auto problem = UserLineProblem({number(0), number(1), number(2), number(4), number(5)})) {
            failure = {"--user-line: " + *problem, false};
            return false;
        }
        // The loss is scaled from the frequency it was given at: a frequency of 0 or below scales
        // nothing.
        if (!(number(3) > 0.0)) {
            failure = {"--user-line: AT-MHZ " + (*parts)[3] + ": enter the frequency of the loss, above 0 MHz", false};
            return false;
        }
        // The record as TL.DEF keeps it.
        qlx::DefaultsRecord r = qlx::ParseDefaults(qlx::SplitDefaultsText(s.store.content.value_or(""))).record;
        const auto& p = *parts;  // R0, X0, DB100FT, AT-MHZ, VF, VMAX
        r.user = {p[0], p[1], p[2], p[4], p[5], p[3]};
        s.store.content = qlx::JoinDefaultsLines(qlx::DefaultsLines(r, '.'));
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
    // An entry rule may also put another value in silently (a frequency of 0 becomes 3.5, a
    // negative resistance its positive): the result would not be the one asked for.
    const struct {
        const char* option;
        const form::TextField& field;
        const char* takes;
    } entries[] = {{"--freq", w.txtFreq, "frequencies from 0.02 to 5000 MHz"},
                   {"--length", w.txtLength, "lengths from 0 to 9999"},
                   {"--r", w.txtResistance, "resistances from 0 to 1E+30 ohms"},
                   {"--x", w.txtReactance, "reactances between -1E+30 and 1E+30 ohms"}};
    for (const auto& e : entries) {
        const std::string* given = o.Value(e.option);
        if (!given || (std::string(e.option) == "--length" && given->find_first_of("wW") != std::string::npos))
            continue;
        double wanted = ParseNumber(*given);
        const bool freq = std::string(e.option) == "--freq";
        const bool out_of_range = freq && !FrequencyAccepted(wanted);
        if (freq) wanted = ParseNumber(Format(wanted, kFrequencyPicture));  // the tidy-up
        if (out_of_range || ParseNumber(e.field.text()) != wanted) {
            failure = {std::string(e.option) + " " + *given + ": the window takes " + e.takes + ", and this value as " +
                           (e.field.text().empty() ? "nothing" : "\"" + e.field.text() + "\""),
                       false};
            return false;
        }
    }
    // The results belong to what the fields show now.
    w.DoCompute();
    if (!w.solved()) {
        failure = {"no line solution for these entries (a frequency or velocity factor of 0)", false};
        return false;
    }
    return true;
}

std::set<std::string> LineOptionsAnd(std::initializer_list<const char*> more) {
    std::set<std::string> names{"--freq", "--cable", "--user-line", "--length", "--at", "--r", "--x"};
    names.insert(more.begin(), more.end());
    return names;
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
    f.emplace_back(w.cboPickCable.name(), qlx::CableListText(w.Entries()));
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

int Print(const Session& s, const FieldList& fields, const json& values, bool as_json, const json& extra) {
    if (as_json) {
        json f = json::object();
        for (const auto& [name, text] : fields) f[name] = text;
        json messages = json::array();
        for (const auto& m : s.host.messages) messages.push_back({{"title", m.title}, {"text", m.text}});
        json out{{"fields", f}, {"values", values}};
        // A shown field's status beyond normal, with its reason: what the window marks.
        json statuses = json::object();
        for (const qlx::form::Window* win : {&s.w.window, &s.w.frmTuner.frmTuner1.window, &s.w.frmTuner.frmTuner2.window})
            for (const qlx::form::Control* c : win->controls())
                if (c->status() != qlx::form::Status::Normal && f.contains(c->name()) && c->visible())
                    statuses[c->name()] = {{"status", c->status() == qlx::form::Status::Warning ? "warning" : "impossible"},
                                           {"reason", c->status_reason()}};
        if (!statuses.empty()) out["statuses"] = statuses;
        for (const auto& [key, value] : extra.items()) out[key] = value;
        out["messages"] = messages;
        // Bytes that are not UTF-8 (a pasted binary text) are replaced, never an abort.
        std::cout << out.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
    } else {
        for (const auto& [name, text] : fields) std::cout << name << ": " << text << "\n";
    }
    return kExitOk;
}

bool CheckPower(const Options& o, const TunerWindow& tuner, Failure& failure) {
    const std::string* p = o.Value("--power");
    if (!p) return true;
    const double w = ParseNumber(tuner.txtTxPwr.text());  // as the field holds what was typed
    if (PowerAccepted(w)) return true;
    // The tuner's own rule and message, as the window shows them.
    failure = {"--power " + *p + ": " + tuner::kNoPowerText, false};
    return false;
}


}  // namespace qlx::cli
