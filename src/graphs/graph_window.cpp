#include "graphs/graph_window.h"

namespace qlx {

GraphWindow::GraphWindow(form::Host& host) : host_(host) {
    lblMaxV.SetCaption("Max RMS Volt.");
    lblMaxI.SetCaption("Max RMS Curr.");
    cmdPrint.SetCaption("&Print");
    cmdPrint.SetToolTip("Print this window.");
    cmdBack.SetCaption("&Close");
    cmdBack.SetToolTip("Close and go back to main window.");
    cmdPrint.on_click = [this] { Print(); };
    cmdBack.on_click = [this] { window.SetVisible(false); };
}

void GraphWindow::Fill(const GraphResult& g, bool volt_curr) {
    txtPower.SetText(g.power);
    txtCableType.SetText(g.cable_type);
    txtFreq.SetText(g.freq);
    txtTotalLoss.SetText(g.total_loss);
    txtZLoad.SetText(g.z_load);
    txtMaxV.SetText(g.max_v_text);
    txtMaxI.SetText(g.max_i_text);
    window.SetCaption(g.caption);

    chart_.bottom_title = g.bottom_title;
    chart_.bottom_max = g.bottom_max;
    chart_.left_title = g.left_title;
    chart_.right_title = g.right_title;
    const auto& first = volt_curr ? g.v : g.r;
    const auto& second = volt_curr ? g.i : g.x;
    chart_.series0.clear();
    chart_.series1.clear();
    for (int k = 0; k < kGraphPoints; ++k) {
        const auto uk = static_cast<std::size_t>(k);
        chart_.series0.emplace_back(g.pos[uk], first[uk]);
        chart_.series1.emplace_back(g.pos[uk], second[uk]);
    }
    ++chart_.runs;
    if (on_chart_changed) on_chart_changed();
}

void GraphWindow::Print() {
    if (form::ConfirmPrint(host_)) form::PrintOrReport(host_, window);
}

GraphLayout GraphLayoutFor(double width, double height) {
    return {120.0, 600.0, width * 0.75248, height * 0.74397, width - 1900.0, 624.0, height - 960.0};
}

}  // namespace qlx
