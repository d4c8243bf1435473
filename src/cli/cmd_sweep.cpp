#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <variant>

#include "cli/common.h"
#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"
#include "sweep/sweep.h"
#include "sweep/touchstone.h"

namespace qlx::cli {

namespace {

const char* const kSweepUsage =
    "usage: qlx-cli sweep [LINE-OPTIONS] --from MHZ --to MHZ [--points N] [--log]\n"
    "                     [--touchstone FILE] [--ref OHMS] [--csv | --json | --s1p]";


}  // namespace

int Sweep(const Args& args) {
    Failure failure;
    const auto o = ParseOptions(args, LineOptionsAnd({"--from", "--to", "--points", "--touchstone", "--ref"}),
                                {"--meters", "--log", "--csv", "--json", "--s1p", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << kSweepUsage << "\n\nThe line solved across a band, as the main window solves it at each frequency.\n\n"
                  << kLineOptionsHelp << "\n"
                     "  --from MHZ, --to MHZ     the band, both included (optional with a file: its range)\n"
                     "  --points N               " << sweep::PointsRangeText() << " (default 201), --log for log spacing\n"
                     "  --touchstone FILE        the impedance from a one-port Touchstone file (1.1 or 2.0)\n"
                     "                           at its own frequencies, taken at the end --at names\n"
                     "  --ref OHMS               reference of the --s1p output (default 50)\n"
                     "  --csv (default)          f_mhz,r_given,x_given,r_other,x_other,swr_given,swr_other,\n"
                     "                           matched_loss_db,total_loss_db\n"
                     "  --json                   \"points\" with those names, and \"messages\"\n"
                     "  --s1p                    the impedance at the other end as a Touchstone 1.1 file\n";
        return kExitOk;
    }
    if (!o || !CheckLineOptions(*o, failure) || !CheckNumbers(*o, {"--from", "--to", "--points", "--ref"}, failure))
        return Fail(failure, kSweepUsage);
    if ((o->Has("--csv") + o->Has("--json") + o->Has("--s1p")) > 1)
        return Fail({"--csv, --json and --s1p exclude each other"}, kSweepUsage);
    const std::string* file = o->Value("--touchstone");
    const std::string* from = o->Value("--from");
    const std::string* to = o->Value("--to");
    if (!file && (!from || !to)) return Fail({"--from and --to are needed (or a --touchstone file)"}, kSweepUsage);
    // The band within the frequencies the window solves a line at; a file alone gives its points there.
    const double lo = from ? ParseNumber(*from) : kMinFreqMHz;
    const double hi = to ? ParseNumber(*to) : kMaxFreqMHz;
    if (!FrequencyAccepted(lo) || !FrequencyAccepted(hi))
        return Fail({"--from and --to: the window takes frequencies from 0.02 to 5000 MHz", false}, kSweepUsage);
    if (!(lo <= hi)) return Fail({"--from and --to: --from up to --to", false}, kSweepUsage);
    int points = 201;
    if (const std::string* p = o->Value("--points")) {
        const double n = ParseNumber(*p);
        if (!(n >= sweep::kMinPoints && n <= sweep::kMaxPoints) || n != std::floor(n))
            return Fail({"--points " + *p + ": " + sweep::PointsRangeText(), false}, kSweepUsage);
        points = static_cast<int>(n);
    }
    const double ref = o->Value("--ref") ? ParseNumber(*o->Value("--ref")) : kReferenceOhms;
    // A reference the file's "R" can carry and the reflections can be read back against: from a
    // milliohm to a megohm (1E-30 wrote a file that could not be read, 1E+30 one that read back
    // as -4.7E-31 ohms).
    if (!(ref >= 1e-3 && ref <= 1e6))
        return Fail({"--ref " + *o->Value("--ref") + ": a reference from 0.001 to 1000000 ohms", false}, kSweepUsage);

    Session s;
    if (!ApplyLine(s, *o, failure)) return Fail(failure, kSweepUsage);
    const sweep::SweepLine line = s.w.SweepMainLine().line;

    std::vector<double> f;
    std::vector<std::complex<double>> z;
    if (file) {
        // The window's loader: a regular file of at most 64 MiB, or "-" for standard input.
        const auto data = sweep::LoadTouchstone(*file);
        if (const auto* e = std::get_if<sweep::TouchstoneError>(&data))
            return Fail({sweep::ErrorText(sweep::ShownName(*file), *e), false}, kSweepUsage);
        const sweep::OnePort& all = std::get<sweep::OnePort>(data);
        if (const std::string warning = sweep::OvershootWarning(all); !warning.empty())
            s.host.ShowMessage(sweep::ShownName(*file) + ": " + warning, sweep::kTouchstoneTitle, form::Buttons::Ok);
        sweep::OnePort band = sweep::Within(all, lo, hi);
        f = std::move(band.f_mhz);
        z = std::move(band.z);
        if (f.empty())
            return Fail({sweep::ShownName(*file) + ": no point between " + ExactText(lo) + " and " + ExactText(hi) +
                             " MHz; its points lie from " + ExactText(all.f_mhz.front()) + " to " +
                             ExactText(all.f_mhz.back()) + " MHz",
                         false},
                        kSweepUsage);
    } else {
        f = sweep::Frequencies(lo, hi, points, o->Has("--log"));
        z.emplace_back(ParseNumber(s.w.txtResistance.text()), ParseNumber(s.w.txtReactance.text()));
    }
    std::vector<sweep::SweepPoint> result = sweep::Sweep(line, f, z);
    if (result.empty()) return Fail({"no line solution in this band", false}, kSweepUsage);
    if (o->Has("--s1p")) {
        std::cout << sweep::OtherEndTouchstone(result, ref, line.entries.at_load);
        return kExitOk;
    }
    if (o->Has("--json")) {
        json pts = json::array();
        for (const auto& p : result) {
            json j = json::object();
            const auto v = sweep::SweepRow(p);
            for (std::size_t k = 0; k < v.size(); ++k) j[sweep::kSweepColumns[k]] = v[k];
            pts.push_back(j);
        }
        json messages = json::array();
        for (const auto& m : s.host.messages) messages.push_back({{"title", m.title}, {"text", m.text}});
        std::cout << json{{"points", pts}, {"messages", messages}}.dump(2, ' ', false, json::error_handler_t::replace)
                  << "\n";
        return kExitOk;
    }
    std::cout << sweep::SweepCsv(result);
    return kExitOk;
}

}  // namespace qlx::cli
