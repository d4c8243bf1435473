// qlx-cli: the line calculator without windows, for scripts and for checking results.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/cables.h"
#include "core/format.h"
#include "core/numbers.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 2;

constexpr const char* kUsage = "usage: qlx-cli cables [--freq MHZ] [--json]";

int Usage(const std::string& problem) {
    std::cerr << "qlx-cli: " << problem << "\n" << kUsage << "\n";
    return kExitBadInput;
}

// The catalogue: every list entry, and with a frequency each row's matched loss per 100 feet,
// R0 and X0 there.
int Cables(const std::vector<std::string_view>& args) {
    bool json = false;
    bool have_freq = false;
    float freq = 0.0f;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--help") {
            std::cout << kUsage << "\n";
            return kExitOk;
        } else if (args[i] == "--freq") {
            if (i + 1 >= args.size()) return Usage("--freq needs a value");
            const double f = qlx::ParseNumber(args[++i]);
            if (f < 0.02 || f > 5000) {
                std::cerr << "Bad Frequency!: Enter frequency more than 20 kHz, less than 5000 MHz\n";
                return kExitBadInput;
            }
            freq = static_cast<float>(f);
            have_freq = true;
        } else {
            return Usage("unknown option " + std::string(args[i]));
        }
    }

    nlohmann::json rows = nlohmann::json::array();
    for (int pos = 0; pos < qlx::kListEntries; ++pos) {
        const std::string text(qlx::ListText(pos));
        nlohmann::json row{{"position", pos}, {"text", text}};
        std::string line = std::to_string(pos) + ":" + text;
        if (pos < qlx::kCatalogueRows) {
            const qlx::CableSpec& c = qlx::Catalogue()[static_cast<std::size_t>(pos)];
            row["LossSlope"] = c.loss_slope;
            row["LossIntercept"] = c.loss_intercept;
            row["VelFactor"] = c.vel_factor;
            row["VMax"] = c.vmax;
            row["CapPF"] = c.cap_pf;
            if (have_freq) {
                const qlx::CableAtFrequency at = qlx::CableAt(c, freq);
                row["Atten100"] = at.atten100;
                row["R0"] = at.r0;
                row["X0"] = at.x0;
                line += " | " + qlx::Format(at.atten100, "#0.0##") + " dB/100 Feet | R0 " +
                        qlx::Format(at.r0, "##0.0") + " | X0 " + qlx::Format(at.x0, "##0.00");
            }
        }
        rows.push_back(row);
        if (!json) std::cout << line << "\n";
    }
    if (json) {
        nlohmann::json out{{"cables", rows}};
        if (have_freq) out["Freq"] = freq;
        std::cout << out.dump(2) << "\n";
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help") {
        std::cout << kUsage << "\n";
        return args.empty() ? kExitBadInput : kExitOk;
    }
    const std::string_view command = args[0];
    args.erase(args.begin());
    if (command == "cables") return Cables(args);
    return Usage("unknown command " + std::string(command));
}
