#include "core/own_cable.h"

#include <cctype>
#include <cmath>

#include "core/format.h"
#include "core/number_text.h"
#include "core/numbers.h"

namespace qlx {

double OwnLossPer100Ft(const OwnCable& c, double f_mhz) { return c.k1 * std::sqrt(f_mhz) + c.k2 * f_mhz; }

LossFit FitLoss(const std::vector<LossPoint>& points) {
    LossFit fit;
    // The normal equations of y = k1·√f + k2·f:
    //   [Σf     Σf^1.5] [k1]   [Σy√f]
    //   [Σf^1.5 Σf²   ] [k2] = [Σyf ]
    double sf = 0.0, sf15 = 0.0, sf2 = 0.0, syr = 0.0, syf = 0.0;
    for (const LossPoint& p : points) {
        if (!(p.f_mhz > 0.0) || !std::isfinite(p.f_mhz) || !std::isfinite(p.db_per_100ft)) return fit;
        const double r = std::sqrt(p.f_mhz);
        sf += p.f_mhz;
        sf15 += p.f_mhz * r;
        sf2 += p.f_mhz * p.f_mhz;
        syr += p.db_per_100ft * r;
        syf += p.db_per_100ft * p.f_mhz;
    }
    if (points.empty()) return fit;
    const double det = sf * sf2 - sf15 * sf15;
    // One frequency (or all the same) gives no second term: the conductors' alone.
    const bool two_terms = points.size() >= 2 && std::fabs(det) > 1e-12 * sf * sf2;
    if (two_terms) {
        fit.k1 = (syr * sf2 - sf15 * syf) / det;
        fit.k2 = (sf * syf - sf15 * syr) / det;
    }
    if (!two_terms || fit.k2 < 0.0) {
        fit.k2_held_at_zero = two_terms;
        fit.k2 = 0.0;
        fit.k1 = syr / sf;
    }
    for (const LossPoint& p : points) {
        const double r = fit.k1 * std::sqrt(p.f_mhz) + fit.k2 * p.f_mhz - p.db_per_100ft;
        fit.residual_db.push_back(r);
        if (std::fabs(r) > std::fabs(fit.worst_residual_db)) fit.worst_residual_db = r;
    }
    return fit;
}

}  // namespace qlx

namespace qlx {

CableAtFrequency OwnCableAt(const OwnCable& c, float freq_mhz) {
    CableAtFrequency at;
    at.atten100 = static_cast<float>(OwnLossPer100Ft(c, freq_mhz));
    at.r0 = static_cast<float>(c.r0);
    at.wave_len = static_cast<float>(c.vf * kFreeSpaceWaveFtMHz / static_cast<double>(freq_mhz));
    at.x0 = static_cast<float>(SuggestedX0(at.r0, at.atten100, at.wave_len));
    return at;
}

std::optional<std::string> OwnCableProblem(const OwnCable& c) {
    if (TrimBlanks(c.name).empty()) return "a cable needs a name";
    const auto finite = [](double v) { return std::isfinite(v); };
    if (!finite(c.r0) || !(c.r0 > 0.0)) return "R0 must be above 0 ohms";
    if (!finite(c.vf) || !(c.vf > 0.0 && c.vf <= 1.0)) return "the velocity factor must be above 0 and at most 1";
    if (!finite(c.vmax) || c.vmax < 0.0) return "VMax must be 0 volts or more";
    if (!finite(c.k1) || !finite(c.k2) || c.k1 < 0.0 || c.k2 < 0.0) return "k1 and k2 must be 0 or more";
    return std::nullopt;
}

namespace {

// A text field of the file: no tab or line end may enter it (they would split the line).
std::string Field(std::string_view text) {
    std::string out;
    for (const char c : text) out += IsControl(c) ? ' ' : c;
    return std::string(TrimBlanks(out));
}

std::optional<double> FieldNumber(std::string_view text) {
    double v = 0.0;
    if (!ReadWholeNumber(TrimBlanks(text), v).ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t tab = line.find('\t');
        parts.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return parts;
        line.remove_prefix(tab + 1);
    }
}

std::string LowerAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsHeader(std::string_view line) { return TrimBlanks(line).substr(0, 8) == "name\tr0\t"; }
bool IsComment(std::string_view line) { return TrimBlanks(line).empty() || TrimBlanks(line).front() == '#'; }

}  // namespace

std::optional<std::vector<LossPoint>> ParseLossPoints(std::string_view rest) {
    std::vector<LossPoint> points;
    while (!TrimBlanks(rest).empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos) return std::nullopt;
        const auto f = FieldNumber(item.substr(0, colon)), db = FieldNumber(item.substr(colon + 1));
        if (!f || !db || !(*f > 0.0) || !(*db >= 0.0)) return std::nullopt;
        points.push_back({*f, *db});
    }
    return points;
}

std::string LossPointsText(const std::vector<LossPoint>& points) {
    std::string text;
    for (const LossPoint& p : points)
        text += (text.empty() ? "" : ",") + ShortestRoundTrip(p.f_mhz) + ":" + ShortestRoundTrip(p.db_per_100ft);
    return text;
}

std::string OwnCableLine(const OwnCable& c) {
    const auto n = [](double v) { return ShortestRoundTrip(v); };
    return Field(c.name) + "\t" + n(c.r0) + "\t" + n(c.vf) + "\t" + n(c.vmax) + "\t" + n(c.k1) + "\t" + n(c.k2) + "\t" +
           Field(c.source) + "\t" + LossPointsText(c.points) + "\t" +
           (c.worst_residual_db ? n(*c.worst_residual_db) : std::string());
}

std::optional<OwnCable> ParseOwnCableLine(std::string_view line) {
    if (line.size() >= kMaxCableLineLength) return std::nullopt;
    const std::vector<std::string_view> f = SplitTabs(line);
    // The first six columns are the cable; the source, the points and the residual may be left off.
    if (f.size() < 6 || f.size() > 9) return std::nullopt;
    OwnCable c;
    c.name = Field(f[0]);
    const auto r0 = FieldNumber(f[1]), vf = FieldNumber(f[2]), vmax = FieldNumber(f[3]), k1 = FieldNumber(f[4]),
               k2 = FieldNumber(f[5]);
    if (!r0 || !vf || !vmax || !k1 || !k2) return std::nullopt;
    c.r0 = *r0, c.vf = *vf, c.vmax = *vmax, c.k1 = *k1, c.k2 = *k2;
    if (f.size() > 6) c.source = Field(f[6]);
    if (f.size() > 7) {
        const auto points = ParseLossPoints(f[7]);
        if (!points) return std::nullopt;
        c.points = *points;
    }
    if (f.size() > 8 && !TrimBlanks(f[8]).empty()) {
        c.worst_residual_db = FieldNumber(f[8]);
        if (!c.worst_residual_db) return std::nullopt;
    }
    if (OwnCableProblem(c)) return std::nullopt;
    return c;
}

OwnCablesFile ReadOwnCables(const std::vector<std::string>& file_lines) {
    OwnCablesFile file;
    for (std::size_t k = 0; k < file_lines.size(); ++k) {
        const std::string& line = file_lines[k];
        // The header names the columns (the file writes it first; comments may stand above it).
        if (IsHeader(line)) continue;
        if (TrimBlanks(line).empty()) continue;
        file.lines.push_back(line);
        if (IsComment(line)) continue;
        if (const auto c = ParseOwnCableLine(line))
            file.cables.push_back(*c);
        else
            file.damaged.push_back(k + 1);
    }
    return file;
}

std::vector<std::string> OwnCablesLines(const OwnCablesFile& file) {
    std::vector<std::string> lines{std::string(kCablesHeader)};
    lines.insert(lines.end(), file.lines.begin(), file.lines.end());
    return lines;
}

void PutOwnCable(OwnCablesFile& file, const OwnCable& c) {
    const auto same = [&c](const OwnCable& o) { return LowerAscii(Field(o.name)) == LowerAscii(Field(c.name)); };
    const std::string line = OwnCableLine(c);
    for (std::size_t k = 0; k < file.cables.size(); ++k) {
        if (!same(file.cables[k])) continue;
        // Its line: the k-th line that gives a cable.
        std::size_t seen = 0;
        for (std::string& l : file.lines) {
            if (IsComment(l) || !ParseOwnCableLine(l)) continue;
            if (seen++ == k) l = line;
        }
        file.cables[k] = c;
        return;
    }
    file.lines.push_back(line);
    file.cables.push_back(c);
}

std::string DamagedCablesText(const std::vector<std::size_t>& damaged) {
    std::string lines;
    for (std::size_t k = 0; k < damaged.size() && k < 10; ++k) lines += (k ? ", " : "") + std::to_string(damaged[k]);
    if (damaged.size() > 10) lines += " and " + std::to_string(damaged.size() - 10) + " more";
    return std::string(kCablesFileName) + (damaged.size() == 1 ? ": line " : ": lines ") + lines +
           (damaged.size() == 1 ? " is" : " are") +
           " not a cable (name, R0, velocity factor, VMax, k1, k2, separated by tabs) and " +
           (damaged.size() == 1 ? "was" : "were") + " left out. The file keeps " +
           (damaged.size() == 1 ? "it" : "them") + " as " + (damaged.size() == 1 ? "it stands." : "they stand.");
}

}  // namespace qlx
