// qlx-cli: the line calculator without windows, for scripts and for checking results.
// Each command types its options into the same window logic a user drives, in a fixed order,
// and prints the fields the windows would show.
#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/common.h"

using namespace qlx::cli;

int main(int argc, char** argv) {
    int status = kExitBadInput;
    try {
        status = Dispatch(std::vector<std::string_view>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "qlx-cli: " << e.what() << "\n";
        return kExitBadInput;
    }
    // A result that could not be written (a full disk, a closed pipe) is not a result.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "qlx-cli: the output could not be written\n";
        return kExitDesignFailed;
    }
    return status;
}
