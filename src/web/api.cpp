// The calculator's C API for a web page: one call runs a qlx-cli command in the page's
// WebAssembly module and returns what the command printed. Every figure a page shows then comes
// from the same window models and texts as the desktop and the command line: the line solution
// (line), the tuner's design with its band run (tuner), the graph (graph), the sweep and the
// Touchstone reader (sweep, with the file written into the module's file system first).
//
//   const char* qlx_call(const char* args_json)   ["line", "--freq", "14", "--json"] ->
//       {"status": 0, "out": "...", "err": "..."}  (the returned text lives until the next call)
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/common.h"

namespace {

std::string g_result;

}  // namespace

extern "C" {

const char* qlx_call(const char* args_json) {
    nlohmann::json args = nlohmann::json::parse(args_json ? args_json : "", nullptr, false);
    std::vector<std::string> words;
    if (args.is_array())
        for (const auto& a : args)
            if (a.is_string()) words.push_back(a.get<std::string>());
    std::vector<std::string_view> views(words.begin(), words.end());
    // The command's output, caught as the command line would print it.
    std::ostringstream out, err;
    std::streambuf* const old_out = std::cout.rdbuf(out.rdbuf());
    std::streambuf* const old_err = std::cerr.rdbuf(err.rdbuf());
    const int status = args.is_array() ? qlx::cli::Dispatch(views) : qlx::cli::kExitBadInput;
    std::cout.rdbuf(old_out);
    std::cerr.rdbuf(old_err);
    g_result = nlohmann::json{{"status", status}, {"out", out.str()}, {"err", err.str()}}.dump(
        -1, ' ', false, nlohmann::json::error_handler_t::replace);
    return g_result.c_str();
}

}  // extern "C"
