#include "plan/plan.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include "core/cables.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"
#include "form/silent_host.h"
#include "tuner/tuner_texts.h"

namespace qlx::plan {

namespace {

// The band edges in MHz, from the IARU band plans: Region 1 HF band plan (Novi Sad 2020, and
// VHF Managers' Handbook for 6 m), Region 2 band plan (2019), Region 3 band plan (2019). 60 m is
// the WRC-15 allocation 5351.5-5366.5 kHz that all three plans share.
struct BandEdges {
    const char* name;
    double from[3], to[3];  // Regions 1, 2, 3
};
constexpr BandEdges kBands[] = {
    {"160m", {1.810, 1.800, 1.800}, {2.000, 2.000, 2.000}},
    {"80m", {3.500, 3.500, 3.500}, {3.800, 4.000, 3.900}},
    {"60m", {5.3515, 5.3515, 5.3515}, {5.3665, 5.3665, 5.3665}},
    {"40m", {7.000, 7.000, 7.000}, {7.200, 7.300, 7.200}},
    {"30m", {10.100, 10.100, 10.100}, {10.150, 10.150, 10.150}},
    {"20m", {14.000, 14.000, 14.000}, {14.350, 14.350, 14.350}},
    {"17m", {18.068, 18.068, 18.068}, {18.168, 18.168, 18.168}},
    {"15m", {21.000, 21.000, 21.000}, {21.450, 21.450, 21.450}},
    {"12m", {24.890, 24.890, 24.890}, {24.990, 24.990, 24.990}},
    {"10m", {28.000, 28.000, 28.000}, {29.700, 29.700, 29.700}},
    {"6m", {50.000, 50.000, 50.000}, {54.000, 54.000, 54.000}},
};

// The networks by the names qlx-cli and "my tuner" give them; "hpl" is the high-pass L in
// whichever topology the load allows.
struct NetworkId {
    const char* id;
    NetworkKey key;
    const char* short_name;  // a chart's key
};
const NetworkId kNetworkIds[] = {{"lpl", {tuner::Network::LowPassL, std::nullopt}, "Low-pass L"},
                                 {"hpl", {tuner::Network::HighPassL, std::nullopt}, "High-pass L"},
                                 {"hpl-a", {tuner::Network::HighPassL, true}, "High-pass L, line"},
                                 {"hpl-b", {tuner::Network::HighPassL, false}, "High-pass L, TX"},
                                 {"pi", {tuner::Network::Pi, std::nullopt}, "Pi"},
                                 {"tee", {tuner::Network::Tee, std::nullopt}, "Tee"}};

double RoundToKHz(double f_mhz) { return std::round(f_mhz * 1000.0) / 1000.0; }

// The main window's texts for the line at f with z at the given end, as the window shows them
// when the user types them: what the tuner's design reads.
std::optional<DisplayedLine> ShownLineAt(const Inputs& in, double f_mhz, std::complex<double> z, bool at_load,
                                       bool typed_by_user) {
    LineEntries e = in.line;
    const char mark = e.mark;
    if (in.user && e.cable_position == kUserDefinedIndex) {
        const float f = static_cast<float>(f_mhz);
        e.user_atten100 = static_cast<float>(ScaledUserLoss(in.user->atten100, in.user->at_mhz, f));
        e.user_wave_len = UserWaveLength(in.user->vel_factor, ParseNumber(ShortestText(f)));
    }
    e.freq_text = Format(f_mhz, kFrequencyPicture, mark);
    e.at_load = at_load;
    // A constant is typed as the user typed it; a file's impedance to a ten-thousandth of an ohm,
    // as the tuner takes the sweep window's file.
    e.resistance_text = typed_by_user ? ShortestText(z.real(), mark) : Format(z.real(), "0.0###", mark);
    e.reactance_text = typed_by_user ? ShortestText(z.imag(), mark) : Format(z.imag(), "0.0###", mark);
    const auto s = SolveLine(e);
    if (!s) return std::nullopt;
    return ShownLine(e, *s);
}

// My tuner's design at a point: its network's row of a comparison whose free capacitor is looked
// for inside the tuner's range among the settings that fit.
HaveFit FitAt(TunerWindow& tuner, const MyTuner& have, const sweep::SweepLine& line, const DisplayedLine& shown,
              TunerWindow::DesignRequest request, double f_mhz) {
    HaveFit fit;
    fit.f_mhz = f_mhz;
    tuner::CapacitorSearch search;
    for (const PartLimit& part : have.parts)
        if (part.name == "C3" && part.kind == tuner::Kind::C) search.lo_pf = part.lo, search.hi_pf = part.hi;
    search.counts = [&have](const tuner::NetworkDesign& d) { return BeyondLimits(have, d).empty(); };
    request.capacitor = search;
    TunerWindow::LineContext context;
    context.line = line;
    const std::vector<TunerWindow::Compared> rows = tuner.Compare(shown, context, request);
    // Of the high-pass L's two topologies, the first that fits, else the first.
    for (const TunerWindow::Compared& c : rows) {
        if (c.network != have.network || (have.coil_across_line && c.coil_across_line != have.coil_across_line))
            continue;
        HaveFit row = fit;
        row.cell = c;
        if (const auto* d = std::get_if<tuner::NetworkDesign>(&c.result))
            row.beyond = BeyondLimits(have, *d);
        else
            row.failure = std::string(TrimBlanks(std::get<tuner::DesignFailure>(c.result).text));
        if (!fit.cell || row.fits()) fit = std::move(row);
        if (fit.fits()) break;
    }
    if (!fit.cell) fit.failure = "This topology does not apply to the load here.";
    return fit;
}

Point DesignPoint(TunerWindow& tuner, const Inputs& in, double f_mhz, std::optional<HaveFit>* have, bool band_run) {
    Point p;
    p.f_mhz = f_mhz;
    auto at = LineAtPoint(in, f_mhz);
    if (auto* why = std::get_if<std::string>(&at)) {
        p.not_measured = std::move(*why);
        return p;
    }
    PointLine& l = std::get<PointLine>(at);
    l.request.band_run = band_run;
    const SeriesForm other = DisplayedOtherEnd(l.shown);
    const bool at_load = l.shown.at_load;
    const std::complex<double> given = l.given;
    p.antenna = at_load ? given : std::complex<double>(other.r, other.x);
    p.line_input = at_load ? std::complex<double>(other.r, other.x) : given;
    p.line_loss_db = ParseNumber(l.shown.total_loss_text);
    p.cells = tuner.Compare(l.shown, l.context, l.request);
    if (in.have) *have = FitAt(tuner, *in.have, l.context.line, l.shown, l.request, f_mhz);
    for (std::size_t k = 0; k < p.cells.size() && !p.best; ++k)
        if (const auto* d = std::get_if<tuner::NetworkDesign>(&p.cells[k].result); d && tuner::AllPartsBuyable(*d))
            p.best = k;  // the comparison ranks the buyable designs first, by loss
    return p;
}

// The settings that cover a band at 2:1: its width over the 2:1 span of the band run at the
// point nearest its centre.
int SettingsFor(const BandResult& b, const NetworkKey& key) {
    const double centre = (b.band.from_mhz + b.band.to_mhz) / 2.0;
    const Point* nearest = nullptr;
    for (const Point& p : b.points)
        if (p.not_measured.empty() && (!nearest || std::fabs(p.f_mhz - centre) < std::fabs(nearest->f_mhz - centre)))
            nearest = &p;
    if (!nearest) return 0;
    for (const TunerWindow::Compared& c : nearest->cells) {
        if (!(KeyOf(c) == key) || !c.band) continue;
        const tuner::Crossing& s = c.band->swr20;
        if (!s.lo_mhz || !s.hi_mhz) return 1;  // below 2:1 across the run
        const double span = *s.hi_mhz - *s.lo_mhz;
        if (!(span > 0.0)) return 0;
        return std::max(1, static_cast<int>(std::ceil((b.band.to_mhz - b.band.from_mhz) / span - 1e-9)));
    }
    return 0;
}

std::vector<NetworkSummary> Summaries(const std::vector<BandResult>& bands) {
    std::vector<NetworkSummary> out;
    const auto summary_of = [&out](const NetworkKey& key) -> NetworkSummary& {
        for (NetworkSummary& s : out)
            if (s.key == key) return s;
        NetworkSummary s;
        s.key = key;
        out.push_back(std::move(s));
        return out.back();
    };
    // Every network any point lists, in the comparison's order of first appearance.
    for (const BandResult& b : bands)
        for (const Point& p : b.points)
            for (const TunerWindow::Compared& c : p.cells)
                if (c.network != tuner::Network::HighPassL || c.coil_across_line) summary_of(KeyOf(c));
    for (NetworkSummary& s : out) {
        for (const BandResult& b : bands) {
            for (const Point& p : b.points) {
                if (!p.not_measured.empty()) continue;
                ++s.of;
                const TunerWindow::Compared* cell = nullptr;
                for (const TunerWindow::Compared& c : p.cells)
                    if (KeyOf(c) == s.key) cell = &c;
                const auto* d = cell ? std::get_if<tuner::NetworkDesign>(&cell->result) : nullptr;
                if (!d) {
                    std::string why = "This topology does not apply to the load here.";
                    if (cell) why = std::string(TrimBlanks(std::get<tuner::DesignFailure>(cell->result).text));
                    s.unmatched.emplace_back(p.f_mhz, why);
                    continue;
                }
                ++s.matched;
                s.all_buyable = s.all_buyable && tuner::AllPartsBuyable(*d);
                const double loss = LossPercent(*d);
                if (loss > s.worst_loss_pct || s.matched == 1) {
                    s.worst_loss_pct = loss;
                    s.worst_at_mhz = p.f_mhz;
                }
                for (const tuner::Element& e : d->elements) {
                    auto it = std::find_if(s.ranges.begin(), s.ranges.end(), [&](const Range& r) { return r.name == e.name; });
                    if (it == s.ranges.end()) {
                        s.ranges.push_back({e.name, e.kind, e.value, e.value, p.f_mhz, p.f_mhz, 0.0, 0.0});
                        it = s.ranges.end() - 1;
                    }
                    if (e.value < it->min) it->min = e.value, it->min_at_mhz = p.f_mhz;
                    if (e.value > it->max) it->max = e.value, it->max_at_mhz = p.f_mhz;
                    it->peak_v = std::max(it->peak_v, e.v_rms * std::sqrt(2.0));
                    it->rms_i = std::max(it->rms_i, e.i_rms);
                }
            }
            s.settings_per_band.emplace_back(b.band.name, SettingsFor(b, s.key));
        }
    }
    return out;
}

std::optional<Recommendation> Recommend(const std::vector<NetworkSummary>& networks) {
    // Among the networks that match every point, the least loss at its worst point. A part outside
    // the ranges to buy does not rule a network out (two capacitors in parallel, a coil wound to
    // order): 2 % lost beats 37 % lost with catalogue parts. The sentence says so.
    const NetworkSummary* best = nullptr;
    for (const NetworkSummary& s : networks) {
        if (s.of == 0 || s.matched != s.of) continue;
        if (!best || s.worst_loss_pct < best->worst_loss_pct) best = &s;
    }
    if (!best) return std::nullopt;
    std::string why = KeyName(best->key) + " matches all " + std::to_string(best->of) + " points";
    why += best->all_buyable ? " with parts to buy" : " (a part outside 5-5000 pF or 0.1-50 uH at some point)";
    why += " and loses at most " + Format(best->worst_loss_pct, "0.0#") + " % (at " +
           Format(best->worst_at_mhz, kFrequencyPicture) + " MHz), the least of the networks that match every point.";
    return Recommendation{best->key, why};
}

}  // namespace

std::vector<Band> RegionBands(Region region, bool with_6m) {
    const int r = static_cast<int>(region) - 1;
    std::vector<Band> bands;
    for (const BandEdges& b : kBands) {
        if (std::string_view(b.name) == "6m" && !with_6m) continue;
        bands.push_back({b.name, b.from[r], b.to[r]});
    }
    return bands;
}

std::variant<Band, std::string> ReadBand(std::string_view text, Region region) {
    std::string t(TrimBlanks(text));
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (const std::size_t dash = t.find('-', 1); dash != std::string::npos) {
        const std::string from = t.substr(0, dash), to = t.substr(dash + 1);
        if (!IsNumberText(from) || !IsNumberText(to))
            return "\"" + std::string(text) + "\": a band is FROM-TO in MHz, such as 7-7.3";
        const double lo = ParseNumber(from), hi = ParseNumber(to);
        if (!(lo >= kMinFreqMHz && hi <= kMaxFreqMHz && hi > lo))
            return "\"" + std::string(text) + "\": a band runs upward within " + ShortestText(kMinFreqMHz) + " to " +
                   ShortestText(kMaxFreqMHz) + " MHz";
        return Band{ShortestText(lo) + "-" + ShortestText(hi), lo, hi};
    }
    if (!t.empty() && t.back() != 'm') t += 'm';
    for (const Band& b : RegionBands(region, true))
        if (b.name == t) return b;
    std::string names;
    for (const Band& b : RegionBands(region, true)) names += (names.empty() ? "" : ", ") + b.name;
    return "\"" + std::string(text) + "\" is no band of the plan (" + names + ") nor FROM-TO in MHz";
}

std::variant<std::vector<Band>, std::string> ReadBands(std::string_view list, Region region) {
    std::vector<Band> bands;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        auto band = ReadBand(list.substr(start, comma - start), region);
        if (auto* why = std::get_if<std::string>(&band)) return std::move(*why);
        bands.push_back(std::get<Band>(std::move(band)));
        start = comma + 1;
    }
    return bands;
}

std::vector<double> BandPoints(const Band& band, int points) {
    std::vector<double> f;
    if (points <= 1) return {RoundToKHz((band.from_mhz + band.to_mhz) / 2.0)};
    for (int k = 0; k < points; ++k) {
        const double at = RoundToKHz(band.from_mhz + (band.to_mhz - band.from_mhz) * k / (points - 1));
        if (f.empty() || at > f.back()) f.push_back(at);
    }
    return f;
}

std::variant<PointLine, std::string> LineAtPoint(const Inputs& in, double f_mhz) {
    PointLine l;
    std::complex<double> z;
    bool at_load = true;
    const auto* file = std::get_if<tuner::MeasuredAntenna>(&in.antenna);
    if (file) {
        const auto measured = tuner::DesignImpedance(*file, f_mhz, in.line.mark);
        if (const auto* why = std::get_if<std::string>(&measured)) return *why;
        z = std::get<std::complex<double>>(measured);
        at_load = file->at_load;
        l.request.antenna = *file;
    } else {
        z = std::get<std::complex<double>>(in.antenna);
    }
    auto shown = ShownLineAt(in, f_mhz, z, at_load, file == nullptr);
    if (!shown) return "The line has no solution at " + Format(f_mhz, kFrequencyPicture, in.line.mark) + " MHz.";
    l.shown = std::move(*shown);
    l.given = z;
    l.context.line = {in.line, in.user};
    return l;
}

NetworkKey KeyOf(const TunerWindow::Compared& c) {
    return {c.network, c.network == tuner::Network::HighPassL ? c.coil_across_line : std::nullopt};
}

std::string KeyName(const NetworkKey& k) {
    TunerWindow::Compared c;
    c.network = k.network;
    c.coil_across_line = k.coil_across_line;
    return TunerWindow::ComparedName(c);
}

std::string KeyId(const NetworkKey& k) {
    for (const NetworkId& id : kNetworkIds)
        if (id.key == k) return id.id;
    return "";
}

std::string KeyShortName(const NetworkKey& k) {
    for (const NetworkId& id : kNetworkIds)
        if (id.key == k) return id.short_name;
    return KeyName(k);
}

double LossPercent(const tuner::NetworkDesign& d) { return d.loss_percent; }

std::variant<MyTuner, std::string> ReadMyTuner(std::string_view text) {
    const std::string t(TrimBlanks(text));
    const std::size_t colon = t.find(':');
    const std::string usage = " (such as tee:C1=10-250pF,L2=0.2-28uH,C3=10-250pF,V=3500,I=10)";
    if (colon == std::string::npos) return "\"" + t + "\": my tuner is NETWORK:PART=FROM-TO,..." + usage;
    MyTuner have;
    const std::string network = t.substr(0, colon);
    const auto id = std::find_if(std::begin(kNetworkIds), std::end(kNetworkIds),
                                 [&](const NetworkId& n) { return n.id == network; });
    if (id == std::end(kNetworkIds)) return "\"" + network + "\" is no network: lpl, hpl, hpl-a, hpl-b, pi or tee";
    have.network = id->key.network;
    have.coil_across_line = id->key.coil_across_line;
    std::size_t start = colon + 1;
    while (start < t.size()) {
        const std::size_t comma = std::min(t.find(',', start), t.size());
        const std::string item = t.substr(start, comma - start);
        start = comma + 1;
        const std::size_t eq = item.find('=');
        if (eq == std::string::npos) return "\"" + item + "\" is not PART=FROM-TO" + usage;
        const std::string name = item.substr(0, eq), value = item.substr(eq + 1);
        if (name == "V" || name == "I") {
            if (!IsNumberText(value) || !(ParseNumber(value) > 0.0)) return "\"" + item + "\": a rating is a number above 0";
            (name == "V" ? have.v_rating : have.i_rating) = ParseNumber(value);
            continue;
        }
        if (name.size() < 2 || (name[0] != 'L' && name[0] != 'C')) return "\"" + name + "\" is no part: L1, C2, ...";
        PartLimit part{name, name[0] == 'L' ? tuner::Kind::L : tuner::Kind::C, 0.0, 0.0};
        const std::string unit = part.kind == tuner::Kind::L ? "uH" : "pF";
        std::string range = value;
        if (range.size() > 2 && range.substr(range.size() - 2) == unit) range.resize(range.size() - 2);
        const std::size_t dash = range.find('-', 1);
        if (dash == std::string::npos || !IsNumberText(range.substr(0, dash)) || !IsNumberText(range.substr(dash + 1)))
            return "\"" + item + "\": a part's range is FROM-TO in " + unit;
        part.lo = ParseNumber(range.substr(0, dash));
        part.hi = ParseNumber(range.substr(dash + 1));
        if (!(part.lo > 0.0 && part.hi >= part.lo)) return "\"" + item + "\": a range runs upward from above 0";
        have.parts.push_back(part);
    }
    if (have.parts.empty()) return "\"" + t + "\" names no part" + usage;
    return have;
}

std::vector<std::string> BeyondLimits(const MyTuner& have, const tuner::NetworkDesign& d) {
    std::vector<std::string> beyond;
    const auto percent = [](double by, double of) { return Format(100.0 * by / of, "0.0#") + " %"; };
    for (const tuner::Element& e : d.elements) {
        const char* unit = e.kind == tuner::Kind::L ? "uH" : "pF";
        const auto part = std::find_if(have.parts.begin(), have.parts.end(),
                                       [&](const PartLimit& p) { return p.name == e.name && p.kind == e.kind; });
        const std::string value = e.name + " " + Format(e.value, "#,##0.0##") + " " + unit;
        if (part == have.parts.end()) {
            beyond.push_back(value + ": my tuner has no such part");
            continue;
        }
        if (e.value > part->hi)
            beyond.push_back(value + " is " + percent(e.value - part->hi, part->hi) + " above its " +
                             ShortestText(part->hi) + " " + unit);
        if (e.value < part->lo)
            beyond.push_back(value + " is " + percent(part->lo - e.value, part->lo) + " below its " +
                             ShortestText(part->lo) + " " + unit);
        const double peak_v = e.v_rms * std::sqrt(2.0);
        if (e.kind == tuner::Kind::C && have.v_rating && peak_v > *have.v_rating)
            beyond.push_back(e.name + " peak " + Format(peak_v, "#,##0") + " V is " +
                             percent(peak_v - *have.v_rating, *have.v_rating) + " above its " +
                             ShortestText(*have.v_rating) + " V");
        if (e.kind == tuner::Kind::L && have.i_rating && e.i_rms > *have.i_rating)
            beyond.push_back(e.name + " " + Format(e.i_rms, "0.0#") + " A RMS is " +
                             percent(e.i_rms - *have.i_rating, *have.i_rating) + " above its " +
                             ShortestText(*have.i_rating) + " A");
    }
    return beyond;
}

namespace {

Plan MakePlanOf(const Inputs& in, bool band_runs) {
    form::SilentHost host(in.line.mark);
    TunerWindow tuner(host);
    for (const auto& [field, text] : in.settings) {
        (tuner.*field).SetText(text);
        (tuner.*field).LoseFocus();
    }
    Plan plan;
    for (const Band& band : in.bands) {
        BandResult b{band, {}};
        for (double f : BandPoints(band, in.points)) {
            std::optional<HaveFit> have;
            b.points.push_back(DesignPoint(tuner, in, f, &have, band_runs));
            if (in.have) plan.have.push_back(have ? std::move(*have) : HaveFit{f, std::nullopt, {}, b.points.back().not_measured});
        }
        plan.bands.push_back(std::move(b));
    }
    plan.networks = Summaries(plan.bands);
    plan.recommendation = Recommend(plan.networks);
    return plan;
}

}  // namespace

Plan MakePlan(const Inputs& in) { return MakePlanOf(in, true); }

std::variant<Lengths, std::string> ReadLengths(std::string_view text) {
    const std::string t(TrimBlanks(text));
    const std::size_t a = t.find(':'), b = a == std::string::npos ? a : t.find(':', a + 1);
    const std::string usage = "\"" + t + "\": lengths are FROM:TO:STEP, such as 10:30:0.5";
    if (b == std::string::npos) return usage;
    const std::string parts[] = {t.substr(0, a), t.substr(a + 1, b - a - 1), t.substr(b + 1)};
    for (const std::string& p : parts)
        if (!IsNumberText(p)) return usage;
    const Lengths l{ParseNumber(parts[0]), ParseNumber(parts[1]), ParseNumber(parts[2])};
    if (!(l.from >= 0.0 && l.to >= l.from && l.to <= 9999.0 && l.step > 0.0))
        return "\"" + t + "\": lengths run upward from 0 to at most 9999, in steps above 0";
    if ((l.to - l.from) / l.step + 1.0 > kMaxLengths + 1e-9)
        return "\"" + t + "\": at most " + std::to_string(kMaxLengths) + " lengths";
    return l;
}

int LengthCount(const Lengths& lengths) {
    return static_cast<int>(std::floor((lengths.to - lengths.from) / lengths.step + 1e-9)) + 1;
}

std::vector<LengthResult> ScanLengths(const Inputs& in, const Lengths& lengths,
                                      const std::function<bool(double)>& progress) {
    std::vector<LengthResult> out;
    const int count = LengthCount(lengths);
    Inputs at = in;
    at.have.reset();
    for (int k = 0; k < count; ++k) {
        LengthResult r;
        r.length = LengthAt(lengths, k);
        at.line.length_text = Format(r.length, "###0.000", in.line.mark);
        // Only the losses are read: the band runs, which cost most of a plan, are left out.
        const Plan plan = MakePlanOf(at, false);
        r.recommendation = plan.recommendation;
        if (plan.recommendation)
            for (const NetworkSummary& s : plan.networks)
                if (s.key == plan.recommendation->key) r.worst_loss_pct = s.worst_loss_pct;
        for (const BandResult& b : plan.bands)
            for (const Point& p : b.points) {
                const bool any = std::any_of(p.cells.begin(), p.cells.end(), [](const TunerWindow::Compared& c) {
                    return std::holds_alternative<tuner::NetworkDesign>(c.result);
                });
                if (p.not_measured.empty() && !any) r.unmatched_mhz.push_back(p.f_mhz);
            }
        out.push_back(std::move(r));
        if (progress && !progress(static_cast<double>(k + 1) / count)) break;
    }
    SortBestFirst(out);
    return out;
}

std::string ScanTooLarge(const Inputs& in, const Lengths& lengths) {
    int band_points = 0;
    for (const Band& b : in.bands) band_points += static_cast<int>(BandPoints(b, in.points).size());
    if (LengthCount(lengths) * band_points <= kMaxScanPoints) return {};
    return std::to_string(LengthCount(lengths)) + " lengths of " + std::to_string(band_points) +
           " band points are more than a scan designs (" + std::to_string(kMaxScanPoints) + " in all)";
}

double LengthAt(const Lengths& lengths, int k) { return lengths.from + lengths.step * k; }

void SortBestFirst(std::vector<LengthResult>& scan) {
    std::stable_sort(scan.begin(), scan.end(), [](const LengthResult& x, const LengthResult& y) {
        return std::pair(!x.recommendation, x.worst_loss_pct) < std::pair(!y.recommendation, y.worst_loss_pct);
    });
}

}  // namespace qlx::plan
