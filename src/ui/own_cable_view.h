// The "Cable of Your Own" window: its fields, the table of residuals, and a chart of the maker's
// (or the measured) points with the fitted curve through them.
#pragma once

#include "ui/dialogs.h"

class QChartView;

namespace qlx {
class OwnCableWindow;
}

namespace qlx::ui {

class OwnCableView : public ModelDialog {
public:
    OwnCableView(OwnCableWindow& model, QWidget* parent);

private:
    void Redraw();
    OwnCableWindow& m_;
    QChartView* chart_view_ = nullptr;
};

}  // namespace qlx::ui
