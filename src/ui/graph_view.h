// frmVolt on the screen: the chart of the two curves along the line, its texts and buttons.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "ui/chart_parts.h"

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
class QGroupBox;

namespace qlx {
class GraphWindow;
}

namespace qlx::ui {

class GraphView : public QWidget {
public:
    explicit GraphView(GraphWindow& model, QWidget* parent = nullptr);

    QChartView* chart_view() const { return view_; }
    QLineSeries* series0() const { return series0_; }
    QLineSeries* series1() const { return series1_; }
    QValueAxis* bottom_axis() const { return bottom_; }
    QValueAxis* left_axis() const { return left_; }
    QValueAxis* right_axis() const { return right_; }
    // The tip at the nearest data point of a curve (series 0 or 1) and its text, as the pointer
    // resting on the curve shows it.
    void ShowTip(bool first, double x, double y);
    const std::string& tip_text() const { return tip_->text(); }
    bool tip_visible() const { return tip_->visible(); }
    const ChartTip& tip() const { return *tip_; }
    QPointF tip_point() const { return tip_->point(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The chart with its axes, curves and tip; the frames of texts, the buttons and readings.
    void MakeChart();
    void MakeFrames();
    void Reload();
    void Layout();

    GraphWindow& model_;
    QChartView* view_;
    QChart* chart_;
    QLineSeries* series0_;
    QLineSeries* series1_;
    std::unique_ptr<ChartTip> tip_;
    QValueAxis* bottom_;
    QValueAxis* left_;
    QValueAxis* right_;
    QGroupBox* frame1_;  // the buttons
    QGroupBox* frame2_;  // frequency and total loss
    QGroupBox* frame3_;  // cable and load
    QWidget* readings_;  // power and the largest voltage and current
};

}  // namespace qlx::ui
