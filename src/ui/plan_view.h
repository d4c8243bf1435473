// frmPlan on the screen: the plan's entries in three rows, the table of designs beside the two
// charts, what each network needs and the recommendation below, and the progress of a length scan.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "ui/chart_parts.h"
#include "ui/stepped_run.h"

class QChart;
class QChartView;
class QLineSeries;
class QProgressBar;
class QTableWidget;
class QAbstractAxis;
class QValueAxis;
class QVBoxLayout;

namespace qlx::plan {
class PlanWindow;
struct PlanChart;
}

namespace qlx::ui {

class PlanView : public QWidget {
public:
    explicit PlanView(plan::PlanWindow& model, QWidget* parent = nullptr);

    // A chart: its series, the tips of their points, and the tip shown.
    struct Chart {
        QChart* chart = nullptr;
        QChartView* view = nullptr;
        QAbstractAxis* x = nullptr;
        QValueAxis* y = nullptr;
        std::vector<QLineSeries*> series;
        std::vector<std::vector<std::pair<double, double>>> data;
        std::vector<std::vector<std::string>> tips;
        std::unique_ptr<ChartTip> tip;
    };
    QTableWidget* table() const { return table_; }
    Chart& loss_chart() { return charts_[0]; }
    Chart& length_chart() { return charts_[1]; }
    QProgressBar* progress_bar() const { return run_->bar(); }
    // How long a scan works before its progress shows (a tenth of a second; tests set less).
    void SetQuietTime(qint64 ms) { run_->SetQuietTime(ms); }
    // The tip of a chart's curve at its point nearest to x, as the pointer shows it.
    void ShowTip(Chart& chart, std::size_t curve, double x);

private:
    void AddControls(QVBoxLayout* root);
    QWidget* MakeCharts(QWidget* parent);
    void MakeChart(Chart& c, bool log_x, QWidget* parent);
    void AddExports(QWidget* exports);
    void WireModel();
    void Reload();
    void FillTable();
    void FillChart(Chart& c, const plan::PlanChart& shape);

    plan::PlanWindow& model_;
    QTableWidget* table_;
    Chart charts_[2];
    SteppedRun* run_;
};

}  // namespace qlx::ui
