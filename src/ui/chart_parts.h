// What the Qt Charts of every window share: round scales on the value axes, the charts' font,
// and the tip that marks a data point and writes its value beside it.
#pragma once

#include <QFont>
#include <QObject>
#include <QList>
#include <QPointF>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "graphs/graph_window.h"

class QAbstractSeries;
class QChart;
class QGraphicsEllipseItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QValueAxis;
class QWidget;

namespace qlx::ui {

// Puts a chosen scale on an axis: ticks at round values counted from 0, labels with the decimals
// that tell them apart.
void ApplyScale(QValueAxis* axis, const AxisScale& a);
// A value axis whose ticks QLX labels itself (see ApplyScale): every chart's axes are these.
QValueAxis* MakeLabelledAxis();
// A vertical axis fitted to the points' values (from 0 when they stay positive near it).
void FitAxis(QValueAxis* axis, const std::vector<std::pair<double, double>>& points, bool include_zero = true);

// A labelled value axis under a title, in the charts' fonts.
QValueAxis* TitledAxis(const QString& title);
// Data as the points a series takes.
QList<QPointF> ToPoints(const std::vector<std::pair<double, double>>& data);

// Arial at a size in pixels: the charts keep their proportions whatever the screen's dots per inch.
QFont ChartFont(int pixels, bool bold = false);

// The tip over a chart: a dot on the data point nearest the pointer and its value beside it, in
// bold at `pixels`. Its two items belong to the chart and are only moved, shown and hidden, never
// made or deleted while it works: a series' hover handler runs while the scene is still
// delivering the hover to the items under the pointer, and an item deleted there is one the
// scene goes on to use. Neither item takes the pointer, so the curve beneath keeps its hover.
class ChartTip {
public:
    ChartTip(QChart* chart, int pixels, double marker_size);
    ~ChartTip();
    ChartTip(const ChartTip&) = delete;
    ChartTip& operator=(const ChartTip&) = delete;

    // Marks `point` (in the axes of `series`) and writes `text` beside it, inside the plot area.
    void Show(QAbstractSeries* series, QPointF point, const std::string& text);
    void Hide();
    bool visible() const;
    const std::string& text() const { return text_; }
    QPointF point() const { return point_; }
    // Where the dot stands in the chart: on the point's place in the plot as it is now.
    QPointF dot_position() const;

private:
    void Place();

    QChart* chart_;
    QGraphicsSimpleTextItem* label_;
    QGraphicsRectItem* back_;  // a tip's own face, so that it reads over the curves and grid
    QGraphicsEllipseItem* dot_;
    QAbstractSeries* series_ = nullptr;
    QPointF point_;
    std::string text_;
    QMetaObject::Connection follow_;
};

// Hides every chart tip and Smith chart tip in the widget, before its picture is taken: a tip
// is where the pointer happened to rest, not part of what is exported.
void HideTips(QWidget* widget);

}  // namespace qlx::ui
