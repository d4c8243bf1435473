#include "cli/common.h"

#include <iostream>

namespace qlx::cli {

int Graph(const std::vector<std::string_view>& args) {
    const char* usage = "usage: qlx-cli graph [LINE-OPTIONS] [--power W] [--kind vi|rx] [--csv | --json]";
    Failure failure;
    const auto o = qlx::cli::ParseOptions(
        args, LineOptionsAnd({"--power", "--kind"}),
        {"--meters", "--json", "--csv", "--help"}, failure);
    if (o && o->Has("--help")) {
        std::cout << usage << "\n\nVoltage and current, or resistance and reactance, at 201 points from the\n"
                     "transmitter to the load, as \"&Graph\" draws them.\n\n" << kLineOptionsHelp << "\n"
                     "  --power W                transmitter power (the tuner window's, default 1500)\n"
                     "  --kind vi|rx             voltage and current (default), or resistance and reactance\n"
                     "  --csv                    the points: pos,V,I,R,X, transmitter end first\n"
                     "  --json                   \"fields\", \"values\", \"points\" and \"messages\"\n";
        return kExitOk;
    }
    if (!o || !CheckLineOptions(*o, failure) || !qlx::cli::CheckNumbers(*o, {"--power"}, failure))
        return Fail(failure, usage);
    const std::string* kind = o->Value("--kind");
    if (kind && *kind != "vi" && *kind != "rx") return Fail({"--kind takes vi or rx, not \"" + *kind + "\""}, usage);
    if (o->Has("--csv") && o->Has("--json")) return Fail({"--csv and --json exclude each other"}, usage);

    Session s;
    if (!ApplyLine(s, *o, failure)) return Fail(failure, usage);
    if (const std::string* p = o->Value("--power")) Type(s.w.frmTuner.txtTxPwr, *p);
    if (!CheckPower(*o, s.w.frmTuner, failure)) return Fail(failure, usage);
    if (kind && *kind == "rx") s.w.optResisReac.Select();
    s.w.cmdGraph.Click();

    const qlx::GraphResult& g = s.w.graph();
    if (o->Has("--csv")) {
        std::cout << qlx::GraphCsv(g);
        return kExitOk;
    }
    const qlx::GraphWindow& win = s.w.frmVolt;
    FieldList fields{{"caption", win.window.caption()}};
    for (const auto* t : {&win.txtCableType, &win.txtZLoad, &win.txtFreq, &win.txtTotalLoss, &win.txtPower,
                          &win.txtMaxV, &win.txtMaxI})
        fields.emplace_back(t->name(), t->text());
    fields.emplace_back("bottomAxisTitle", win.chart().bottom_title);
    fields.emplace_back("leftAxisTitle", win.chart().left_title);
    fields.emplace_back("rightAxisTitle", win.chart().right_title);
    json points = json::array();
    if (o->Has("--json"))
        for (std::size_t k = 0; k < qlx::kGraphPoints; ++k)
            points.push_back({{"pos", g.pos[k]}, {"V", g.v[k]}, {"I", g.i[k]}, {"R", g.r[k]}, {"X", g.x[k]}});
    return Print(s, fields, {{"PwrIn", g.pwr_in}, {"BLen", g.blen}, {"MaxV", g.max_v}, {"MaxI", g.max_i}},
                 o->Has("--json"), json{{"points", points}});
}

}  // namespace qlx::cli
