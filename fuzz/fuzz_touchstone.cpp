// The Touchstone reader: any file. Invariants: it answers with data or a refusal naming a line of
// the file; data are finite, at frequencies that increase; what the writer makes of the data reads
// back to the same frequencies.
#include <cmath>
#include <cstdint>
#include <string>
#include <variant>

#include "invariants.h"
#include "sweep/touchstone.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto r = qlx::sweep::ReadTouchstone(text);
    if (const auto* e = std::get_if<qlx::sweep::TouchstoneError>(&r)) {
        qlx::fuzz::Require(e->line >= 0 && !e->reason.empty(), "a refusal says where and why", e->reason);
        return 0;
    }
    const auto& p = std::get<qlx::sweep::OnePort>(r);
    qlx::fuzz::Require(!p.f_mhz.empty() && p.f_mhz.size() == p.z.size(), "data are whole");
    for (std::size_t k = 0; k < p.f_mhz.size(); ++k) {
        qlx::fuzz::Require(std::isfinite(p.f_mhz[k]) && p.f_mhz[k] > 0.0, "a frequency above 0");
        qlx::fuzz::Require(k == 0 || p.f_mhz[k] > p.f_mhz[k - 1], "frequencies increase");
        qlx::fuzz::Require(std::isfinite(p.z[k].real()) && std::isfinite(p.z[k].imag()), "a finite impedance");
    }
    const auto back = qlx::sweep::ReadTouchstone(qlx::sweep::WriteTouchstone(p.f_mhz, p.z, 50.0, "fuzz"));
    if (const auto* ok = std::get_if<qlx::sweep::OnePort>(&back))
        qlx::fuzz::Require(ok->f_mhz == p.f_mhz, "the writer's file reads back to the same frequencies");
    return 0;
}
