#include "cli/common.h"

#include <iostream>
#include <optional>

#include "core/cables.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"

namespace qlx::cli {

int Cables(const std::vector<std::string_view>& args) {
    const char* usage = "usage: qlx-cli cables [--freq MHZ] [--json]";
    Failure failure;
    const auto o = qlx::cli::ParseOptions(args, {"--freq"}, {"--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nLists the cable list's 33 entries with their positions; with --freq, each\n"
                     "catalogue line's matched loss in dB per 100 feet, R0 and X0 at that frequency.\n";
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

    json rows = json::array();
    for (int pos = 0; pos < qlx::kListEntries; ++pos) {
        const std::string text(qlx::ListText(pos));
        json row{{"position", pos}, {"text", text}};
        std::string line = std::to_string(pos) + ":" + text;
        if (pos < qlx::kCatalogueRows) {
            const qlx::CableSpec& c = qlx::Catalogue()[static_cast<std::size_t>(pos)];
            row["LossSlope"] = c.loss_slope;
            row["LossIntercept"] = c.loss_intercept;
            row["VelFactor"] = c.vel_factor;
            row["VMax"] = c.vmax;
            row["CapPF"] = c.cap_pf;
            if (freq) {
                const qlx::CableAtFrequency at = qlx::CableAt(c, *freq);
                row["Atten100"] = at.atten100;
                row["R0"] = at.r0;
                row["X0"] = at.x0;
                line += " | " + qlx::Format(at.atten100, "#0.0##") + " dB/100 Feet | R0 " +
                        qlx::Format(at.r0, "##0.0") + " | X0 " + qlx::Format(at.x0, "##0.00");
            }
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
