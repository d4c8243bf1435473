#include "cli/options.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/cables.h"
#include "core/format.h"
#include "core/number_text.h"
#include "core/numbers.h"
#include "form/form.h"

namespace qlx::cli {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Trim(std::string_view s) { return std::string(TrimBlanks(s)); }

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string_view>& args,
                                    const std::set<std::string>& valued,
                                    const std::set<std::string>& flags, Failure& failure) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string a(args[i]);
        if (flags.count(a)) {
            o.flags.insert(a);
        } else if (valued.count(a)) {
            if (i + 1 >= args.size()) {
                failure = {a + " needs a value"};
                return std::nullopt;
            }
            // What goes into a window's field is a field's length at most: cut, it would be
            // another number. A file's name is no field's.
            if (args[i + 1].size() > form::kMaxTextLength && a != "--touchstone") {
                failure = {a + ": at most " + std::to_string(form::kMaxTextLength) + " characters"};
                return std::nullopt;
            }
            o.values[a] = std::string(args[++i]);
        } else {
            failure = {"unknown option " + a};
            return std::nullopt;
        }
    }
    return o;
}

bool CheckNumbers(const Options& o, std::initializer_list<const char*> names, Failure& failure) {
    for (const char* name : names) {
        const std::string* v = o.Value(name);
        if (!v) continue;
        // One plain number and nothing else: "1 2", "1d3", "abc1" or "3x" on a command line is a
        // slip, not the 12, 1000, 0 or 3 the window's reading would make of it. A length may end
        // in "w" (wavelengths).
        std::string_view text = *v;
        if (std::string_view(name) == "--length" && !text.empty() && (text.back() == 'w' || text.back() == 'W'))
            text.remove_suffix(1);
        const bool vb_exponent = text.find_first_of("dD") != std::string_view::npos;
        if (!IsNumberText(text) || vb_exponent || text.find(' ') != std::string_view::npos) {
            failure = {std::string(name) + " needs a number, not \"" + *v + "\""};
            return false;
        }
    }
    return true;
}

std::optional<int> FindCable(std::string_view entry, const std::vector<std::string>& list, Failure& failure) {
    const std::string wanted = Lower(Trim(entry));
    const int entries = static_cast<int>(list.size());
    // A number is a list position, never a part of an entry's text ("37" is not Belden 8237);
    // any other text is a part of an entry ("rg-213").
    if (AllDigits(wanted)) {
        if (wanted.size() <= 4 && std::stoi(wanted) < entries) return std::stoi(wanted);
        failure = {"--cable " + std::string(entry) + ": a list position is 0 to " + std::to_string(entries - 1), false};
        return std::nullopt;
    }
    std::vector<int> hits;
    for (int pos = 0; pos < entries; ++pos) {
        const std::string text = Lower(Trim(list[static_cast<std::size_t>(pos)]));
        if (text == wanted) return pos;
        if (!wanted.empty() && text.find(wanted) != std::string::npos) hits.push_back(pos);
    }
    if (hits.size() == 1) return hits[0];
    // Built by appending: GCC 12 warns falsely of an overlap for "..." + std::string at -O3.
    std::string text = hits.empty() ? "no cable matches \"" : "\"";
    text.append(entry).append(hits.empty() ? "\"; the list:" : "\" matches more than one cable:");
    if (hits.empty())
        for (int pos = 0; pos < entries; ++pos) hits.push_back(pos);
    for (int pos : hits) text += "\n  " + std::to_string(pos) + ":" + list[static_cast<std::size_t>(pos)];
    failure = {text, false};
    return std::nullopt;
}

std::optional<std::vector<std::string>> ParseUserLine(std::string_view text_in, Failure& failure) {
    std::vector<std::string> numbers;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text_in.find(',', start);
        const std::string part = Trim(text_in.substr(start, comma == std::string_view::npos ? text_in.npos : comma - start));
        double v = 0;
        if (part.empty() || !ReadWholeNumber(part, v).ok || !std::isfinite(v)) {
            failure = {"--user-line takes six numbers R0,X0,DB100FT,AT-MHZ,VF,VMAX (a point as the "
                       "decimal mark), not \"" + std::string(text_in) + "\""};
            return std::nullopt;
        }
        numbers.push_back(part);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (numbers.size() != 6) {
        failure = {"--user-line takes six numbers R0,X0,DB100FT,AT-MHZ,VF,VMAX"};
        return std::nullopt;
    }
    return numbers;
}

}  // namespace qlx::cli
