#include "tuner/compare_window.h"

namespace qlx::tuner {

CompareWindow::CompareWindow() {
    txtSummary.SetFore(form::kBlue);
    for (std::size_t k = 0; k < kRows; ++k) {
        cmdRow[k].SetVisible(false);
        lblRow[k].SetVisible(false);
        cmdRow[k].SetToolTip("Draw this network's page");
        cmdRow[k].on_click = [this, k] {
            if (on_row) on_row(k);
        };
    }
    cmdClose.SetCaption("&Close");
    cmdClose.on_click = [this] { window.SetVisible(false); };
}

}  // namespace qlx::tuner
