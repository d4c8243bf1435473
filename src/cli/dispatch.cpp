#include <iostream>

#include "cli/common.h"

namespace qlx::cli {

int Dispatch(std::vector<std::string_view> args) {
    if (args.empty()) {
        std::cerr << kUsage << "\n";
        return kExitBadInput;
    }
    if (args[0] == "--help") {
        std::cout << kUsage << "\n\n" << kLineOptionsHelp << "\n";
        return kExitOk;
    }
    const std::string_view command = args[0];
    args.erase(args.begin());
    if (command == "cables") return Cables(args);
    if (command == "cable") return Cable(args);
    if (command == "line") return Line(args);
    if (command == "graph") return Graph(args);
    if (command == "bridge") return Bridge(args);
    if (command == "analyser") return Analyser(args);
    if (command == "tuner") return Tuner(args);
    if (command == "sweep") return Sweep(args);
    if (command == "plan") return Plan(args);
    std::cerr << "qlx-cli: unknown command " << command << "\n" << kUsage << "\n";
    return kExitBadInput;
}

}  // namespace qlx::cli
