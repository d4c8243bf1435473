#include "cli/common.h"

#include <iostream>

namespace qlx::cli {

int Line(const std::vector<std::string_view>& args) {
    const std::string usage = std::string("usage: qlx-cli line [LINE-OPTIONS] [--json]");
    Failure failure;
    const auto o = ParseOptions(args, LineOptionsAnd({}), {"--meters", "--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nSolves a line as the main window does.\n\n" << kLineOptionsHelp
                  << "\n  --json                   one JSON object: \"fields\", \"values\", \"messages\"\n";
        return kExitOk;
    }
    if (!o || !CheckLineOptions(*o, failure)) return Fail(failure, usage.c_str());
    Session s;
    if (!ApplyLine(s, *o, failure)) return Fail(failure, usage.c_str());
    return Print(s, LineFields(s.w), LineValues(s.w), o->Has("--json"));
}

}  // namespace qlx::cli
