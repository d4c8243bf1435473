// The sweep window on an offscreen display: opened from the main window's "S&weep", a Touchstone
// file dropped on it, the tips of the Smith chart and the plots, and a long run that leaves the
// window answering and shows its progress.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QValueAxis>
#include <string>

#include "mainwin/main_window.h"
#include "support/scripted_host.h"
#include "ui/export.h"
#include "ui/main_window_view.h"
#include "ui/smith_chart.h"
#include "ui/sweep_view.h"

namespace qlx {
namespace {

class SweepViewTest : public ::testing::Test {
protected:
    SweepViewTest() : model(host, store), view(model), sweep(model.frmSweep) {
        model.Load();
        view.show();
        // 30 m of RG-213 at 14.1 MHz: the line of the shipped measurement.
        model.optMeters.Select();
        model.cboPickCable.Choose(17);  // RG-213 (Belden 8267)
        model.txtFreq.SetText("14.1");
        model.txtLength.SetText("30");
    }
    void OpenFromMainWindow() {
        QTest::mouseClick(view.findChild<QPushButton*>("cmdSweep"), Qt::LeftButton);
        sweep.show();
        Finish();
    }
    // Lets the window's steps run to the end of the run.
    void Finish() { EXPECT_TRUE(QTest::qWaitFor([this] { return !model.frmSweep.running(); }, 5000)); }
    void Drop(const QString& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&sweep, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&sweep, &drop);
        Finish();
    }
    // With QLX_SCREENSHOT_DIR set, the window as shown is saved there for the documentation.
    void Snapshot(const char* name) {
        const QByteArray dir = qgetenv("QLX_SCREENSHOT_DIR");
        if (dir.isEmpty()) return;
        QTest::qWait(150);  // the charts lay out their axes first
        const QString base = QString::fromUtf8(dir) + "/" + name;
        sweep.grab().save(base + ".png");
        // The charts alone, large enough to read on a page of the manual.
        sweep.smith()->grab().save(base + "-smith.png");
        sweep.plot(0).view->parentWidget()->grab().save(base + "-plots.png");
    }

    testing::ScriptedHost host;
    MemoryDefaultsStore store;
    MainWindow model;
    ui::MainWindowView view;
    ui::SweepView sweep;
};

TEST_F(SweepViewTest, SweepOpensTheBandAroundTheMainWindowsFrequencyOnBothCharts) {
    model.txtResistance.SetText("200");  // a 4:1 mismatch at the load
    OpenFromMainWindow();
    EXPECT_EQ(sweep.windowTitle(), "QLX, Line Across a Band");
    EXPECT_EQ(sweep.findChild<QLineEdit*>("txtFrom")->text(), "12.69");
    EXPECT_EQ(sweep.findChild<QLineEdit*>("txtTo")->text(), "15.51");
    EXPECT_TRUE(sweep.findChild<QRadioButton*>("optAtLoad")->isChecked());
    // The band's entries are white, as entries are everywhere; the Export button fits its arrow.
    for (const char* name : {"txtFrom", "txtTo", "txtPoints"})
        EXPECT_EQ(sweep.findChild<QLineEdit*>(name)->palette().color(QPalette::Base), QColor(Qt::white)) << name;
    auto* exports = sweep.findChild<QPushButton*>("cmdExport");
    EXPECT_GE(exports->width(), exports->fontMetrics().horizontalAdvance("Export") + 24);
    for (std::size_t k = 0; k < 3; ++k) {
        const ui::SweepView::Plot& p = sweep.plot(k);
        // The SWR plot has a third curve for a tuner, hidden until one is drawn.
        ASSERT_EQ(p.series.size(), k == 0 ? 3u : 2u);
        if (k == 0) {
            EXPECT_FALSE(p.series[2]->isVisible());
        }
        EXPECT_EQ(p.series[0]->count(), 201);
        // The band fills the frequency axis; every value lies inside the value axis.
        EXPECT_NEAR(p.x->min(), 12.69, 1e-5);
        EXPECT_NEAR(p.x->max(), 15.51, 1e-5);
        for (QLineSeries* s : p.series)
            for (const QPointF& q : s->points()) {
                if (!s->isVisible()) break;
                EXPECT_GE(q.y(), p.y->min());
                EXPECT_LE(q.y(), p.y->max());
            }
    }
    // The marker stands on the lowest SWR at the load, about 4 on a line of about 50 ohms.
    ASSERT_EQ(sweep.lowest_swr_marker()->count(), 1);
    const double lowest = sweep.lowest_swr_marker()->at(0).y();
    EXPECT_NEAR(lowest, 4.0, 0.1);
    for (const QPointF& q : sweep.plot(0).series[0]->points()) EXPECT_GE(q.y(), lowest);

    // The pointer on the load's point of the chart (Gamma 150/250 = 0.6) reads it: SWR 1.6/0.4,
    // return loss -20 log10 0.6.
    ui::SmithChart* smith = sweep.smith();
    const QPointF at = smith->PointOf({200.0, 0.0});
    QMouseEvent move(QEvent::MouseMove, at, smith->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(smith, &move);
    EXPECT_NE(smith->tip_text().find("MHz, at the load\n200.0 + j 0.0 ohms\nSWR 4.00 against 50.0 ohms, return loss 4.44 dB"),
              std::string::npos)
        << smith->tip_text();
    // On the input's last point (its square), the band's last frequency at the input.
    const sweep::SweepPoint& last = model.frmSweep.points().back();
    smith->ShowTipAt(smith->PointOf({last.r_other, last.x_other}));
    EXPECT_EQ(smith->tip_text().substr(0, 24), "15.51 MHz, at the input\n") << smith->tip_text();
    // Far outside the chart: no tip.
    smith->ShowTipAt(QPointF(1, 1));
    EXPECT_TRUE(smith->tip_text().empty());

    // Enter in an entry sweeps what it holds.
    auto* points = sweep.findChild<QLineEdit*>("txtPoints");
    points->selectAll();
    QTest::keyClicks(points, "11");
    QTest::keyClick(points, Qt::Key_Return);
    Finish();
    EXPECT_EQ(sweep.plot(2).series[1]->count(), 11);
}

TEST_F(SweepViewTest, EscapeIsTheSweepsClose) {
    OpenFromMainWindow();
    ASSERT_TRUE(model.frmSweep.window.visible());
    QTest::keyClick(sweep.findChild<QLineEdit*>("txtFrom"), Qt::Key_Escape);  // from an entry
    EXPECT_FALSE(model.frmSweep.window.visible());
    EXPECT_FALSE(sweep.isVisible());
}

TEST_F(SweepViewTest, ADroppedTouchstoneFileShowsTheAntennaBeyondTheLine) {
    OpenFromMainWindow();
    Drop(QString(QLX_SOURCE_DIR) + "/data/dipole-through-30m-rg213.s1p");
    EXPECT_TRUE(sweep.findChild<QRadioButton*>("optFile")->isChecked());
    EXPECT_TRUE(sweep.findChild<QRadioButton*>("optAtInput")->isChecked());
    EXPECT_EQ(sweep.findChild<QLineEdit*>("txtFile")->text(), "dipole-through-30m-rg213.s1p");
    EXPECT_FALSE(sweep.findChild<QLineEdit*>("txtPoints")->isEnabled());
    EXPECT_EQ(sweep.plot(0).series[0]->count(), 41);
    EXPECT_TRUE(host.messages.empty());

    // The resistance at the load at resonance, from its plot's tip: the model antenna's 70 ohms.
    sweep.ShowPlotTip(1, 0, 14.1);
    EXPECT_EQ(sweep.plot(1).tip->text(), "14.1 MHz   R: 70.0 ohms");
    // Left of the band: its first point, S = -0.018 - j0.408 in the file, SWR (1 + |S|)/(1 - |S|).
    sweep.ShowPlotTip(0, 1, 13.0);
    EXPECT_EQ(sweep.plot(0).tip->text().substr(0, 32), "13.6 MHz   SWR at the input: 2.3");
    // On the Smith chart the antenna's resonance is 70 + j0; the pointer there reads it.
    ui::SmithChart* smith = sweep.smith();
    smith->ShowTipAt(smith->PointOf({70.0, 0.0}));
    EXPECT_EQ(smith->tip_text().substr(0, 43), "14.1 MHz, at the load\n70.0 + j 0.0 ohms\nSWR") << smith->tip_text();
    Snapshot("sweep-dipole");

    // A file the window refuses is reported by name and line, and the antenna stays shown.
    QTemporaryDir dir;
    const QString bad = dir.filePath("two-port.s2p");
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("! two ports\n# MHz S RI R 50\n14 0 0 0 0 0 0 0 0\n");
    }
    Drop(bad);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.substr(0, 20), "two-port.s2p, line 3");
    EXPECT_EQ(sweep.plot(0).series[0]->count(), 41);
}

TEST_F(SweepViewTest, ALongRunLeavesTheWindowAnsweringAndShowsItsProgress) {
    OpenFromMainWindow();
    sweep.SetQuietTime(0);
    auto* points = sweep.findChild<QLineEdit*>("txtPoints");
    points->selectAll();
    QTest::keyClicks(points, "100001");
    QTest::mouseClick(sweep.findChild<QPushButton*>("cmdSweep"), Qt::LeftButton);
    // The click came back before the work was done: the event loop runs between the steps.
    EXPECT_TRUE(model.frmSweep.running());
    EXPECT_TRUE(QTest::qWaitFor([this] { return sweep.progress_bar()->isVisible(); }, 2000));
    Finish();
    EXPECT_FALSE(sweep.progress_bar()->isVisible());
    ASSERT_EQ(model.frmSweep.points().size(), 100001u);
    // The charts draw a few thousand of them; the tips read them all.
    EXPECT_LE(sweep.plot(0).series[0]->count(), 3002);
    EXPECT_EQ(sweep.plot(0).data[0].size(), 100001u);

    // Every export is on the window's "Export" button, and the Smith chart saves as a drawing.
    QStringList names;
    for (QAction* a : sweep.findChild<QPushButton*>("cmdExport")->menu()->actions()) names << a->text();
    EXPECT_EQ(names, QStringList({"Copy as Picture", "Save as PNG, SVG or PDF...", "Save Points as CSV...",
                                  "Save Other End as Touchstone..."}));
    QTemporaryDir dir;
    ASSERT_TRUE(ui::SaveImage(sweep.smith(), dir.filePath("smith.svg")));
    EXPECT_GT(QFileInfo(dir.filePath("smith.svg")).size(), 1000);
}

}  // namespace
}  // namespace qlx
