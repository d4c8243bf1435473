#include "plan/report.h"

#include <cmath>
#include <sstream>

#include <nlohmann/json.hpp>

#include "core/format.h"
#include "core/entry_rules.h"

namespace qlx::plan {

const char* KindUnit(tuner::Kind k) { return k == tuner::Kind::L ? "uH" : "pF"; }

std::string PartsText(const tuner::NetworkDesign& d) {
    std::string t;
    for (const tuner::Element& e : d.elements)
        t += (t.empty() ? "" : ", ") + e.name + " " + Format(e.value, "#,##0.0#") + " " + KindUnit(e.kind);
    return t;
}

std::optional<double> Span20KHz(const TunerWindow::Compared& c) {
    if (!c.band || !c.band->swr20.lo_mhz || !c.band->swr20.hi_mhz) return std::nullopt;
    return (*c.band->swr20.hi_mhz - *c.band->swr20.lo_mhz) * 1000.0;
}

namespace {

using json = nlohmann::ordered_json;

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

json CellJson(const TunerWindow::Compared& c) {
    const NetworkKey key = KeyOf(c);
    json j{{"network", KeyId(key)}, {"topology", KeyName(key)}};
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
    j["loss_pct"] = LossPercent(*d);
    j["loss_db"] = d->ploss < power ? json(-10.0 * std::log10(1.0 - d->ploss / power)) : json(nullptr);
    j["power_into_load_w"] = power - d->ploss;
    const auto span = Span20KHz(c);
    j["span20_khz"] = span ? json(*span) : json(nullptr);
    return j;
}

json PlanJsonOf(const Plan& p) {
    json bands = json::array();
    for (const BandResult& b : p.bands) {
        json points = json::array();
        for (const Point& pt : b.points) {
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
    for (const NetworkSummary& s : p.networks) {
        json ranges = json::array(), unmatched = json::array(), settings = json::object();
        for (const Range& r : s.ranges)
            ranges.push_back({{"name", r.name}, {"kind", r.kind == tuner::Kind::L ? "L" : "C"}, {"min", r.min},
                              {"max", r.max}, {"unit", KindUnit(r.kind)}, {"min_at_mhz", r.min_at_mhz},
                              {"max_at_mhz", r.max_at_mhz}, {"peak_v", r.peak_v}, {"rms_i", r.rms_i}});
        for (const auto& [f, why] : s.unmatched) unmatched.push_back({{"f_mhz", f}, {"text", why}});
        for (const auto& [band, n] : s.settings_per_band) settings[band] = n;
        networks.push_back({{"network", KeyId(s.key)}, {"topology", KeyName(s.key)},
                            {"matched", s.matched}, {"of", s.of}, {"buyable", s.all_buyable},
                            {"ranges", std::move(ranges)},
                            {"worst_loss_pct", s.matched ? json(s.worst_loss_pct) : json(nullptr)},
                            {"worst_at_mhz", s.matched ? json(s.worst_at_mhz) : json(nullptr)},
                            {"settings_per_band", std::move(settings)}, {"unmatched", std::move(unmatched)}});
    }
    json best = json::array();
    for (const BandResult& b : p.bands)
        for (const Point& pt : b.points) {
            if (!pt.best) continue;
            const NetworkKey key = KeyOf(pt.cells[*pt.best]);
            best.push_back({{"f_mhz", pt.f_mhz}, {"network", KeyId(key)}, {"topology", KeyName(key)}});
        }
    json j{{"bands", std::move(bands)}, {"networks", std::move(networks)}, {"best", std::move(best)}};
    if (!p.have.empty()) {
        json have = json::array();
        for (const HaveFit& h : p.have) {
            json jh{{"f_mhz", h.f_mhz}, {"fits", h.fits()}};
            if (h.cell) jh["cell"] = CellJson(*h.cell);
            if (!h.failure.empty()) jh["text"] = h.failure;
            jh["beyond"] = h.beyond;
            have.push_back(std::move(jh));
        }
        j["have"] = std::move(have);
    }
    j["recommendation"] = p.recommendation ? json{{"network", KeyId(p.recommendation->key)},
                                                  {"topology", KeyName(p.recommendation->key)},
                                                  {"why", p.recommendation->why}}
                                           : json(nullptr);
    return j;
}

void WriteText(std::ostream& out, const Plan& p) {
    for (const BandResult& b : p.bands)
        for (const Point& pt : b.points) {
            out << b.band.name << "  " << Format(pt.f_mhz, kFrequencyPicture) << " MHz  ";
            if (!pt.not_measured.empty()) {
                out << "not measured: " << pt.not_measured << "\n";
                continue;
            }
            out << "antenna " << ImpedanceText(pt.antenna, "0.0") << ", line input "
                      << ImpedanceText(pt.line_input, "0.0") << "  ";
            if (!pt.best) {
                out << "no network matches with parts to buy\n";
                continue;
            }
            const TunerWindow::Compared& c = pt.cells[*pt.best];
            const auto& d = std::get<tuner::NetworkDesign>(c.result);
            out << TunerWindow::ComparedName(c) << ": " << PartsText(d) << ", loss "
                      << Format(LossPercent(d), "0.0#") << " %\n";
        }
    for (const NetworkSummary& s : p.networks) {
        out << "\n" << KeyName(s.key) << ": matches " << s.matched << " of " << s.of << " points";
        if (s.matched) out << ", worst loss " << Format(s.worst_loss_pct, "0.0#") << " % at " << Format(s.worst_at_mhz, kFrequencyPicture) << " MHz";
        out << "\n";
        for (const Range& r : s.ranges)
            out << "  " << r.name << " " << Format(r.min, "#,##0.0#") << " to " << Format(r.max, "#,##0.0#") << " "
                      << KindUnit(r.kind) << ", peak " << Format(r.peak_v, "#,##0") << " V, " << Format(r.rms_i, "0.0#")
                      << " A RMS\n";
        for (const auto& [f, why] : s.unmatched) out << "  no match at " << Format(f, kFrequencyPicture) << " MHz: " << why << "\n";
    }
    out << "\n"
              << (p.recommendation ? "Recommended: " + p.recommendation->why : "No network matches every point.") << "\n";
    if (p.have.empty()) return;
    out << "\nMy tuner:\n";
    for (const HaveFit& h : p.have) {
        out << "  " << Format(h.f_mhz, kFrequencyPicture) << " MHz  ";
        if (h.fits()) {
            out << "fits: " << PartsText(std::get<tuner::NetworkDesign>(h.cell->result)) << "\n";
        } else if (!h.failure.empty()) {
            out << "no match: " << h.failure << "\n";
        } else {
            std::string beyond;
            for (const std::string& b : h.beyond) beyond += (beyond.empty() ? "" : "; ") + b;
            out << "beyond it: " << beyond << "\n";
        }
    }
}

void WriteCsv(std::ostream& out, const Plan& p) {
    out << "band,f_mhz,network,ok,buyable,parts,loss_w,loss_pct,span20_khz,text\n";
    for (const BandResult& b : p.bands)
        for (const Point& pt : b.points)
            for (const TunerWindow::Compared& c : pt.cells) {
                const json j = CellJson(c);
                const auto* d = std::get_if<tuner::NetworkDesign>(&c.result);
                out << b.band.name << "," << ShortestText(pt.f_mhz) << "," << j["network"].get<std::string>() << ","
                          << (d ? 1 : 0) << "," << (d && tuner::AllPartsBuyable(*d) ? 1 : 0) << ",\""
                          << (d ? PartsText(*d) : "") << "\"," << (d ? ShortestText(d->ploss) : "") << ","
                          << (d ? ShortestText(LossPercent(*d)) : "") << ","
                          << (Span20KHz(c) ? ShortestText(*Span20KHz(c)) : "") << ",\""
                          << (d ? "" : j["text"].get<std::string>()) << "\"\n";
            }
}

json LengthsJson(const std::vector<LengthResult>& scan) {
    json out = json::array();
    for (const LengthResult& r : scan)
        out.push_back({{"length", r.length},
                       {"network", r.recommendation ? json(KeyId(r.recommendation->key)) : json(nullptr)},
                       {"worst_loss_pct", r.recommendation ? json(r.worst_loss_pct) : json(nullptr)},
                       {"unmatched_mhz", r.unmatched_mhz}});
    return out;
}

void WriteLengths(std::ostream& out, const std::vector<LengthResult>& scan, bool csv) {
    if (csv) out << "length,network,worst_loss_pct,unmatched\n";
    else out << "\nFeed-line lengths, best first:\n";
    for (const LengthResult& r : scan) {
        std::string unmatched;
        for (double f : r.unmatched_mhz) unmatched += (unmatched.empty() ? "" : " ") + ShortestText(f);
        if (csv) {
            out << ShortestText(r.length) << "," << (r.recommendation ? KeyId(r.recommendation->key) : "")
                      << "," << (r.recommendation ? ShortestText(r.worst_loss_pct) : "") << ",\"" << unmatched << "\"\n";
            continue;
        }
        out << "  " << Format(r.length, "###0.0##") << "  ";
        if (r.recommendation)
            out << KeyName(r.recommendation->key) << ", worst loss " << Format(r.worst_loss_pct, "0.0#") << " %";
        else
            out << "no network matches every point";
        if (!unmatched.empty()) out << "; nothing matches at " << unmatched << " MHz";
        out << "\n";
    }
}


}  // namespace

std::string PlanText(const Plan& p) {
    std::ostringstream out;
    WriteText(out, p);
    return out.str();
}

std::string PlanCsv(const Plan& p) {
    std::ostringstream out;
    WriteCsv(out, p);
    return out.str();
}

std::string PlanJson(const Plan& p, const std::vector<LengthResult>* lengths) {
    json j = PlanJsonOf(p);
    if (lengths) j["lengths"] = LengthsJson(*lengths);
    return j.dump(2) + "\n";
}

std::string LengthsText(const std::vector<LengthResult>& scan, bool csv) {
    std::ostringstream out;
    WriteLengths(out, scan, csv);
    return out.str();
}

}  // namespace qlx::plan
