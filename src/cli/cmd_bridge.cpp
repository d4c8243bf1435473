#include "cli/common.h"

#include <iostream>

namespace qlx::cli {

int Bridge(const std::vector<std::string_view>& args) {
    const char* usage = "usage: qlx-cli bridge --freq MHZ --rp OHMS --cp PF [--extender OHMS] [--json]";
    Failure failure;
    const auto o = qlx::cli::ParseOptions(args, {"--freq", "--rp", "--cp", "--extender"},
                                          {"--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nTurns the shunt resistance and capacitance read on a parallel-form noise\n"
                     "bridge (a negative capacitance for an inductive reading), less a series extender\n"
                     "resistor, into the series impedance at the line input, and solves the line from it.\n";
        return kExitOk;
    }
    if (!o) return Fail(failure, usage);
    for (const char* required : {"--freq", "--rp", "--cp"})
        if (!o->Has(required)) return Fail({std::string(required) + " is needed"}, usage);
    if (!qlx::cli::CheckNumbers(*o, {"--freq", "--rp", "--cp", "--extender"}, failure)) return Fail(failure, usage);

    Session s;
    if (!ApplyLine(s, *o, failure)) return Fail(failure, usage);
    qlx::NoiseBridgeDialog& nb = s.w.frmNB;
    s.host.on_modal = [&](qlx::form::Window&) {
        nb.txtResist.SetText(*o->Value("--rp"));
        nb.txtReact.SetText(*o->Value("--cp"));
        if (const std::string* ext = o->Value("--extender")) nb.txtExtender.SetText(*ext);
        // OK only for readings that gave an impedance without a complaint ("Extender Too Big!"
        // would be shown again by OK, and the impedance would not be the reading's).
        if (!nb.txtCompZ.text().empty() && s.host.messages.empty()) nb.cmdOK.Click();
        else nb.cmdCancel.Click();
    };
    s.w.optNoiseBridge.Select();
    if (nb.txtCompZ.text().empty() && s.host.messages.empty())
        return Fail({"no impedance: the shunt resistance must be above 0 and below 1E+30 ohms", false}, usage);
    // "Extender Too Big!" (a negative resistance): the window would go on with the resistance's
    // sign dropped, which is not the reading's impedance.
    if (!s.host.messages.empty()) {
        const std::string* ext = o->Value("--extender");
        return Fail({"--extender " + (ext ? *ext : std::string("0")) +
                         ": larger than the series resistance of the reading; no impedance",
                     false},
                    usage);
    }

    FieldList fields;
    using Fields = std::initializer_list<const form::TextField*>;
    for (const form::TextField* t : Fields{&nb.txtResist, &nb.txtReact, &nb.txtExtender, &nb.txtCompZ})
        fields.emplace_back(t->name(), t->text());
    for (auto& f : LineFields(s.w)) fields.push_back(std::move(f));
    json values = LineValues(s.w);
    json all{{"RaNB", nb.RaNB}, {"XaNB", nb.XaNB}};
    all.update(values);
    return Print(s, fields, all, o->Has("--json"));
}

}  // namespace qlx::cli
