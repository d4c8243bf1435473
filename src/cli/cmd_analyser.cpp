#include "cli/common.h"

#include <iostream>

namespace qlx::cli {

int Analyser(const std::vector<std::string_view>& args) {
    const char* usage = "usage: qlx-cli analyser --z OHMS --swr SWR [--sign positive|negative] [--json]";
    Failure failure;
    const auto o = qlx::cli::ParseOptions(args, {"--z", "--swr", "--sign"}, {"--json", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nTurns an analyser's |Z| and SWR against 50 ohms into R and X (with the sign\n"
                     "chosen, positive by default) at the line input, and solves the line from it.\n";
        return kExitOk;
    }
    if (!o) return Fail(failure, usage);
    for (const char* required : {"--z", "--swr"})
        if (!o->Has(required)) return Fail({std::string(required) + " is needed"}, usage);
    if (!qlx::cli::CheckNumbers(*o, {"--z", "--swr"}, failure)) return Fail(failure, usage);
    const std::string* sign = o->Value("--sign");
    if (sign && *sign != "positive" && *sign != "negative")
        return Fail({"--sign takes positive or negative, not \"" + *sign + "\""}, usage);

    Session s;
    qlx::AnalyserDialog& a = s.w.frmAutek;
    s.host.on_modal = [&](qlx::form::Window&) {
        if (sign && *sign == "negative") a.optNegative.Select();
        Type(a.txtAutekZ, *o->Value("--z"));
        Type(a.txtAutekSWR, *o->Value("--swr"));
        if (a.calculated()) a.cmdOK.Click();
        else a.cmdCancel.Click();
    };
    s.w.optAutek.Select();
    if (!a.calculated())
        return Fail({"no impedance: |Z| must be above 0 and the SWR must exceed the minimum for |Z|", false},
                    usage);

    FieldList fields;
    using Fields = std::initializer_list<const form::TextField*>;
    for (const form::TextField* t : Fields{&a.txtAutekZ, &a.txtAutekSWR, &a.txtMinSWR, &a.txtCalcZ})
        fields.emplace_back(t->name(), t->text());
    fields.emplace_back("fraSign", a.optNegative.selected() ? "Negative" : "Positive");
    for (auto& f : LineFields(s.w)) fields.push_back(std::move(f));
    json all{{"AutekR", a.AutekR}, {"AutekX", a.AutekX}};
    all.update(LineValues(s.w));
    return Print(s, fields, all, o->Has("--json"));
}

// The catalogue: every list entry, and with a frequency each row's matched loss per 100 feet,
// R0 and X0 there.

}  // namespace qlx::cli
