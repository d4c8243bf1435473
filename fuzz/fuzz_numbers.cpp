// The number entry rules and picture formatting: any typed text, any picture.
#include <cmath>
#include <cstdint>
#include <string>

#include "core/format.h"
#include "core/numbers.h"
#include "invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The text up to the first NUL is typed; what follows is a picture.
    const std::size_t split = input.find('\0');
    const std::string typed = input.substr(0, split);
    // Pictures are the program's own: digits, marks and blanks, never letters that could spell
    // "inf" by themselves.
    std::string picture = split == std::string::npos ? "###0.00" : input.substr(split + 1, 40);
    for (char& c : picture) c = "#0., %"[static_cast<unsigned char>(c) % 6];

    const double parsed = qlx::ParseNumber(typed);
    const double leading = qlx::LeadingNumber(typed);
    qlx::fuzz::Require(std::isfinite(parsed), "ParseNumber is finite", typed);
    qlx::fuzz::Require(std::isfinite(leading), "LeadingNumber is finite", typed);
    for (const char mark : {'.', ','}) {
        qlx::fuzz::RequireNumberText(qlx::Format(parsed, picture, mark), "Format");
        qlx::fuzz::RequireNumberText(qlx::ShortestText(parsed, mark), "ShortestText");
        if (std::fabs(parsed) <= 3.4e38)
            qlx::fuzz::RequireNumberText(qlx::ShortestText(static_cast<float>(parsed), mark), "ShortestText float");
    }
    qlx::fuzz::RequireNumberText(qlx::NumberText(parsed), "NumberText");
    // What ShortestText writes (15 significant digits), ParseNumber reads back to that precision.
    const std::string shortest = qlx::ShortestText(parsed);
    const double back = qlx::ParseNumber(shortest);
    qlx::fuzz::Require(std::fabs(back - parsed) <= 1e-14 * std::fabs(parsed) || std::fabs(parsed) < 1e-300,
                       "round trip", shortest);
    return 0;
}
