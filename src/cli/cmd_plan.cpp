#include <iostream>
#include <variant>

#include "cli/common.h"
#include "core/cables.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "plan/plan.h"

namespace qlx::cli {

namespace {

const char* const kPlanUsage =
    "usage: qlx-cli plan [--cable N|TEXT] [--length L] [--meters] (--r OHMS --x OHMS | --touchstone FILE)\n"
    "                    [--at load|input] [--region 1|2|3] [--bands LIST] [--6m] [--points N] [--have TUNER]\n"
    "                    [--lengths FROM:TO:STEP]\n"
    "                    [--tuner-r OHMS] [--power W] [--qc Q] [--qu Q] [--stray PF] [--phase DEG]\n"
    "                    [--pi-cap PF|auto] [--tee-cap PF|auto] [--csv | --json]";

void PrintPlanHelp() {
    std::cout << kPlanUsage << R"(

One antenna, one feed line, one tuner, every band: each network designed at every band point,
exactly as `qlx-cli tuner --network N` designs it there (the comparison's designs, band runs and
auto capacitors), and what a builder reads off the table.
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

const char* KindUnit(tuner::Kind k) { return k == tuner::Kind::L ? "uH" : "pF"; }

std::string PartsText(const tuner::NetworkDesign& d) {
    std::string t;
    for (const tuner::Element& e : d.elements)
        t += (t.empty() ? "" : ", ") + e.name + " " + Format(e.value, "#,##0.0#") + " " + KindUnit(e.kind);
    return t;
}

json ElementsJson(const tuner::NetworkDesign& d) {
    json elements = json::array();
    for (const tuner::Element& e : d.elements)
        elements.push_back({{"name", e.name},
                            {"kind", e.kind == tuner::Kind::L ? "L" : "C"},
                            {"connection", e.connection == tuner::Connection::Series ? "series" : "shunt"},
                            {"value", e.value},
                            {"unit", KindUnit(e.kind)},
                            {"peak_v", e.v_rms * std::sqrt(2.0)},
                            {"rms_i", e.i_rms},
                            {"pdiss_w", e.p_diss}});
    return elements;
}

std::optional<double> Span20KHz(const TunerWindow::Compared& c) {
    if (!c.band || !c.band->swr20.lo_mhz || !c.band->swr20.hi_mhz) return std::nullopt;
    return (*c.band->swr20.hi_mhz - *c.band->swr20.lo_mhz) * 1000.0;
}

json CellJson(const TunerWindow::Compared& c) {
    const plan::NetworkKey key = plan::KeyOf(c);
    json j{{"network", plan::KeyId(key)}, {"topology", plan::KeyName(key)}};
    const auto* d = std::get_if<tuner::NetworkDesign>(&c.result);
    j["ok"] = d != nullptr;
    if (!d) {
        j["text"] = std::string(TrimBlanks(std::get<tuner::DesignFailure>(c.result).text));
        return j;
    }
    const double power = d->vin * d->vin / d->z0;
    j["text"] = PartsText(*d);
    j["buyable"] = tuner::AllPartsBuyable(*d);
    j["elements"] = ElementsJson(*d);
    j["loss_w"] = d->ploss;
    j["loss_pct"] = plan::LossPercent(*d);
    j["loss_db"] = d->ploss < power ? json(-10.0 * std::log10(1.0 - d->ploss / power)) : json(nullptr);
    j["power_into_load_w"] = power - d->ploss;
    const auto span = Span20KHz(c);
    j["span20_khz"] = span ? json(*span) : json(nullptr);
    return j;
}

json PlanJson(const plan::Plan& p) {
    json bands = json::array();
    for (const plan::BandResult& b : p.bands) {
        json points = json::array();
        for (const plan::Point& pt : b.points) {
            json jp{{"f_mhz", pt.f_mhz}};
            if (!pt.not_measured.empty()) {
                jp["not_measured"] = pt.not_measured;
                points.push_back(std::move(jp));
                continue;
            }
            jp["antenna"] = {{"r", pt.antenna.real()}, {"x", pt.antenna.imag()}};
            jp["line_input"] = {{"r", pt.line_input.real()}, {"x", pt.line_input.imag()}};
            jp["line_loss_db"] = pt.line_loss_db;
            json cells = json::array();
            for (const TunerWindow::Compared& c : pt.cells) cells.push_back(CellJson(c));
            jp["cells"] = std::move(cells);
            points.push_back(std::move(jp));
        }
        bands.push_back({{"name", b.band.name}, {"from_mhz", b.band.from_mhz}, {"to_mhz", b.band.to_mhz},
                         {"points", std::move(points)}});
    }
    json networks = json::array();
    for (const plan::NetworkSummary& s : p.networks) {
        json ranges = json::array(), unmatched = json::array(), settings = json::object();
        for (const plan::Range& r : s.ranges)
            ranges.push_back({{"name", r.name}, {"kind", r.kind == tuner::Kind::L ? "L" : "C"}, {"min", r.min},
                              {"max", r.max}, {"unit", KindUnit(r.kind)}, {"min_at_mhz", r.min_at_mhz},
                              {"max_at_mhz", r.max_at_mhz}, {"peak_v", r.peak_v}, {"rms_i", r.rms_i}});
        for (const auto& [f, why] : s.unmatched) unmatched.push_back({{"f_mhz", f}, {"text", why}});
        for (const auto& [band, n] : s.settings_per_band) settings[band] = n;
        networks.push_back({{"network", plan::KeyId(s.key)}, {"topology", plan::KeyName(s.key)},
                            {"matched", s.matched}, {"of", s.of}, {"buyable", s.all_buyable},
                            {"ranges", std::move(ranges)},
                            {"worst_loss_pct", s.matched ? json(s.worst_loss_pct) : json(nullptr)},
                            {"worst_at_mhz", s.matched ? json(s.worst_at_mhz) : json(nullptr)},
                            {"settings_per_band", std::move(settings)}, {"unmatched", std::move(unmatched)}});
    }
    json best = json::array();
    for (const plan::BandResult& b : p.bands)
        for (const plan::Point& pt : b.points) {
            if (!pt.best) continue;
            const plan::NetworkKey key = plan::KeyOf(pt.cells[*pt.best]);
            best.push_back({{"f_mhz", pt.f_mhz}, {"network", plan::KeyId(key)}, {"topology", plan::KeyName(key)}});
        }
    json j{{"bands", std::move(bands)}, {"networks", std::move(networks)}, {"best", std::move(best)}};
    if (!p.have.empty()) {
        json have = json::array();
        for (const plan::HaveFit& h : p.have) {
            json jh{{"f_mhz", h.f_mhz}, {"fits", h.fits()}};
            if (h.cell) jh["cell"] = CellJson(*h.cell);
            if (!h.failure.empty()) jh["text"] = h.failure;
            jh["beyond"] = h.beyond;
            have.push_back(std::move(jh));
        }
        j["have"] = std::move(have);
    }
    j["recommendation"] = p.recommendation ? json{{"network", plan::KeyId(p.recommendation->key)},
                                                  {"topology", plan::KeyName(p.recommendation->key)},
                                                  {"why", p.recommendation->why}}
                                           : json(nullptr);
    return j;
}

void PrintText(const plan::Plan& p) {
    for (const plan::BandResult& b : p.bands)
        for (const plan::Point& pt : b.points) {
            std::cout << b.band.name << "  " << Format(pt.f_mhz, kFrequencyPicture) << " MHz  ";
            if (!pt.not_measured.empty()) {
                std::cout << "not measured: " << pt.not_measured << "\n";
                continue;
            }
            std::cout << "antenna " << ImpedanceText(pt.antenna, "0.0") << ", line input "
                      << ImpedanceText(pt.line_input, "0.0") << "  ";
            if (!pt.best) {
                std::cout << "no network matches with parts to buy\n";
                continue;
            }
            const TunerWindow::Compared& c = pt.cells[*pt.best];
            const auto& d = std::get<tuner::NetworkDesign>(c.result);
            std::cout << TunerWindow::ComparedName(c) << ": " << PartsText(d) << ", loss "
                      << Format(plan::LossPercent(d), "0.0#") << " %\n";
        }
    for (const plan::NetworkSummary& s : p.networks) {
        std::cout << "\n" << plan::KeyName(s.key) << ": matches " << s.matched << " of " << s.of << " points";
        if (s.matched) std::cout << ", worst loss " << Format(s.worst_loss_pct, "0.0#") << " % at " << Format(s.worst_at_mhz, kFrequencyPicture) << " MHz";
        std::cout << "\n";
        for (const plan::Range& r : s.ranges)
            std::cout << "  " << r.name << " " << Format(r.min, "#,##0.0#") << " to " << Format(r.max, "#,##0.0#") << " "
                      << KindUnit(r.kind) << ", peak " << Format(r.peak_v, "#,##0") << " V, " << Format(r.rms_i, "0.0#")
                      << " A RMS\n";
        for (const auto& [f, why] : s.unmatched) std::cout << "  no match at " << Format(f, kFrequencyPicture) << " MHz: " << why << "\n";
    }
    std::cout << "\n"
              << (p.recommendation ? "Recommended: " + p.recommendation->why : "No network matches every point.") << "\n";
    if (p.have.empty()) return;
    std::cout << "\nMy tuner:\n";
    for (const plan::HaveFit& h : p.have) {
        std::cout << "  " << Format(h.f_mhz, kFrequencyPicture) << " MHz  ";
        if (h.fits()) {
            std::cout << "fits: " << PartsText(std::get<tuner::NetworkDesign>(h.cell->result)) << "\n";
        } else if (!h.failure.empty()) {
            std::cout << "no match: " << h.failure << "\n";
        } else {
            std::string beyond;
            for (const std::string& b : h.beyond) beyond += (beyond.empty() ? "" : "; ") + b;
            std::cout << "beyond it: " << beyond << "\n";
        }
    }
}

void PrintCsv(const plan::Plan& p) {
    std::cout << "band,f_mhz,network,ok,buyable,parts,loss_w,loss_pct,span20_khz,text\n";
    for (const plan::BandResult& b : p.bands)
        for (const plan::Point& pt : b.points)
            for (const TunerWindow::Compared& c : pt.cells) {
                const json j = CellJson(c);
                const auto* d = std::get_if<tuner::NetworkDesign>(&c.result);
                std::cout << b.band.name << "," << ShortestText(pt.f_mhz) << "," << j["network"].get<std::string>() << ","
                          << (d ? 1 : 0) << "," << (d && tuner::AllPartsBuyable(*d) ? 1 : 0) << ",\""
                          << (d ? PartsText(*d) : "") << "\"," << (d ? ShortestText(d->ploss) : "") << ","
                          << (d ? ShortestText(plan::LossPercent(*d)) : "") << ","
                          << (Span20KHz(c) ? ShortestText(*Span20KHz(c)) : "") << ",\""
                          << (d ? "" : j["text"].get<std::string>()) << "\"\n";
            }
}

json LengthsJson(const std::vector<plan::LengthResult>& scan) {
    json out = json::array();
    for (const plan::LengthResult& r : scan)
        out.push_back({{"length", r.length},
                       {"network", r.recommendation ? json(plan::KeyId(r.recommendation->key)) : json(nullptr)},
                       {"worst_loss_pct", r.recommendation ? json(r.worst_loss_pct) : json(nullptr)},
                       {"unmatched_mhz", r.unmatched_mhz}});
    return out;
}

void PrintLengths(const std::vector<plan::LengthResult>& scan, bool csv) {
    if (csv) std::cout << "length,network,worst_loss_pct,unmatched\n";
    else std::cout << "\nFeed-line lengths, best first:\n";
    for (const plan::LengthResult& r : scan) {
        std::string unmatched;
        for (double f : r.unmatched_mhz) unmatched += (unmatched.empty() ? "" : " ") + ShortestText(f);
        if (csv) {
            std::cout << ShortestText(r.length) << "," << (r.recommendation ? plan::KeyId(r.recommendation->key) : "")
                      << "," << (r.recommendation ? ShortestText(r.worst_loss_pct) : "") << ",\"" << unmatched << "\"\n";
            continue;
        }
        std::cout << "  " << Format(r.length, "###0.0##") << "  ";
        if (r.recommendation)
            std::cout << plan::KeyName(r.recommendation->key) << ", worst loss " << Format(r.worst_loss_pct, "0.0#") << " %";
        else
            std::cout << "no network matches every point";
        if (!unmatched.empty()) std::cout << "; nothing matches at " << unmatched << " MHz";
        std::cout << "\n";
    }
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
    std::set<std::string> valued{"--cable", "--length", "--at", "--r", "--x", "--touchstone", "--region", "--bands",
                                 "--points", "--have", "--lengths"};
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
    if (s.w.cboPickCable.position() == kUserDefinedIndex)
        return Fail({"plan: the user-defined line is not planned yet; choose a catalogue cable", false}, kPlanUsage);
    TunerWindow& t = s.w.frmTuner;
    plan::Inputs in;
    for (const SettingOption& setting : kTunerSettings)
        if (const std::string* v = o->Value(setting.name)) {
            Type(t.*setting.field, *v);
            in.settings.emplace_back(setting.field, *v);
        }
    if (!CheckPower(*o, t, failure)) return Fail(failure, kPlanUsage);
    in.line = s.w.Entries();
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
    if (lengths) {
        int band_points = 0;
        for (const plan::Band& b : in.bands) band_points += static_cast<int>(plan::BandPoints(b, in.points).size());
        if (plan::LengthCount(*lengths) * band_points > plan::kMaxScanPoints)
            return Fail({"--lengths: " + std::to_string(plan::LengthCount(*lengths)) + " lengths of " +
                             std::to_string(band_points) + " band points are more than a scan designs (" +
                             std::to_string(plan::kMaxScanPoints) + " in all)", false},
                        kPlanUsage);
    }
    if (const std::string* have = o->Value("--have")) {
        auto read = plan::ReadMyTuner(*have);
        if (const auto* why = std::get_if<std::string>(&read)) return Fail({"--have: " + *why, false}, kPlanUsage);
        in.have = std::get<plan::MyTuner>(read);
    }

    const plan::Plan p = plan::MakePlan(in);
    std::vector<plan::LengthResult> scan;
    if (lengths) scan = plan::ScanLengths(in, *lengths);
    if (o->Has("--json")) {
        json j = PlanJson(p);
        if (lengths) j["lengths"] = LengthsJson(scan);
        std::cout << j.dump(2) << "\n";
    } else if (lengths) {
        if (!o->Has("--csv")) PrintText(p);
        PrintLengths(scan, o->Has("--csv"));
        return kExitOk;
    }
    else if (o->Has("--csv"))
        PrintCsv(p);
    else
        PrintText(p);
    return kExitOk;
}

}  // namespace qlx::cli
