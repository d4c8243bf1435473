// qlx-cli cable: a cable of one's own, fitted from a maker's loss table or measured with an
// analyser (a sample open and shorted, or a stub's quarter-wave frequency).
#include <cmath>
#include <iostream>

#include "cli/common.h"
#include "core/cables.h"
#include "core/format.h"
#include "core/number_text.h"
#include "core/numbers.h"
#include "core/own_cable.h"
#include "sweep/cable_measure.h"

namespace qlx::cli {

namespace {

const char* const kCableUsage =
    "usage: qlx-cli cable fit --points \"MHZ:DB,...\" [--per 100ft|100m] --z0 R0 --vf VF [--vmax V]\n"
    "                         [--name NAME [--source TEXT] --save] [--json]\n"
    "       qlx-cli cable measure --open OPEN.s1p --short SHORT.s1p --length L [--meters] [--name NAME --save] [--json]\n"
    "       qlx-cli cable measure --length L [--meters] --quarter-wave MHZ [--json]";

// A name is the user's bytes: any that are not UTF-8 are replaced, never an abort.
std::string Dump(const json& j) { return j.dump(2, ' ', false, json::error_handler_t::replace); }

std::optional<double> Number(const Options& o, const char* name, Failure& failure) {
    const std::string* text = o.Value(name);
    double v = 0.0;
    if (!text || !ReadWholeNumber(*text, v).ok || !std::isfinite(v)) {
        failure = {std::string(name) + (text ? " " + *text + ": not a number" : " is needed")};
        return std::nullopt;
    }
    return v;
}

// X0 by the program's rule (Z0 = R0 (1 - j α/β)) at f MHz.
double RuleX0(const OwnCable& c, double f_mhz) {
    return SuggestedX0(c.r0, static_cast<float>(OwnLossPer100Ft(c, f_mhz)),
                       static_cast<float>(c.vf * kFreeSpaceWaveFtMHzDouble / f_mhz));
}

json CableJson(const OwnCable& c, double x0, double x0_at_mhz) {
    return {{"name", c.name}, {"r0", c.r0}, {"x0", x0}, {"x0_at_mhz", x0_at_mhz}, {"vf", c.vf}, {"vmax", c.vmax},
            {"k1", c.k1}, {"k2", c.k2}, {"source", c.source}};
}

void PrintCable(const OwnCable& c, double x0, double x0_at_mhz, const LossFit& fit) {
    std::cout << "Cable: " << c.name << "\n"
              << "R0 " << Format(c.r0, "0.00") << " ohms, X0 " << Format(x0, "0.00") << " ohms at "
              << ShortestText(x0_at_mhz) << " MHz, VF " << Format(c.vf, "0.000")
              << (c.vmax > 0.0 ? ", VMax " + Format(c.vmax, "0") + " V" : std::string()) << "\n"
              << "Loss, dB per 100 feet: " << GeneralDigits(c.k1, 6) << " x sqrt(MHz) + " << GeneralDigits(c.k2, 6)
              << " x MHz" << (fit.k2_held_at_zero ? "   (the second term came out negative: fitted again without it)" : "")
              << "\nWorst residual: " << Format(fit.worst_residual_db, "0.000") << " dB\n";
}

// --save: the cable kept in QLX cables.txt as the program keeps it, listed after the catalogue from
// then on. The exit status of output that could not be written when the file cannot be.
int Save(const Options& o, const OwnCable& c) {
    Session s;
    if (const auto problem = s.w.SaveOwnCable(c)) {
        std::cerr << "qlx-cli: " << *problem << "\n";
        return kExitDesignFailed;
    }
    if (!o.Has("--json")) std::cout << "Saved in " << kCablesFileName << " as \"" << c.name << "\"\n";
    return kExitOk;
}

// --save needs a name the cable list can show.
bool SaveAsked(const Options& o, Failure& failure) {
    if (!o.Has("--save")) return false;
    if (!o.Value("--name") || TrimBlanks(*o.Value("--name")).empty()) failure = {"--save needs --name NAME"};
    return true;
}

int Fit(const Args& args) {
    Failure failure;
    const auto o = ParseOptions(args, {"--points", "--per", "--z0", "--vf", "--vmax", "--name", "--source"},
                                {"--json", "--help", "--save"}, failure);
    if (o && o->Has("--help")) {
        std::cout << kCableUsage << "\n\nFits loss = k1 x sqrt(f) + k2 x f (dB per 100 feet, f in MHz) to a maker's table\n"
                     "by least squares, and shows each point's residual.\n";
        return kExitOk;
    }
    if (!o) return Fail(failure, kCableUsage);
    const bool save = SaveAsked(*o, failure);
    if (!failure.text.empty()) return Fail(failure, kCableUsage);
    const std::string per = o->Value("--per") ? *o->Value("--per") : "100ft";
    if (per != "100ft" && per != "100m") return Fail({"--per " + per + ": 100ft or 100m"}, kCableUsage);
    OwnCable c;
    const auto r0 = Number(*o, "--z0", failure);
    const auto vf = r0 ? Number(*o, "--vf", failure) : std::nullopt;
    if (!vf) return Fail(failure, kCableUsage);
    c.r0 = *r0;
    c.vf = *vf;
    if (o->Has("--vmax")) {
        const auto vmax = Number(*o, "--vmax", failure);
        if (!vmax) return Fail(failure, kCableUsage);
        c.vmax = *vmax;
    }
    if (!(c.r0 > 0.0) || !(c.vf > 0.0 && c.vf <= 1.0)) return Fail({"--z0 must be above 0 and --vf from above 0 to 1"}, kCableUsage);
    c.name = o->Value("--name") ? *o->Value("--name") : "My cable";
    c.source = o->Value("--source") ? *o->Value("--source") : "fitted to a table of loss per " + per;

    const std::string* list = o->Value("--points");
    if (!list) return Fail({"--points is needed"}, kCableUsage);
    auto parsed = ParseLossPoints(*list);
    if (!parsed)
        return Fail({"--points: \"" + *list + "\" is not MHZ:DB,... with MHz above 0 and losses of 0 or more"}, kCableUsage);
    std::vector<LossPoint> points = std::move(*parsed);
    if (per == "100m")
        for (LossPoint& p : points) p.db_per_100ft = Per100MToPer100Ft(p.db_per_100ft);
    const LossFit fit = FitLoss(points);
    if (fit.residual_db.empty()) return Fail({"--points: no point to fit"}, kCableUsage);
    c.k1 = fit.k1;
    c.k2 = fit.k2;
    c.points = points;
    c.worst_residual_db = fit.worst_residual_db;
    // X0 at the table's middle frequency.
    const double mid = points[points.size() / 2].f_mhz;
    const double x0 = RuleX0(c, mid);
    if (save && OwnCableProblem(c)) return Fail({"--save: " + *OwnCableProblem(c)}, kCableUsage);
    if (o->Has("--json")) {
        json pts = json::array();
        for (std::size_t k = 0; k < points.size(); ++k)
            pts.push_back({{"f_mhz", points[k].f_mhz}, {"db_per_100ft", points[k].db_per_100ft}, {"residual_db", fit.residual_db[k]}});
        std::cout << Dump(json{{"cable", CableJson(c, x0, mid)}, {"k2_held_at_zero", fit.k2_held_at_zero}, {"points", pts}}) << "\n";
        return save ? Save(*o, c) : kExitOk;
    }
    PrintCable(c, x0, mid, fit);
    std::cout << "MHz\tdB/100 ft\tfit\tresidual dB\tresidual %\n";
    for (std::size_t k = 0; k < points.size(); ++k) {
        const double y = points[k].db_per_100ft, r = fit.residual_db[k];
        std::cout << ShortestText(points[k].f_mhz) << "\t" << Format(y, "0.000") << "\t" << Format(y + r, "0.000") << "\t"
                  << Format(r, "0.000") << "\t" << (y > 0.0 ? Format(100.0 * r / y, "0.0") : std::string("-")) << "\n";
    }
    return save ? Save(*o, c) : kExitOk;
}

int Measure(const Args& args) {
    Failure failure;
    const auto o = ParseOptions(args, {"--open", "--short", "--length", "--quarter-wave", "--name"},
                                {"--meters", "--json", "--help", "--save"}, failure);
    if (o && o->Has("--help")) {
        std::cout << kCableUsage << "\n\nFrom a sample measured open and shorted: Z0, velocity factor and loss at each\n"
                     "frequency (points near a quarter-wave resonance shown, not fitted), then the fitted\n"
                     "loss, the median velocity factor and Z0 at the band's centre. With --quarter-wave: a\n"
                     "stub's velocity factor from the frequency at which it is a quarter wave long.\n";
        return kExitOk;
    }
    if (!o) return Fail(failure, kCableUsage);
    const bool save = SaveAsked(*o, failure);
    if (!failure.text.empty()) return Fail(failure, kCableUsage);
    if (save && o->Has("--quarter-wave")) return Fail({"--save keeps a measured cable: --open and --short"}, kCableUsage);
    const auto length = Number(*o, "--length", failure);
    if (!length) return Fail(failure, kCableUsage);
    const bool meters = o->Has("--meters");
    const double length_m = meters ? *length : *length / kFeetPerMeterDouble;
    if (!(length_m > 0.0)) return Fail({"--length must be above 0"}, kCableUsage);

    if (o->Has("--quarter-wave")) {
        const auto f = Number(*o, "--quarter-wave", failure);
        if (!f || !(*f > 0.0)) return Fail(f ? Failure{"--quarter-wave must be above 0"} : failure, kCableUsage);
        const sweep::StubReading s = sweep::StubFromQuarterWave(length_m, *f);
        const double shown = meters ? s.electrical_m : s.electrical_m * kFeetPerMeterDouble;
        if (o->Has("--json")) {
            std::cout << Dump(json{{"electrical_length", shown}, {"unit", meters ? "m" : "ft"}, {"vf", s.vf}}) << "\n";
        } else {
            std::cout << "Electrical length: " << Format(shown, "0.0000") << (meters ? " m" : " ft") << "\nVelocity factor: "
                      << Format(s.vf, "0.000") << "\n";
        }
        return kExitOk;
    }
    const std::string* open_file = o->Value("--open");
    const std::string* short_file = o->Value("--short");
    if (!open_file || !short_file) return Fail({"--open and --short are needed (or --quarter-wave)"}, kCableUsage);
    sweep::OnePort ports[2];
    for (int k = 0; k < 2; ++k) {
        const std::string& file = *(k == 0 ? open_file : short_file);
        auto data = sweep::LoadTouchstone(file);
        if (const auto* e = std::get_if<sweep::TouchstoneError>(&data))
            return Fail({sweep::ErrorText(sweep::ShownName(file), *e), false}, kCableUsage);
        ports[k] = std::move(std::get<sweep::OnePort>(data));
    }
    std::string error;
    const auto m = sweep::MeasureCable(ports[0], ports[1], length_m * kFeetPerMeterDouble, error);
    if (!m) return Fail({error, false}, kCableUsage);
    OwnCable c = sweep::MeasuredCable(*m);
    c.name = o->Value("--name") ? *o->Value("--name") : "My cable";
    c.source = sweep::MeasuredSource(*open_file, *short_file, *length, meters);
    if (save && OwnCableProblem(c)) return Fail({"--save: " + *OwnCableProblem(c), false}, kCableUsage);
    if (o->Has("--json")) {
        json pts = json::array();
        std::size_t used = 0;
        for (const sweep::MeasuredPoint& p : m->points) {
            json j{{"f_mhz", p.f_mhz}, {"r0", p.z0.real()}, {"x0", p.z0.imag()}, {"vf", p.vf},
                   {"db_per_100ft", p.db_per_100ft}, {"used", p.used}};
            if (p.used) j["residual_db"] = m->fit.residual_db[used++];
            pts.push_back(std::move(j));
        }
        std::cout << Dump(json{{"cable", CableJson(c, m->z0_centre.imag(), m->centre_mhz)}, {"k2_held_at_zero", m->fit.k2_held_at_zero},
                          {"points", pts}}) << "\n";
        return save ? Save(*o, c) : kExitOk;
    }
    PrintCable(c, m->z0_centre.imag(), m->centre_mhz, m->fit);
    std::cout << "MHz\tR0\tX0\tVF\tdB/100 ft\n";
    for (const sweep::MeasuredPoint& p : m->points)
        std::cout << ShortestText(p.f_mhz) << "\t" << Format(p.z0.real(), "0.00") << "\t" << Format(p.z0.imag(), "0.00") << "\t"
                  << Format(p.vf, "0.000") << "\t" << Format(p.db_per_100ft, "0.000")
                  << (p.used ? "" : "\t(near a quarter wave: not fitted)") << "\n";
    return save ? Save(*o, c) : kExitOk;
}

}  // namespace

int Cable(const Args& args) {
    if (!args.empty() && args[0] == "fit") return Fit(Args(args.begin() + 1, args.end()));
    if (!args.empty() && args[0] == "measure") return Measure(Args(args.begin() + 1, args.end()));
    if (!args.empty() && args[0] == "--help") {
        std::cout << kCableUsage << "\n";
        return kExitOk;
    }
    return Fail({"cable: fit or measure"}, kCableUsage);
}

}  // namespace qlx::cli
