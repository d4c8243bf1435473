// qlx-cli's option handling through a whole solution: the input is a command line, its arguments
// separated by NUL bytes. Invariants: no exception escapes, and a result printed with exit 0 shows
// no nan or inf in any computed field.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/common.h"
#include "invariants.h"

// "cable fit --save" writes the user's cables file: the fuzzer keeps one of its own in the
// temporary folder, never the user's.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string file = std::string(tmp && *tmp ? tmp : "/tmp") + "/qlx-fuzz-cables-" + std::to_string(::getpid()) + ".txt";
    ::setenv("QLX_CABLES_FILE", file.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> parts{""};
    for (std::size_t i = 0; i < size && parts.size() < 24; ++i) {
        if (data[i] == 0)
            parts.emplace_back();
        else
            parts.back() += static_cast<char>(data[i]);
    }
    std::vector<std::string_view> args(parts.begin(), parts.end());
    // Help and CSV are text by design; everything else is asked for as JSON. A plan's length scan
    // is the plan again at up to 201 lengths: bounded, but seconds under the sanitizers, which the
    // fuzzer would report as a hang; the plan it repeats is fuzzed without it.
    for (std::string_view a : args)
        if (a == "--help" || a == "--csv" || a == "--lengths") return 0;
    args.push_back("--json");
    std::ostringstream out, err;
    std::streambuf* old_out = std::cout.rdbuf(out.rdbuf());
    std::streambuf* old_err = std::cerr.rdbuf(err.rdbuf());
    int status = 0;
    try {
        status = qlx::cli::Dispatch(args);
    } catch (...) {
        std::cout.rdbuf(old_out);
        std::cerr.rdbuf(old_err);
        qlx::fuzz::Require(false, "no exception escapes a command");
    }
    std::cout.rdbuf(old_out);
    std::cerr.rdbuf(old_err);
    if (status != 0 || out.str().empty()) return 0;
    const auto j = nlohmann::json::parse(out.str(), nullptr, false);
    qlx::fuzz::Require(!j.is_discarded(), "the JSON output parses", out.str());
    if (!j.contains("fields")) return 0;
    // The computed fields of the line and the tuner's page; typed entries echo what was typed.
    for (const char* name : {"txtZ0", "txtMLPer", "txtMLTot", "txtWavelen", "txtLoadSWR", "txtRho", "txtInputSWR",
                             "txtAddLoss", "txtTotalLoss", "txtImpedIn", "txtPolarZ", "txtPolarDegree", "txtSWRLine",
                             "txtPowerLost", "txtXmsnLoss", "TxtMidX", "txtLeftX", "txtRightX", "txtMaxV", "txtMaxI"})
        if (j["fields"].contains(name)) qlx::fuzz::RequireNumberText(j["fields"][name].get<std::string>(), name);
    if (j.contains("values"))
        for (const auto& [name, v] : j["values"].items())
            qlx::fuzz::Require(!v.is_null(), "a value is a number (JSON writes nan as null)", name);
    return 0;
}
