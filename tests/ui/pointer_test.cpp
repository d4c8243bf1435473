// The pointer may go anywhere: moved a pixel or two at a time across and off every curve of the
// graph window (both kinds), of each sweep plot and of the Smith chart, the windows answer and
// each tip shows on a curve and hides off it.
#include <gtest/gtest.h>

#include <QAbstractSeries>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QGraphicsItem>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>

#include "mainwin/main_window.h"
#include "support/scripted_host.h"
#include "support/started_window.h"
#include "ui/export.h"
#include "ui/graph_view.h"
#include "ui/main_window_view.h"
#include "ui/plan_view.h"
#include "ui/smith_chart.h"
#include "ui/sweep_view.h"

namespace qlx {
namespace {

QPoint OnViewport(QChartView* view, QAbstractSeries* series, QPointF data) {
    QChart* chart = view->chart();
    return view->mapFromScene(chart->mapToScene(chart->mapToPosition(data, series)));
}

// Crosses each curve vertically, a pixel or two at a time, at several of its points, and leaves
// the plot after each crossing. `tip_visible` tells whether the chart's tip shows.
void CrossEveryCurve(QChartView* view, const std::vector<QLineSeries*>& curves,
                     const std::function<bool()>& tip_visible, const char* what) {
    QWidget* port = view->viewport();
    // The pointer reaches the first window that holds it on the virtual display, whatever lies
    // above: only the window under test is shown.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != view->window()) w->hide();
    for (QLineSeries* s : curves) {
        ASSERT_TRUE(s->isVisible()) << what << " " << s->name().toStdString();
        const QList<QPointF> points = s->points();
        ASSERT_FALSE(points.isEmpty()) << what;
        bool shown = false;
        const qsizetype step = std::max<qsizetype>(1, points.size() / 5);
        for (qsizetype k = points.size() / 10; k < points.size(); k += step) {
            const QPoint at = OnViewport(view, s, points[k]);
            for (int dy = -24; dy <= 24; dy += (k % 2 ? 1 : 2)) {
                QTest::mouseMove(port, at + QPoint(0, dy));
                shown = shown || tip_visible();
            }
            // Off the curve, outside the plot: the tip goes.
            QTest::mouseMove(port, QPoint(2, 2));
            EXPECT_FALSE(tip_visible()) << what << " " << s->name().toStdString() << " point " << k;
        }
        EXPECT_TRUE(shown) << what << ": no tip on " << s->name().toStdString();
    }
    EXPECT_TRUE(view->isVisible()) << what;
}

class PointerTest : public ::testing::Test {
protected:
    PointerTest() : model(host, store), view(model), graph(model.frmVolt), sweep(model.frmSweep), plan(model.frmPlan) {
        model.Load();
        view.show();
        // RG-213 at 14 MHz, 100 feet, 200 - j100 ohms: curves that rise and fall along the line.
        testing::TypeExampleLine(model);
    }
    testing::ScriptedHost host;
    MemoryDefaultsStore store;
    MainWindow model;
    ui::MainWindowView view;
    ui::GraphView graph;
    ui::SweepView sweep;
    ui::PlanView plan;
};

TEST_F(PointerTest, GraphCurvesOfBothKindsTakeThePointerAcrossAndOff) {
    for (const char* kind : {"optVoltCurr", "optResisReac"}) {
        QTest::mouseClick(view.findChild<QRadioButton*>(kind), Qt::LeftButton);
        QTest::mouseClick(view.findChild<QPushButton*>("cmdGraph"), Qt::LeftButton);
        graph.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
        CrossEveryCurve(graph.chart_view(), {graph.series0(), graph.series1()},
                        [this] { return graph.tip_visible(); }, kind);
    }
}

TEST_F(PointerTest, TheTipFollowsItsPointWhenTheWindowIsResized) {
    model.cmdGraph.Click();
    graph.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
    emit graph.series0()->hovered(QPointF(50.0, 0.0), true);
    ASSERT_TRUE(graph.tip_visible());
    for (const QSize size : {QSize(900, 700), QSize(600, 450)}) {
        graph.resize(size);
        QTest::qWait(20);
        // The dot stands where the chart now draws the marked point.
        const QPointF expected = graph.chart_view()->chart()->mapToPosition(graph.tip_point(), graph.series0());
        EXPECT_NEAR(graph.tip().dot_position().x(), expected.x(), 0.5) << size.width();
        EXPECT_NEAR(graph.tip().dot_position().y(), expected.y(), 0.5) << size.width();
    }
    // A picture of the window is of the chart, not of where the pointer rested.
    QTemporaryDir dir;
    ASSERT_TRUE(ui::SaveImage(&graph, dir.filePath("graph.png")));
    EXPECT_FALSE(graph.tip_visible());
}

TEST_F(PointerTest, SweepPlotsAndSmithChartTakeThePointerAcrossAndOff) {
    // A tuner drawn first: the SWR plot has its third curve, the SWR at the transmitter.
    model.frmTuner.optLNet2.Select();
    model.frmTuner.cmdDrawTuner.Click();
    QTest::mouseClick(view.findChild<QPushButton*>("cmdSweep"), Qt::LeftButton);
    sweep.show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !model.frmSweep.running(); }, 5000));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sweep));
    view.hide();
    for (std::size_t k = 0; k < 3; ++k) {
        ui::SweepView::Plot& p = sweep.plot(k);
        CrossEveryCurve(p.view, p.series, [&p] { return p.tip->visible(); }, "sweep plot");
    }
    // The Smith chart: across the load's trace and out of the widget.
    ui::SmithChart* smith = sweep.smith();
    const auto& pts = model.frmSweep.points();
    ASSERT_FALSE(pts.empty());
    bool shown = false;
    for (std::size_t k = 0; k < pts.size(); k += pts.size() / 5) {
        const QPoint at = smith->PointOf({pts[k].r_given, pts[k].x_given}).toPoint();
        for (int dy = -20; dy <= 20; ++dy) {
            QTest::mouseMove(smith, at + QPoint(0, dy));
            shown = shown || !smith->tip_text().empty();
        }
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(smith, &leave);
        EXPECT_TRUE(smith->tip_text().empty());
    }
    EXPECT_TRUE(shown);
    EXPECT_TRUE(sweep.isVisible());
    // Exported, the window shows no tip, on the Smith chart or on a plot.
    smith->ShowTipAt(smith->PointOf({pts[0].r_given, pts[0].x_given}));
    sweep.ShowPlotTip(0, 0, pts[0].f_mhz);
    ASSERT_FALSE(smith->tip_text().empty());
    ASSERT_TRUE(sweep.plot(0).tip->visible());
    QTemporaryDir dir;
    ASSERT_TRUE(ui::SaveImage(&sweep, dir.filePath("sweep.svg")));
    EXPECT_TRUE(smith->tip_text().empty());
    EXPECT_FALSE(sweep.plot(0).tip->visible());
}

TEST_F(PointerTest, PlanChartsTakeThePointerAcrossAndOff) {
    model.frmTuner.cmdPlan.Click();
    model.frmPlan.txtLengths.SetText("50:150:2");
    model.frmPlan.cmdScan.Click();
    plan.show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !model.frmPlan.scanning(); }, 10000));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plan));
    view.hide();
    for (ui::PlanView::Chart* c : {&plan.loss_chart(), &plan.length_chart()}) {
        ASSERT_FALSE(c->series.empty());
        CrossEveryCurve(c->view, c->series, [c] { return c->tip->visible(); }, "plan chart");
    }
    // The tip is the model's text for the point under the pointer.
    plan.ShowTip(plan.length_chart(), 0, 50.0);
    EXPECT_EQ(plan.length_chart().tip->text().substr(0, 10), "50.0 ft   ") << plan.length_chart().tip->text();
}

// A screen reader finds a name on every control of every window: the Qt accessibility tree of the
// offscreen platform, as an assistive technology reads it.
TEST_F(PointerTest, EveryControlOfEveryWindowHasAnAccessibleName) {
    model.cmdGraph.Click();
    graph.show();
    model.cmdSweep.Click();
    sweep.show();
    model.frmPlan.Open();
    plan.show();
    for (QWidget* window : std::initializer_list<QWidget*>{&view, &graph, &sweep, &plan}) {
        ASSERT_TRUE(window->isVisible());
        int checked = 0;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible() || !(qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w)))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty()) << window->objectName().toStdString() << " " << w->objectName().toStdString();
            ++checked;
        }
        EXPECT_GT(checked, 3) << window->objectName().toStdString();
    }
    // A field named by its label: the frequency by "Frequency:".
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(view.findChild<QLineEdit*>("txtFreq"))->text(QAccessible::Name).startsWith("Freq"));
}

}  // namespace
}  // namespace qlx
