// Command-line options of qlx-cli: a small parser shared by the commands, and the cable lookup.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace qlx::cli {

// A bad command line: what is wrong, and whether the usage line helps.
struct Failure {
    std::string text;
    bool usage = true;
};

struct Options {
    std::map<std::string, std::string> values;  // "--freq" -> "14"
    std::set<std::string> flags;                // "--json"
    bool Has(const std::string& name) const { return values.count(name) || flags.count(name); }
    const std::string* Value(const std::string& name) const {
        const auto it = values.find(name);
        return it == values.end() ? nullptr : &it->second;
    }
};

// Takes the options that `valued` and `flags` name; anything else is a failure.
std::optional<Options> ParseOptions(const std::vector<std::string_view>& args,
                                    const std::set<std::string>& valued,
                                    const std::set<std::string>& flags, Failure& failure);

// The value of each named option that is present must hold a number (a "w" suffix and the like
// are left to the window's entry rules).
bool CheckNumbers(const Options& o, std::initializer_list<const char*> names, Failure& failure);

// A list position, or the one entry of the cable list whose text is the given one or contains it
// (any case): an entry named exactly wins over entries that only contain the text, so that a
// cable of one's own called "LMR-400" is found even beside the catalogue's "... LMR400" rows.
std::optional<int> FindCable(std::string_view entry, const std::vector<std::string>& list, Failure& failure);

// "R0,X0,DB100FT,AT-MHZ,VF,VMAX": the six number texts, each checked to be a number.
std::optional<std::vector<std::string>> ParseUserLine(std::string_view text_in, Failure& failure);

}  // namespace qlx::cli
