#include "cli/common.h"

#include <iostream>
#include <optional>

#include "core/cables.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"
#include "core/own_cable.h"

namespace qlx::cli {

int Cables(const std::vector<std::string_view>& args) {
    const char* usage = "usage: qlx-cli cables [--freq MHZ] [--json]";
    Failure failure;
    const auto o = qlx::cli::ParseOptions(args, {"--freq"}, {"--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nLists the cable list's entries with their positions (the catalogue, the user-defined\n"
                     "line, then your own cables from QLX cables.txt); with --freq, each cable's matched loss in\n"
                     "dB per 100 feet, R0 and X0 at that frequency.\n";
        return kExitOk;
    }
    if (!o || !qlx::cli::CheckNumbers(*o, {"--freq"}, failure)) return Fail(failure, usage);
    std::optional<float> freq;
    if (const std::string* text = o->Value("--freq")) {
        const double f = qlx::ParseNumber(*text);
        if (!qlx::FrequencyAccepted(f)) {
            std::cerr << qlx::kBadFrequencyTitle << ": " << qlx::kBadFrequencyText << "\n";
            return kExitBadInput;
        }
        freq = static_cast<float>(f);
    }

    Session s;
    const std::vector<std::string>& list = s.w.cboPickCable.items();
    json rows = json::array();
    for (int pos = 0; pos < static_cast<int>(list.size()); ++pos) {
        const std::string& text = list[static_cast<std::size_t>(pos)];
        json row{{"position", pos}, {"text", text}};
        std::string line = std::to_string(pos) + ":" + text;
        // A cable of one's own or a catalogue row: its data, and at --freq its line there.
        std::optional<qlx::CableAtFrequency> at;
        if (pos >= qlx::kListEntries) {
            const qlx::OwnCable& c = s.w.own_cables()[static_cast<std::size_t>(pos - qlx::kListEntries)];
            row["own"] = {{"name", c.name}, {"r0", c.r0}, {"vf", c.vf}, {"vmax", c.vmax},
                          {"k1", c.k1}, {"k2", c.k2}, {"source", c.source}};
            if (freq) at = qlx::OwnCableAt(c, *freq);
        } else if (pos < qlx::kCatalogueRows) {
            const qlx::CableSpec& c = qlx::Catalogue()[static_cast<std::size_t>(pos)];
            row["LossSlope"] = c.loss_slope;
            row["LossIntercept"] = c.loss_intercept;
            row["VelFactor"] = c.vel_factor;
            row["VMax"] = c.vmax;
            row["CapPF"] = c.cap_pf;
            if (freq) at = qlx::CableAt(c, *freq);
        }
        if (at) {
            row["Atten100"] = at->atten100;
            row["R0"] = at->r0;
            row["X0"] = at->x0;
            line += " | " + qlx::Format(at->atten100, "#0.0##") + " dB/100 Feet | R0 " + qlx::Format(at->r0, "##0.0") +
                    " | X0 " + qlx::Format(at->x0, "##0.00");
        }
        rows.push_back(row);
        if (!o->Has("--json")) std::cout << line << "\n";
    }
    if (o->Has("--json")) {
        json out{{"cables", rows}};
        if (freq) out["Freq"] = *freq;
        std::cout << out.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
    }
    return kExitOk;
}

}  // namespace qlx::cli
