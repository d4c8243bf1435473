#include "sweep/touchstone.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <optional>
#include <sstream>

#include "core/entry_rules.h"
#include "sweep/sweep.h"
#include "core/format.h"
#include "core/number_text.h"

namespace qlx::sweep {

namespace {


// A token as a message shows it: control characters escaped, so that a file cannot send
// escape sequences to the user's terminal through qlx-cli's messages.
std::string Shown(std::string_view token) {
    std::string out;
    for (const unsigned char c : token) {
        if (c < 0x20 || c == 0x7f) {
            static const char* hex = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The next line of the text and where the one after it starts: a line ends at LF, CR LF or a
// lone CR (as an old Mac program writes).
std::string_view NextLine(std::string_view text, std::size_t& start, bool& last) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    std::string_view line = text.substr(start, end - start);
    last = end >= text.size();
    if (!last && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
    return line;
}

std::string Upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
}

std::vector<std::string_view> Tokens(std::string_view line) {
    std::vector<std::string_view> t;
    std::size_t i = 0;
    while (i < line.size()) {
        const auto blank = [](char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; };
        while (i < line.size() && blank(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !blank(line[i])) ++i;
        if (i > start) t.push_back(line.substr(start, i - start));
    }
    return t;
}

bool Number(std::string_view t, double& v) {
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    return ReadWholeNumber(t, v).ok && std::isfinite(v);
}


}  // namespace

namespace {

using Outcome = std::optional<TouchstoneError>;  // nothing: the line was read

TouchstoneError Fail(int line, std::string reason) { return TouchstoneError{line, std::move(reason)}; }

// The reader's state from line to line: the option line's settings, the version 2.0 keywords
// seen, the values waiting to make up a point, and the points read.
class Reader {
public:
    // Reads one line (its comment already cut off).
    Outcome Line(std::string_view line, int line_no);
    // What the file gave once its last line (numbered `last_line`) is read.
    std::variant<OnePort, TouchstoneError> End(int last_line);
    bool ended() const { return ended_; }
    std::size_t points() const { return out_.f_mhz.size(); }

private:
    Outcome Reference(const std::vector<std::string_view>& t);
    Outcome Keyword(std::string_view line);
    Outcome OptionLine(const std::vector<std::string_view>& t);
    Outcome Values(const std::vector<std::string_view>& t);
    Outcome Point(double f, double a, double b, int at);

    double unit_mhz_ = 1e3;  // GHz
    char parameter_ = 'S';
    std::string format_ = "MA";
    double ref_ = kReferenceOhms;
    bool options_ = false, v2_ = false, data_section_ = false, ended_ = false;
    bool reference_next_ = false;  // [Reference] with its value on the next line
    std::optional<double> frequencies_stated_;  // [Number of Frequencies]
    int frequencies_line_ = 0;
    std::vector<double> pending_;
    std::vector<int> pending_line_;
    int line_no_ = 0;
    OnePort out_;
};

Outcome Reader::Line(std::string_view line, int line_no) {
    line_no_ = line_no;
    const std::vector<std::string_view> t = Tokens(line);
    if (t.empty()) return std::nullopt;
    if (reference_next_ && t[0].front() != '[') return Reference(t);
    if (t[0].front() == '[') return Keyword(line);
    if (t[0].front() == '#') return options_ ? std::nullopt : OptionLine(t);  // only the first counts
    return Values(t);
}

// The reference of a one-port file: one value above 0 ohms.
Outcome Reader::Reference(const std::vector<std::string_view>& t) {
    double v = 0;
    if (t.size() != 1 || !Number(t[0], v) || !(v > 0.0))
        return Fail(line_no_, "[Reference] of a one-port file takes one resistance above 0 ohms");
    ref_ = v;
    reference_next_ = false;
    return std::nullopt;
}

// Version 2.0 keywords: the keyword runs to its closing bracket.
Outcome Reader::Keyword(std::string_view line) {
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return Fail(line_no_, "a keyword without its closing \"]\"");
    const std::string keyword = Upper(line.substr(line.find('['), close - line.find('[') + 1));
    const std::vector<std::string_view> rest = Tokens(line.substr(close + 1));
    double v = 0;
    if (keyword == "[VERSION]") {
        v2_ = true;
    } else if (keyword == "[NUMBER OF PORTS]") {
        if (rest.empty() || !Number(rest[0], v)) return Fail(line_no_, "[Number of Ports] without a number");
        if (v != 1.0) return Fail(line_no_, "a file of " + std::string(rest[0]) + " ports: only one-port data are read");
    } else if (keyword == "[TWO-PORT DATA ORDER]") {
        return Fail(line_no_, "two-port data: only one-port data are read");
    } else if (keyword == "[REFERENCE]") {
        // Some simulators write the value on the next line.
        if (rest.empty()) {
            reference_next_ = true;
            return std::nullopt;
        }
        return Reference(rest);
    } else if (keyword == "[NUMBER OF FREQUENCIES]") {
        if (rest.size() != 1 || !Number(rest[0], v) || !(v >= 1.0) || v != std::floor(v))
            return Fail(line_no_, "[Number of Frequencies] without a whole number above 0");
        frequencies_stated_ = v;
        frequencies_line_ = line_no_;
    } else if (keyword == "[NETWORK DATA]") {
        data_section_ = true;
    } else if (keyword == "[END]") {
        ended_ = true;
    }
    return std::nullopt;
}

// "# <unit> <parameter> <format> R <ref>", each kind of option at most once: a second unit or
// format would silently win.
Outcome Reader::OptionLine(const std::vector<std::string_view>& t) {
    options_ = true;
    std::vector<std::string_view> parts(t.begin(), t.end());
    if (parts[0].size() > 1) parts[0].remove_prefix(1); else parts.erase(parts.begin());
    bool unit_seen = false, parameter_seen = false, format_seen = false, ref_seen = false;
    const auto once = [&](bool& seen, const char* what) -> Outcome {
        if (seen) return Fail(line_no_, std::string("a second ") + what + " on the option line");
        seen = true;
        return std::nullopt;
    };
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const std::string p = Upper(parts[k]);
        Outcome twice;
        if (p == "HZ" || p == "KHZ" || p == "MHZ" || p == "GHZ") {
            twice = once(unit_seen, "frequency unit");
            unit_mhz_ = p == "HZ" ? 1e-6 : p == "KHZ" ? 1e-3 : p == "MHZ" ? 1.0 : 1e3;
        } else if (p == "S" || p == "Z" || p == "Y") {
            twice = once(parameter_seen, "parameter");
            parameter_ = p[0];
        } else if (p == "G" || p == "H") {
            return Fail(line_no_, "parameter " + p + ": only S, Y or Z are read");
        } else if (p == "RI" || p == "MA" || p == "DB") {
            twice = once(format_seen, "data format");
            format_ = p;
        } else if (p == "R") {
            twice = once(ref_seen, "reference");
            double r = 0;
            if (k + 1 >= parts.size() || !Number(parts[k + 1], r) || !(r > 0.0))
                return Fail(line_no_, "R without a reference resistance above 0");
            ref_ = r;
            ++k;
        } else {
            return Fail(line_no_, "\"" + Shown(parts[k]) + "\" is no option of the option line");
        }
        if (twice) return twice;
    }
    return std::nullopt;
}

// A data line's values: a point may run across lines, so they wait until three have come.
Outcome Reader::Values(const std::vector<std::string_view>& t) {
    if (v2_ && !data_section_) return Fail(line_no_, "data before [Network Data]");
    if (!options_) return Fail(line_no_, "data before the option line");
    if (t.size() > 3) return Fail(line_no_, "more than three values on a line: only one-port data are read");
    for (std::string_view token : t) {
        double v = 0;
        if (!Number(token, v)) {
            // Built by appending: GCC 12 warns falsely of an overlap for "..." + std::string at -O3.
            std::string reason = "\"";
            reason.append(Shown(token)).append("\" is not a number");
            return Fail(line_no_, reason);
        }
        pending_.push_back(v);
        pending_line_.push_back(line_no_);
    }
    while (pending_.size() >= 3) {
        const double f = pending_[0] * unit_mhz_, a = pending_[1], b = pending_[2];
        const int at = pending_line_[0];
        pending_.erase(pending_.begin(), pending_.begin() + 3);
        pending_line_.erase(pending_line_.begin(), pending_line_.begin() + 3);
        if (Outcome refused = Point(f, a, b, at)) return refused;
    }
    return std::nullopt;
}

// One frequency with its two values, as an impedance.
Outcome Reader::Point(double f, double a, double b, int at) {
    if (!std::isfinite(f)) return Fail(at, "a frequency beyond any number");
    if (!out_.f_mhz.empty() && !(f > out_.f_mhz.back()))
        return Fail(at, "frequencies out of order: " + ExactText(f) + " MHz after " + ExactText(out_.f_mhz.back()) + " MHz");
    if (!(f > 0.0)) return Fail(at, "a frequency of " + ExactText(f) + " MHz");
    if (format_ == "MA" && a < 0.0) return Fail(at, "a negative magnitude, " + ExactText(a));
    std::complex<double> c;
    // The angle within one turn first: 360 degrees is 0 exactly, not a rounding beside it.
    const double rad = std::remainder(b, 360.0) * std::numbers::pi / 180.0;
    if (format_ == "RI") c = {a, b};
    else if (format_ == "MA") c = a == 0.0 ? 0.0 : std::polar(a, rad);
    else c = std::polar(std::pow(10.0, a / 20.0), rad);
    std::complex<double> z;
    bool overshoot = false;
    if (parameter_ == 'S') {
        // A passive load reflects at most what it receives. Within rounding of |S| = 1 the point
        // is on the rim (a pure reactance); a little beyond it is a calibration's overshoot, kept
        // and told; further out no measurement lies.
        const double mag = std::abs(c);
        const bool rim = std::fabs(mag - 1.0) <= kRimTolerance;
        if (rim) c /= mag;
        if (mag > kMaxOvershoot)
            return Fail(at, "a reflection of magnitude " + Format(mag, "0.0####") +
                                ", outside the Smith chart: a negative resistance, which no antenna has");
        if (std::abs(1.0 - c) == 0.0) return Fail(at, "S = 1, an open circuit, has no impedance");
        z = ref_ * (1.0 + c) / (1.0 - c);
        if (rim) z.real(0.0);
        overshoot = !rim && mag > 1.0;
        if (overshoot) {
            ++out_.overshoot_points;
            out_.largest_reflection = std::max(out_.largest_reflection, mag);
        }
    } else if (parameter_ == 'Z') {
        z = v2_ ? c : ref_ * c;
    } else {
        if (std::abs(c) == 0.0) return Fail(at, "Y = 0, an open circuit, has no impedance");
        z = v2_ ? 1.0 / c : ref_ / c;
    }
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return Fail(at, "an impedance that is not a number");
    // The line is solved in single precision: like the main window, which refuses such an entry, a
    // sweep cannot carry a resistance or reactance beyond 1E+30 ohms to the other end.
    if (!ImpedanceAccepted(z.real()) || !ImpedanceAccepted(z.imag()))
        return Fail(at, "an impedance of " + ExactText(z.real()) + (z.imag() < 0 ? " - j" : " + j") +
                            ExactText(std::abs(z.imag())) + " ohms, beyond the 1E+30 ohms a line is solved for");
    if (z.real() < 0.0 && !overshoot)
        return Fail(at, "a negative resistance, " + ExactText(z.real()) + " ohms, which no antenna has");
    out_.f_mhz.push_back(f);
    out_.z.push_back(z);
    return std::nullopt;
}

std::variant<OnePort, TouchstoneError> Reader::End(int last_line) {
    if (!pending_.empty()) return Fail(pending_line_.front(), "a frequency without both of its values");
    if (reference_next_) return Fail(last_line, "[Reference] without its resistance");
    if (out_.f_mhz.empty()) return Fail(last_line, "no data: the file holds no frequency with its values");
    if (frequencies_stated_ && *frequencies_stated_ != static_cast<double>(out_.f_mhz.size()))
        return Fail(frequencies_line_, "[Number of Frequencies] says " + ExactText(*frequencies_stated_) +
                                           ", the file holds " + std::to_string(out_.f_mhz.size()));
    return std::move(out_);
}

}  // namespace

std::variant<OnePort, TouchstoneError> ReadTouchstone(std::string_view text, std::size_t max_points) {
    // A UTF-8 byte-order mark, as some editors and instruments put first, is no data.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    if (TrimBlanks(text).empty()) return Fail(0, "the file is empty: no data");
    Reader reader;
    int line_no = 0;
    std::size_t start = 0;
    bool last = false;
    while (start < text.size() && !reader.ended()) {
        std::string_view line = NextLine(text, start, last);
        ++line_no;
        if (const std::size_t bang = line.find('!'); bang != std::string_view::npos) line = line.substr(0, bang);
        if (Outcome refused = reader.Line(line, line_no)) return *refused;
        // Past the limit the rest is never read: a huge file costs no more than the limit's points.
        if (reader.points() > max_points) return TooManyPoints(max_points);
    }
    return reader.End(line_no);
}

TouchstoneError TooManyPoints(std::size_t max_points) {
    return TouchstoneError{0, "holds more than " + std::to_string(max_points) + " points, more than a sweep may hold"};
}

std::string ShownName(std::string_view name) { return Shown(name); }

std::string OvershootWarning(const OnePort& port) {
    if (port.overshoot_points == 0) return {};
    const bool one = port.overshoot_points == 1;
    return std::to_string(port.overshoot_points) +
           (one ? " point of the file reflects more than it receives" : " points of the file reflect more than they receive") +
           " (|S| up to " + Format(port.largest_reflection, "0.0####") +
           "), a calibration's overshoot: kept outside the Smith chart with a negative resistance; no tuner is designed there.";
}

std::string ErrorText(std::string_view shown_name, const TouchstoneError& e) {
    std::string text(shown_name);
    if (e.line > 0) text.append(":").append(std::to_string(e.line));
    return text.append(": ").append(e.reason);
}

std::string WriteTouchstone(const std::vector<double>& f_mhz, const std::vector<std::complex<double>>& z,
                            double ref, std::string_view comment) {
    std::string out;
    std::size_t start = 0;
    while (start < comment.size()) {  // every comment line behind its "!"
        std::size_t end = comment.find('\n', start);
        if (end == std::string_view::npos) end = comment.size();
        out += "! " + std::string(comment.substr(start, end - start)) + "\n";
        start = end + 1;
    }
    out += "# MHz S RI R " + ExactText(ref) + "\n";
    for (std::size_t k = 0; k < f_mhz.size() && k < z.size(); ++k) {
        const std::complex<double> s = (z[k] - ref) / (z[k] + ref);
        out += ExactText(f_mhz[k]) + " " + ExactText(s.real()) + " " + ExactText(s.imag()) + "\n";
    }
    return out;
}

bool IsWindowsDeviceName(std::string_view name) {
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && (stem.back() == ' ')) stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" || stem == "CONOUT$") return true;
    return stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) && stem[3] >= '1' && stem[3] <= '9';
}

std::variant<OnePort, TouchstoneError> LoadTouchstone(const std::string& path) {
    std::string text;
    if (path == "-") {
        // Standard input: read in pieces, never more than a file may hold.
        std::vector<char> chunk(1 << 16);
        while (std::cin.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || std::cin.gcount() > 0) {
            text.append(chunk.data(), static_cast<std::size_t>(std::cin.gcount()));
            if (text.size() > kMaxTouchstoneBytes) return TouchstoneError{0, "is larger than 64 MiB, more than any measurement"};
        }
    } else {
#ifdef _WIN32
        // CON, NUL, COM1 and the others are devices in every folder, whatever follows a dot.
        if (IsWindowsDeviceName(std::filesystem::path(path).filename().string())) return TouchstoneError{0, "is a device, not a file"};
#endif
        std::error_code ec;
        const auto status = std::filesystem::status(path, ec);
        if (ec || !std::filesystem::exists(status)) return TouchstoneError{0, "does not exist"};
        if (std::filesystem::is_directory(status)) return TouchstoneError{0, "is a folder, not a file"};
        if (!std::filesystem::is_regular_file(status))
            return TouchstoneError{0, "is not a regular file (a device or a pipe), which could be read for ever"};
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        if (ec) return TouchstoneError{0, "cannot be read"};
        if (size > kMaxTouchstoneBytes) return TouchstoneError{0, "is larger than 64 MiB, more than any measurement"};
        if (size == 0) return TouchstoneError{0, "is empty"};
        // Read straight into one buffer of the file's size: no second copy of a large file.
        std::ifstream in(path, std::ios::binary);
        text.resize(static_cast<std::size_t>(size));
        in.read(text.data(), static_cast<std::streamsize>(size));
        if (in.gcount() <= 0 && size > 0) return TouchstoneError{0, "cannot be read"};
        text.resize(static_cast<std::size_t>(in.gcount()));
    }
    // No more points than a sweep may hold: reading stops there.
    return ReadTouchstone(text, static_cast<std::size_t>(kMaxPoints));
}

OnePort Within(const OnePort& port, double lo, double hi) {
    OnePort in;
    for (std::size_t k = 0; k < port.f_mhz.size() && k < port.z.size(); ++k)
        if (port.f_mhz[k] >= lo && port.f_mhz[k] <= hi) {
            in.f_mhz.push_back(port.f_mhz[k]);
            in.z.push_back(port.z[k]);
        }
    return in;
}

}  // namespace qlx::sweep
