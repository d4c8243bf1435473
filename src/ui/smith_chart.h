// The Smith chart, drawn by us: the unit circle of reflection with its labelled circles of
// constant resistance and reactance, the traces of a sweep, their first and last frequency, and a
// tip at the trace point nearest the pointer.
#pragma once

#include <QColor>
#include <QPolygonF>
#include <QString>
#include <QWidget>
#include <complex>
#include <functional>
#include <string>
#include <vector>

namespace qlx::ui {

class SmithChart : public QWidget {
public:
    struct Trace {
        std::vector<std::complex<double>> z;  // ohms, in frequency order
        QColor colour;
        QString name;
    };

    explicit SmithChart(QWidget* parent = nullptr);

    // What the chart writes: `first` and `last` label the ends of every trace; the key and the
    // reference stand in its corners.
    struct Texts {
        QString first, last, key, reference;
    };
    // New traces against a reference; `mark` (an index, or none) is the point to single out on
    // the first trace.
    void SetData(std::vector<Trace> traces, double zref, Texts texts, long mark = -1);
    // The tip's text for a point of a trace: its index and the trace's.
    std::function<std::string(std::size_t index, std::size_t trace)> tip;

    // Where an impedance stands on the widget, and the tip the pointer there shows.
    QPointF PointOf(std::complex<double> z) const;
    void ShowTipAt(QPointF at);
    void HideTip();
    const std::string& tip_text() const { return tip_text_; }

    QSize sizeHint() const override { return {460, 460}; }
    QSize minimumSizeHint() const override { return {260, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPointF ToWidget(std::complex<double> gamma) const;
    std::complex<double> ToGamma(QPointF p) const;
    void DrawGrid(QPainter& p) const;
    void Rebuild();

    std::vector<Trace> traces_;
    std::vector<QPolygonF> drawn_;  // each trace in widget points, cut to what shows
    double zref_ = 50.0;  // kReferenceOhms until the first sweep
    Texts texts_;
    long mark_ = -1;
    QPointF centre_;
    double radius_ = 1.0;
    bool tip_shown_ = false;
    QPointF tip_point_;
    std::string tip_text_;
};

}  // namespace qlx::ui
