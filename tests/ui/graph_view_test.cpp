// The graph window on an offscreen display: "&Graph" fills the chart, the layout rule holds
// after a resize, and the tuner window shows its capacitor rows.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <cstdio>
#include <QChartView>
#include <QGroupBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QValueAxis>
#include <cmath>
#include <QScatterSeries>
#include <vector>

#include "mainwin/main_window.h"
#include "support/scripted_host.h"
#include "support/started_window.h"
#include "ui/bind.h"
#include "ui/export.h"
#include "ui/graph_view.h"
#include "ui/main_window_view.h"
#include "ui/tuner_view.h"

namespace qlx {
namespace {

class GraphViewTest : public ::testing::Test {
protected:
    GraphViewTest() : model(host, store), view(model), graph(model.frmVolt), tuner(model.frmTuner) {
        model.Load();
        view.show();
        // RG-213 at 14 MHz, 100 feet, 200 - j100 ohms at the load.
        testing::TypeExampleLine(model);
    }
    // With QLX_SCREENSHOT_DIR set, the graph window as shown is saved there for the documentation.
    void Snapshot(const char* name) {
        const QByteArray dir = qgetenv("QLX_SCREENSHOT_DIR");
        if (dir.isEmpty()) return;
        QTest::qWait(100);  // let the chart lay out its new axes first
        graph.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
    }

    testing::ScriptedHost host;
    MemoryDefaultsStore store;
    MainWindow model;
    ui::MainWindowView view;
    ui::GraphView graph;
    ui::TunerView tuner;
};

TEST_F(GraphViewTest, GraphFillsTheChartWithBothCurves) {
    QTest::mouseClick(view.findChild<QPushButton*>("cmdGraph"), Qt::LeftButton);
    graph.show();
    EXPECT_EQ(graph.series0()->count(), 201);
    EXPECT_EQ(graph.series1()->count(), 201);
    EXPECT_EQ(graph.series0()->pen().color(), QColor(255, 0, 0));
    // Current in a green that reads on white, dashed: told apart from voltage without colour.
    EXPECT_EQ(graph.series1()->pen().color(), QColor(0, 128, 0));
    EXPECT_EQ(graph.series0()->pen().style(), Qt::SolidLine);
    EXPECT_EQ(graph.series1()->pen().style(), Qt::DashLine);
    EXPECT_EQ(graph.bottom_axis()->titleText(), "Length, in Feet, from Transmitter");
    EXPECT_DOUBLE_EQ(graph.bottom_axis()->max(), 100.0);
    EXPECT_EQ(graph.windowTitle(), "QLX, Voltage/Current Graph Along Line");
    EXPECT_EQ(graph.findChild<QLineEdit*>("txtPower")->text(), "At 1500 W");
    // The voltage axis holds every point of the voltage curve.
    auto* right = qobject_cast<QValueAxis*>(graph.series0()->attachedAxes().last());
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(right->titleText(), "Voltage, Volts");
    for (const QPointF& p : graph.series0()->points()) {
        EXPECT_GE(p.y(), right->min());
        EXPECT_LE(p.y(), right->max());
    }
    // Resting on the voltage peak near 8 feet: the tip shows that data point, 515.9 V, the value
    // "Max RMS Volt." shows, not the pointer's position.
    emit graph.series0()->hovered(QPointF(7.8, 522.0), true);
    EXPECT_EQ(graph.tip_text(), "8.0 ft: 515.9 V");
    EXPECT_EQ(model.frmVolt.txtMaxV.text().find("515.9") != std::string::npos, true) << model.frmVolt.txtMaxV.text();
    ASSERT_TRUE(graph.tip_visible());
    EXPECT_DOUBLE_EQ(graph.tip_point().x(), 8.0);
    Snapshot("graph-voltage-current");
    emit graph.series0()->hovered(QPointF(7.8, 522.0), false);
    EXPECT_FALSE(graph.tip_visible());
    emit graph.series1()->hovered(QPointF(50.0, 0.0), true);
    EXPECT_TRUE(QString::fromStdString(graph.tip_text()).contains(QRegularExpression("^50\\.0 ft: [0-9.]+ A$"))) << graph.tip_text();

    // The other kind of graph reloads the same series.
    QTest::mouseClick(view.findChild<QRadioButton*>("optResisReac"), Qt::LeftButton);
    QTest::mouseClick(view.findChild<QPushButton*>("cmdGraph"), Qt::LeftButton);
    EXPECT_EQ(graph.series0()->count(), 201);
    EXPECT_EQ(graph.windowTitle(), "QLX, Series Resistance & Reactance Along Line");
    EXPECT_NEAR(graph.series0()->points().last().y(), 200.0, 1e-3);  // the load's resistance
    Snapshot("graph-resistance-reactance");

    // Close hides the window; the next run shows it again.
    QTest::mouseClick(graph.findChild<QPushButton*>("cmdBack"), Qt::LeftButton);
    EXPECT_FALSE(graph.isVisible());
    EXPECT_FALSE(model.frmVolt.window.visible());
}

TEST_F(GraphViewTest, EscapeIsTheGraphsClose) {
    QTest::mouseClick(view.findChild<QPushButton*>("cmdGraph"), Qt::LeftButton);
    graph.show();
    ASSERT_TRUE(model.frmVolt.window.visible());
    QTest::keyClick(graph.chart_view(), Qt::Key_Escape);
    EXPECT_FALSE(model.frmVolt.window.visible());
    EXPECT_FALSE(graph.isVisible());
}

TEST_F(GraphViewTest, TheAxesOfALineOfNoLengthReadCleanly) {
    model.txtLength.SetText("0");
    model.cmdGraph.Click();
    graph.show();
    QTest::qWait(50);
    // The labels drawn on the chart: distinct round numbers, none "-0", no noise digits.
    QStringList labels;
    for (QGraphicsItem* item : graph.chart_view()->scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible() && !text->toPlainText().isEmpty())
            labels << text->toPlainText();
    ASSERT_GT(labels.size(), 10);
    EXPECT_EQ(labels.removeDuplicates(), 0) << labels.join(" | ").toStdString();
    for (const QString& l : labels) {
        EXPECT_FALSE(l.startsWith("-0")) << l.toStdString();
        EXPECT_FALSE(l.contains("...")) << l.toStdString();
        EXPECT_FALSE(l.contains("0.0000")) << l.toStdString();
    }
    EXPECT_DOUBLE_EQ(graph.bottom_axis()->max(), 1.0);
}

TEST_F(GraphViewTest, SaveDialogsNameTheWindowAndStartInTheLastFolderUsed) {
    model.cmdGraph.Click();
    graph.show();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QAction* csv = nullptr;
    for (QAction* a : graph.actions())
        if (a->text() == "Save Points as CSV...") csv = a;
    ASSERT_NE(csv, nullptr);
    // Answers the save dialog with a file in `dir`, noting its title and first folder.
    QString title, folder;
    const auto answer = [&](const QString& file) {
        QTimer::singleShot(0, [&title, &folder, file] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            title = d->windowTitle();
            folder = d->directory().absolutePath();
            d->selectFile(file);
            QMetaObject::invokeMethod(d, "accept");
        });
    };
    answer(dir.filePath("first.csv"));
    csv->trigger();
    EXPECT_EQ(title, "Save Points as CSV - QLX, Voltage/Current Graph Along Line");
    EXPECT_NE(QDir(folder), QDir(QCoreApplication::applicationDirPath()));
    EXPECT_TRUE(QFileInfo(dir.filePath("first.csv")).size() > 0);
    answer(dir.filePath("second.csv"));
    csv->trigger();
    EXPECT_EQ(QDir(folder), QDir(dir.path()));  // where the last file went
}

TEST_F(GraphViewTest, LayoutRuleHoldsAfterAResize) {
    model.cmdGraph.Click();
    graph.show();
    for (const QSize size : {QSize(565, 431), QSize(900, 700), QSize(1200, 500)}) {
        graph.resize(size);
        const double k = ui::TwipsPerPixel(&graph);
        const QRect outer = graph.frameGeometry();
        const QRect chart = graph.chart_view()->geometry();
        // Chart at (120, 600) twips, 0.75248 W wide and 0.74397 H high.
        EXPECT_NEAR(chart.width(), outer.width() * 0.75248, 1.0) << size.width();
        EXPECT_NEAR(chart.height(), outer.height() * 0.74397, 1.0) << size.width();
        EXPECT_NEAR(chart.x() * k, 120, k);
        EXPECT_NEAR(chart.y() * k, 600, k);
        // The buttons 1900 twips from the right edge, the frequency frame 960 above the bottom.
        const QRect buttons = graph.findChild<QGroupBox*>("Frame1")->geometry();
        EXPECT_NEAR((outer.width() - buttons.x()) * k, 1900, k);
        const QRect bottom = graph.findChild<QGroupBox*>("Frame2")->geometry();
        EXPECT_NEAR((outer.height() - bottom.y()) * k, 960, k);
    }
}

// At its smallest the window still shows everything apart: chart, buttons, readings and frames
// neither overlap nor leave the window.
TEST_F(GraphViewTest, AtItsMinimumSizeNothingOverlaps) {
    model.txtFreq.SetText("14");
    model.cmdGraph.Click();
    graph.show();
    graph.resize(100, 100);  // the window keeps its minimum
    QApplication::processEvents();
    EXPECT_GE(graph.width(), graph.minimumWidth());
    const QRect inside = graph.rect();
    const QRect chart = graph.chart_view()->geometry();
    std::vector<std::pair<const char*, QRect>> parts{{"chart", chart}};
    for (const char* frame : {"Frame1", "Frame2", "Frame3"})
        parts.emplace_back(frame, graph.findChild<QGroupBox*>(frame)->geometry());
    for (const char* field : {"txtMaxI", "txtZLoad", "txtTotalLoss"}) {
        QLineEdit* e = graph.findChild<QLineEdit*>(field);
        parts.emplace_back(field, QRect(e->mapTo(&graph, QPoint(0, 0)), e->size()));
    }
    for (const auto& [name, r] : parts) EXPECT_TRUE(inside.contains(r)) << name;
    for (std::size_t a = 0; a < 4; ++a)
        for (std::size_t b = a + 1; b < 4; ++b)
            EXPECT_FALSE(parts[a].second.intersects(parts[b].second)) << parts[a].first << " " << parts[b].first;
    // The load box shows all of its text.
    QLineEdit* load = graph.findChild<QLineEdit*>("txtZLoad");
    EXPECT_LE(load->fontMetrics().horizontalAdvance(load->text()), load->width() - 6) << load->text().toStdString();
}

// Export beside printing: the window's and the chart's context menus, pictures in three formats
// that hold what the window shows, and the points as qlx-cli writes them.
TEST_F(GraphViewTest, ExportSavesPicturesAndThePoints) {
    QTest::mouseClick(view.findChild<QPushButton*>("cmdGraph"), Qt::LeftButton);
    graph.show();
    QStringList menu;
    for (QAction* a : graph.actions()) menu << a->text();
    EXPECT_EQ(menu, (QStringList{"Copy as Picture", "Save as PNG, SVG or PDF...", "Save Points as CSV..."}));
    // The chart's menu: the window's exports with their shortcuts, then pictures of the chart.
    QStringList chart_menu;
    for (QAction* a : graph.chart_view()->actions())
        chart_menu << a->text() + (a->shortcut().isEmpty() ? "" : " " + a->shortcut().toString());
    EXPECT_EQ(chart_menu, (QStringList{"Copy as Picture Ctrl+Shift+C", "Save as PNG, SVG or PDF... Ctrl+Shift+S",
                                       "Save Points as CSV... Ctrl+Shift+V", "", "Copy Chart as Picture",
                                       "Save Chart as PNG, SVG or PDF..."}));
    const QString dir = QString::fromStdString(::testing::TempDir()) + "qlx-export-" +
                        QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(dir);
    ASSERT_TRUE(ui::SaveImage(&graph, dir + "/graph.png"));
    const QImage png(dir + "/graph.png");
    EXPECT_EQ(png.size(), graph.grab().size());
    ASSERT_TRUE(ui::SaveImage(graph.chart_view(), dir + "/chart.svg"));
    QFile svg(dir + "/chart.svg");
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray drawing = svg.readAll();
    EXPECT_TRUE(drawing.contains("<svg"));
    EXPECT_TRUE(drawing.contains("Voltage, Volts")) << "the axis title is in the drawing";
    // The window's picture without its buttons (their place plain), which are back after.
    for (QPushButton* b : graph.findChildren<QPushButton*>()) {
        const double k = static_cast<double>(png.width()) / graph.width();  // 2 on a high-DPI screen
        const QImage plain = png.copy(QRect(b->mapTo(&graph, QPoint(0, 0)) * k, b->size() * k).adjusted(1, 1, -1, -1));
        QSet<QRgb> colours;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) colours.insert(plain.pixel(x, y));
        EXPECT_EQ(colours.size(), 1) << b->text().toStdString();
        EXPECT_TRUE(b->isVisible()) << b->text().toStdString();
    }
    ASSERT_TRUE(ui::SaveImage(&graph, dir + "/graph.pdf"));
    QFile pdf(dir + "/graph.pdf");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_FALSE(ui::SaveImage(&graph, dir + "/graph.bmpx"));
    // The points: the same file as qlx-cli graph --csv for the same line.
    ASSERT_TRUE(ui::SaveText(GraphCsv(model.frmVolt.shown()), dir + "/points.csv"));
    QFile csv(dir + "/points.csv");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const std::string saved = csv.readAll().toStdString();
    FILE* cli = ::popen(QLX_CLI_PATH " graph --cable 17 --freq 14 --r 200 --x -100 --csv", "r");
    ASSERT_NE(cli, nullptr);
    std::string expected;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, cli)) > 0;) expected.append(buf, n);
    ::pclose(cli);
    EXPECT_EQ(saved, expected);
    QDir(dir).removeRecursively();
}

TEST_F(GraphViewTest, TunerWindowShowsTheRowOfTheChosenNetwork) {
    tuner.show();
    auto* pi = tuner.findChild<QLineEdit*>("txtPiCap");
    auto* tee = tuner.findChild<QLineEdit*>("txtTeeCap");
    EXPECT_FALSE(pi->isVisible());
    EXPECT_FALSE(tee->isVisible());
    for (const char* name : {"optLNet1", "optLNet2", "optPiNet", "optTeeNet"})
        EXPECT_FALSE(tuner.findChild<QRadioButton*>(name)->isChecked()) << name;
    QTest::mouseClick(tuner.findChild<QRadioButton*>("optTeeNet"), Qt::LeftButton);
    EXPECT_TRUE(tee->isVisible());
    EXPECT_FALSE(pi->isVisible());
    QTest::mouseClick(tuner.findChild<QRadioButton*>("optPiNet"), Qt::LeftButton);
    EXPECT_TRUE(pi->isVisible());
    EXPECT_FALSE(tuner.findChild<QRadioButton*>("optTeeNet")->isChecked());
    pi->selectAll();
    QTest::keyClick(pi, Qt::Key_Delete);
    EXPECT_EQ(pi->text(), "500");
    EXPECT_EQ(tuner.windowTitle(), "Tuner Selection, QLX");
}

}  // namespace
}  // namespace qlx
