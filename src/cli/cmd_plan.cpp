#include <iostream>
#include <variant>

#include "cli/common.h"
#include "core/cables.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "plan/plan.h"
#include "plan/report.h"
#include "sweep/sweep.h"

namespace qlx::cli {

namespace {

const char* const kPlanUsage =
    "usage: qlx-cli plan [--cable N|TEXT] [--user-line RECORD] [--length L] [--meters]\n"
    "                    (--r OHMS --x OHMS | --touchstone FILE)\n"
    "                    [--at load|input] [--region 1|2|3] [--bands LIST] [--6m] [--points N] [--have TUNER]\n"
    "                    [--lengths FROM:TO:STEP]\n"
    "                    [--tuner-r OHMS] [--power W] [--qc Q] [--qu Q] [--stray PF] [--phase DEG]\n"
    "                    [--pi-cap PF|auto] [--tee-cap PF|auto] [--csv | --json]";

void PrintPlanHelp() {
    std::cout << kPlanUsage << R"(

One antenna, one feed line, one tuner, every band: each network designed at every band point,
exactly as `qlx-cli tuner --network N` designs it there (the comparison's designs, band runs and
auto capacitors), and what a builder reads off the table. The line as `qlx-cli line` takes it
(--cable 32 with --user-line for a line described by its numbers, its loss scaled to each band point;
a cable of your own by its name, its loss k1·√f + k2·f at each band point).
  --r, --x           the antenna: a constant impedance at the load (default 50 + j0 ohms)
  --touchstone FILE  the antenna: a one-port file measured at the load (--at load, the default) or
                     at the line input (--at input); a band point outside the file is "not measured"
  --region 1|2|3     the IARU region whose band edges are used (default 1)
  --bands LIST       bands by name (160m ... 10m, 6m) or FROM-TO in MHz, separated by commas
                     (default: 160m to 10m of the region, with --6m also 6 m)
  --points N         points per band, both edges and evenly between (default 3; 1: the centre)
  --have TUNER       a tuner you own, checked at every point: NETWORK:PART=FROM-TO,... with
                     V=VOLTS (capacitors' peak-voltage rating) and I=AMPERES (coils' RMS current),
                     such as tee:C1=10-250pF,L2=0.2-28uH,C3=10-250pF,V=3500,I=10 (lpl, hpl,
                     hpl-a, hpl-b, pi or tee); the Pi's or Tee's C3 is chosen inside its range
  --lengths F:T:S    the plan again at each feed-line length from F to T in steps of S (the
                     line's unit): the recommended network's worst-point loss, best lengths first,
                     and the points no network matches (the antenna at the load)
The tuner settings are those of `qlx-cli tuner`. Printed: one line per band point with the least-
loss network whose parts can be bought (5-5000 pF, 0.1-50 uH), then per network the range each
part must cover, its worst loss and the settings per band at 2:1 SWR, and the recommendation.
--csv: one row per design; --json: the whole plan.
Exit status: 0 a plan was made (whatever matched); 2 bad input.
)";
}

// The bands asked for: a list of names and ranges, or the region's plan.
bool ReadBands(const Options& o, plan::Region region, std::vector<plan::Band>& bands, Failure& failure) {
    const std::string* list = o.Value("--bands");
    if (!list) {
        bands = plan::RegionBands(region, o.Has("--6m"));
        return true;
    }
    auto read = plan::ReadBands(*list, region);
    if (const auto* why = std::get_if<std::string>(&read)) {
        failure = {"--bands: " + *why, false};
        return false;
    }
    bands = std::get<std::vector<plan::Band>>(std::move(read));
    return true;
}

}  // namespace

int Plan(const Args& args) {
    Failure failure;
    std::set<std::string> valued = LineOptionsAnd({"--touchstone", "--region", "--bands", "--points", "--have", "--lengths"});
    valued.erase("--freq");  // the band points are the frequencies
    for (const SettingOption& s : kTunerSettings) valued.insert(s.name);
    const auto o = ParseOptions(args, valued, {"--meters", "--6m", "--csv", "--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        PrintPlanHelp();
        return kExitOk;
    }
    if (!o || !CheckLineOptions(*o, failure) || !CheckNumbers(*o, {"--region", "--points"}, failure) ||
        !CheckTunerSettings(*o, failure))
        return Fail(failure, kPlanUsage);
    if (o->Value("--touchstone") && (o->Value("--r") || o->Value("--x")))
        return Fail({"--touchstone gives the antenna: --r and --x are not allowed with it", false}, kPlanUsage);
    const double region_number = o->Value("--region") ? ParseNumber(*o->Value("--region")) : 1.0;
    if (region_number != 1.0 && region_number != 2.0 && region_number != 3.0)
        return Fail({"--region takes 1, 2 or 3", false}, kPlanUsage);
    const double points = o->Value("--points") ? ParseNumber(*o->Value("--points")) : plan::kDefaultPointsPerBand;
    if (!(points >= 1 && points <= plan::kMaxPointsPerBand) || points != std::floor(points))
        return Fail({"--points takes 1 to " + std::to_string(plan::kMaxPointsPerBand) + " points per band", false},
                    kPlanUsage);

    Session s;
    if (!ApplyLine(s, *o, failure)) return Fail(failure, kPlanUsage);
    TunerWindow& t = s.w.frmTuner;
    plan::Inputs in;
    for (const SettingOption& setting : kTunerSettings)
        if (const std::string* v = o->Value(setting.name)) {
            Type(t.*setting.field, *v);
            in.settings.emplace_back(setting.field, *v);
        }
    if (!CheckPower(*o, t, failure)) return Fail(failure, kPlanUsage);
    const sweep::MainLine main = s.w.SweepMainLine();
    in.line = main.line.entries;
    in.user = main.line.user;
    in.points = static_cast<int>(points);
    const bool at_load = s.w.optLoad.selected();
    if (const std::string* file = o->Value("--touchstone")) {
        auto a = ReadAntennaFile(s, *file, at_load, failure);
        if (!a) return Fail(failure, kPlanUsage);
        in.antenna = std::move(*a);
    } else {
        if (!at_load) return Fail({"--at input needs --touchstone: a constant antenna stands at the load", false}, kPlanUsage);
        in.antenna = std::complex<double>(ParseNumber(s.w.txtResistance.text()), ParseNumber(s.w.txtReactance.text()));
    }
    if (!ReadBands(*o, static_cast<plan::Region>(static_cast<int>(region_number)), in.bands, failure))
        return Fail(failure, kPlanUsage);
    std::optional<plan::Lengths> lengths;
    if (const std::string* text = o->Value("--lengths")) {
        auto read = plan::ReadLengths(*text);
        if (const auto* why = std::get_if<std::string>(&read)) return Fail({"--lengths: " + *why, false}, kPlanUsage);
        if (!at_load) return Fail({"--lengths needs the antenna at the load", false}, kPlanUsage);
        lengths = std::get<plan::Lengths>(read);
    }
    if (lengths)
        if (const std::string why = plan::ScanTooLarge(in, *lengths); !why.empty())
            return Fail({"--lengths: " + why, false}, kPlanUsage);
    if (const std::string* have = o->Value("--have")) {
        auto read = plan::ReadMyTuner(*have);
        if (const auto* why = std::get_if<std::string>(&read)) return Fail({"--have: " + *why, false}, kPlanUsage);
        in.have = std::get<plan::MyTuner>(read);
    }

    const plan::Plan p = plan::MakePlan(in);
    std::vector<plan::LengthResult> scan;
    if (lengths) scan = plan::ScanLengths(in, *lengths);
    if (o->Has("--json"))
        std::cout << plan::PlanJson(p, lengths ? &scan : nullptr);
    else if (lengths)
        std::cout << (o->Has("--csv") ? "" : plan::PlanText(p)) << plan::LengthsText(scan, o->Has("--csv"));
    else
        std::cout << (o->Has("--csv") ? plan::PlanCsv(p) : plan::PlanText(p));
    return kExitOk;
}

}  // namespace qlx::cli
