#include "mainwin/defaults_record.h"

#include <cctype>
#include <cmath>

#include "core/cables.h"
#include "core/format.h"
#include "core/numbers.h"

namespace qlx {

namespace {

// Lines 8 to 12, in the order of DefaultsRecord::windows.
constexpr std::array<std::size_t, 5> kWindowLines{kMainGeometryLine, kGraphGeometryLine, kTunerGeometryLine,
                                                  kTuner1GeometryLine, kTuner2GeometryLine};
constexpr std::size_t kUnitLine = 1, kUserFirstLine = 2, kLengthLine = 13, kCableLine = 14, kFreqLine = 15,
                      kResistanceLine = 16, kReactanceLine = 17;

// Reads the lines into `from`, marking each line read whole.
ParsedDefaults Parse(const std::vector<std::string>& lines, DefaultsRecord from) {
    ParsedDefaults p;
    p.record = std::move(from);
    DefaultsRecord& r = p.record;
    const auto has = [&](std::size_t line) { return lines.size() >= line; };
    const auto at = [&](std::size_t line) -> const std::string& { return lines[line - 1]; };
    const auto mark = [&](std::size_t line) { p.read[line - 1] = true; };

    if (has(kUnitLine)) {
        std::string unit(TrimBlanks(at(kUnitLine)));
        for (char& c : unit) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        r.unit = unit;
        mark(kUnitLine);
    }
    std::string* user[] = {&r.user.r0, &r.user.x0, &r.user.atten100, &r.user.vel_factor, &r.user.vmax, &r.user.at_mhz};
    for (std::size_t k = 0; k < 6; ++k)
        if (has(kUserFirstLine + k)) {
            *user[k] = at(kUserFirstLine + k);
            mark(kUserFirstLine + k);
        }
    for (std::size_t k = 0; k < kWindowLines.size(); ++k)
        if (has(kWindowLines[k]))
            if (const auto g = ReadGeometry(at(kWindowLines[k]))) {
                r.windows[k] = *g;
                mark(kWindowLines[k]);
            }
    // The entries must each be one plain number: a field never shows a text that its line was
    // not solved with.
    if (has(kLengthLine) && IsNumberText(at(kLengthLine))) {
        r.length_ft = at(kLengthLine);
        mark(kLengthLine);
    }
    if (has(kCableLine) && IsNumberText(at(kCableLine))) {
        const double rounded = std::nearbyint(ParseNumber(at(kCableLine)));  // halves to the even neighbour
        if (rounded >= 0 && rounded <= kUserDefinedIndex) {
            r.cable = static_cast<int>(rounded);
            mark(kCableLine);
        }
    }
    std::string* entries[] = {&r.freq, &r.resistance, &r.reactance};
    const std::size_t entry_lines[] = {kFreqLine, kResistanceLine, kReactanceLine};
    for (std::size_t k = 0; k < 3; ++k)
        if (has(entry_lines[k]) && IsNumberText(at(entry_lines[k]))) {
            *entries[k] = at(entry_lines[k]);
            mark(entry_lines[k]);
        }
    return p;
}

}  // namespace

bool ParsedDefaults::unit_read() const { return read[kUnitLine - 1]; }
bool ParsedDefaults::vel_factor_read() const { return read[kUserFirstLine + 3 - 1]; }
bool ParsedDefaults::window_read(std::size_t k) const { return read[kWindowLines[k] - 1]; }
bool ParsedDefaults::length_read() const { return read[kLengthLine - 1]; }
bool ParsedDefaults::cable_read() const { return read[kCableLine - 1]; }
bool ParsedDefaults::freq_read() const { return read[kFreqLine - 1]; }
bool ParsedDefaults::resistance_read() const { return read[kResistanceLine - 1]; }
bool ParsedDefaults::reactance_read() const { return read[kReactanceLine - 1]; }

const DefaultsRecord& FirstStartRecord() {
    static const DefaultsRecord record = [] {
        const auto& d = DefaultDefaultsLines();
        return Parse(std::vector<std::string>(d.begin(), d.end()), DefaultsRecord{}).record;
    }();
    return record;
}

ParsedDefaults ParseDefaults(const std::vector<std::string>& lines) { return Parse(lines, FirstStartRecord()); }

std::vector<std::string> DefaultsLines(const DefaultsRecord& r, char mark) {
    std::vector<std::string> lines{r.unit,          r.user.r0,   r.user.x0, r.user.atten100,
                                   r.user.vel_factor, r.user.vmax, r.user.at_mhz};
    for (std::size_t k = 0; k < kWindowLines.size(); ++k) {
        const std::size_t line = kWindowLines[k];
        const Geometry& g = r.windows[k];
        if (!std::isfinite(g.left) || !std::isfinite(g.top))
            lines.emplace_back(DefaultDefaultsLines()[line - 1]);
        else if (line == kGraphGeometryLine)
            lines.push_back(GeometryLine(g.left, g.top, g.height, g.width));
        else
            lines.push_back(ShortestText(g.left) + ";" + ShortestText(g.top) + std::string(DefaultSizeText(line)));
    }
    lines.push_back(r.length_ft);
    lines.push_back(RecordNumberText(static_cast<float>(r.cable), mark));
    lines.push_back(r.freq);
    lines.push_back(r.resistance);
    lines.push_back(r.reactance);
    return lines;
}

}  // namespace qlx
