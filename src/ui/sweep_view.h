// frmSweep on the screen: the band and the impedance's source above, the Smith chart and the
// plots against frequency side by side, the result in a line and the progress of a long run.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/chart_parts.h"
#include "ui/stepped_run.h"

class QChart;
class QChartView;
class QLineSeries;
class QProgressBar;
class QPushButton;
class QScatterSeries;
class QValueAxis;
class QVBoxLayout;

namespace qlx::sweep {
class SweepWindow;
struct SweepPlot;
}

namespace qlx::ui {

class SmithChart;

class SweepView : public QWidget {
public:
    explicit SweepView(sweep::SweepWindow& model, QWidget* parent = nullptr);

    // One plot against frequency: its curves (the whole data, the chart draws them thinned),
    // the marker and text of its tip.
    struct Plot {
        QChart* chart = nullptr;
        QChartView* view = nullptr;
        QValueAxis* x = nullptr;
        QValueAxis* y = nullptr;
        std::vector<QLineSeries*> series;
        std::vector<std::vector<std::pair<double, double>>> data;
        const char* picture = "";
        std::unique_ptr<ChartTip> tip;
    };

    SmithChart* smith() const { return smith_; }
    Plot& plot(std::size_t k) { return plots_[k]; }
    QScatterSeries* lowest_swr_marker() const { return lowest_; }
    QProgressBar* progress_bar() const { return run_->bar(); }
    // How long a run works before its progress shows (a tenth of a second; tests set less).
    void SetQuietTime(qint64 ms) { run_->SetQuietTime(ms); }
    // The tip of a plot's curve at the point nearest to frequency f, as the pointer shows it.
    void ShowPlotTip(std::size_t plot, std::size_t curve, double f);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The window built in parts: the three rows of controls (returns the Export button), the
    // plots against frequency, one plot, the exports, and what the model asks of the view.
    QPushButton* AddControls(QVBoxLayout* root);
    QWidget* MakePlots(QWidget* parent);
    void MakePlot(std::size_t k, const sweep::SweepPlot& shape, QWidget* parent);
    void AddExports(QPushButton* exports);
    void WireModel();
    void Reload();

    sweep::SweepWindow& model_;
    SmithChart* smith_;
    std::array<Plot, 3> plots_;
    QScatterSeries* lowest_;
    SteppedRun* run_;
};

}  // namespace qlx::ui
