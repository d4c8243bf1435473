// The plan window on an offscreen display: opened by the tuner window's "&Plan Bands...", its
// table drawn from the plan (failures greyed, the best in bold), a cell clicked or entered draws
// its tuner page, and a long length scan shows its progress, answers typing, and ends on Escape.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <string>

#include "mainwin/main_window.h"
#include "support/scripted_host.h"
#include "support/started_window.h"
#include "ui/main_window_view.h"
#include "ui/plan_view.h"
#include "ui/tuner_view.h"

namespace qlx {
namespace {

class PlanViewTest : public ::testing::Test {
protected:
    PlanViewTest() : model(host, store), view(model), tuner(model.frmTuner), plan(model.frmPlan) {
        model.Load();
        view.show();
        testing::TypeExampleLine(model);  // RG-213, 100 feet, 200 - j100 ohms at the load
        QTest::mouseClick(view.findChild<QPushButton*>("cmdTuner"), Qt::LeftButton);
        tuner.show();  // the scripted host shows the models' windows; the test, their widgets
        QTest::mouseClick(tuner.findChild<QPushButton*>("cmdPlan"), Qt::LeftButton);
        if (model.frmPlan.window.visible()) plan.show();
    }
    void ClickCell(int row, int column) {
        QTableWidget* t = plan.table();
        t->scrollToItem(t->item(row, column));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(t->item(row, column)).center());
    }
    testing::ScriptedHost host;
    MemoryDefaultsStore store;
    MainWindow model;
    ui::MainWindowView view;
    ui::TunerView tuner;
    ui::PlanView plan;
};

TEST_F(PlanViewTest, TheTableIsThePlanAndACellDrawsItsTunerPage) {
    ASSERT_TRUE(plan.isVisible());
    const plan::PlanTable shown = model.frmPlan.Table();
    QTableWidget* t = plan.table();
    ASSERT_EQ(t->rowCount(), 30);
    ASSERT_EQ(t->columnCount(), static_cast<int>(shown.columns.size()) + 2);
    int greyed = 0, bold = 0;
    for (int r = 0; r < t->rowCount(); ++r)
        for (std::size_t c = 0; c < shown.columns.size(); ++c) {
            const plan::TableCell& cell = shown.rows[r].cells[c];
            QTableWidgetItem* item = t->item(r, static_cast<int>(c) + 2);
            EXPECT_EQ(item->text().toStdString(), cell.text);
            const bool grey = cell.state == plan::CellState::Failed;
            EXPECT_EQ(item->background().color() == QColor(0xEE, 0xEE, 0xEE), grey) << cell.text;
            EXPECT_EQ(item->font().bold(), cell.best) << cell.text;
            greyed += grey;
            bold += cell.best;
        }
    EXPECT_GT(greyed, 0);
    EXPECT_GT(bold, 20);

    // A click on a design: its page, at its frequency, with its parts.
    for (int r : {0, 17, 29})
        for (std::size_t c = 0; c < shown.columns.size(); ++c) {
            if (shown.rows[r].cells[c].state == plan::CellState::Failed) continue;
            ClickCell(r, static_cast<int>(c) + 2);
            ASSERT_TRUE(model.frmTuner.last_result());
            const auto* d = std::get_if<tuner::NetworkDesign>(&*model.frmTuner.last_result());
            ASSERT_TRUE(d) << shown.rows[r].freq << " " << shown.columns[c];
            EXPECT_NE(shown.rows[r].cells[c].tip.find(Format(d->elements.front().value,
                          d->elements.front().kind == tuner::Kind::C ? "#,##0.0 pF" : "#,##0.00 uH")),
                      std::string::npos) << shown.rows[r].cells[c].tip;
        }
    // From the keyboard: a cell chosen and Enter pressed draws it too.
    model.frmTuner.frmTuner1.window.SetVisible(false);
    model.frmTuner.frmTuner2.window.SetVisible(false);
    t->setFocus();
    t->setCurrentCell(3, 2);
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_TRUE(model.frmTuner.frmTuner1.window.visible() || model.frmTuner.frmTuner2.window.visible());
}

TEST_F(PlanViewTest, ALongScanShowsProgressAnswersTypingAndEscapeEndsIt) {
    plan.SetQuietTime(0);
    auto* lengths = plan.findChild<QLineEdit*>("txtLengths");
    lengths->selectAll();
    QTest::keyClicks(lengths, "10:200:1");
    QTest::mouseClick(plan.findChild<QPushButton*>("cmdScan"), Qt::LeftButton);
    ASSERT_TRUE(model.frmPlan.scanning());
    ASSERT_TRUE(QTest::qWaitFor([this] { return plan.progress_bar()->isVisible(); }, 5000));
    // Typing meanwhile reaches the window.
    auto* have = plan.findChild<QLineEdit*>("txtHave");
    QTest::keyClicks(have, "tee:C1=10-250pF");
    EXPECT_EQ(model.frmPlan.txtHave.text(), "tee:C1=10-250pF");
    EXPECT_TRUE(model.frmPlan.scanning());
    QTest::keyClick(have, Qt::Key_Escape);
    EXPECT_FALSE(model.frmPlan.scanning());
    EXPECT_FALSE(plan.isVisible());
    EXPECT_EQ(model.frmPlan.txtScanResult.text().rfind("Stopped after ", 0), 0u) << model.frmPlan.txtScanResult.text();
    QTest::qWait(20);
    EXPECT_FALSE(plan.progress_bar()->isVisible());
}

TEST_F(PlanViewTest, TheManualsDipoleIsPlannedFromTheSweepWindowsFile) {
    // 20 m of RG-213, the modelled 40 m dipole's file open in the sweep window at the load.
    model.optMeters.Select();
    model.cboPickCable.Choose(17);
    model.txtLength.SetText("20");
    model.frmSweep.on_started = [this] { model.frmSweep.Run(); };
    model.cmdSweep.Click();
    ASSERT_TRUE(model.frmSweep.OpenFile(std::string(QLX_SOURCE_DIR) + "/data/dipole-40m.s1p"));
    model.frmSweep.optAtLoad.Select();
    plan::PlanWindow& p = model.frmPlan;
    p.txtBands.SetText("80m,60m,40m,30m,20m,17m,15m,12m,10m");
    p.optFile.Select();
    EXPECT_NE(p.txtLine.text().find("dipole-40m.s1p, measured at the load"), std::string::npos) << p.txtLine.text();
    // The manual's figures.
    EXPECT_EQ(p.txtSummary.text(), "Recommended: Low-Pass L-Network matches all 27 points with parts to buy and loses at "
                                   "most 5.07 % (at 5.367 MHz), the least of the networks that match every point.");
    ASSERT_EQ(plan.table()->rowCount(), 27);
    EXPECT_EQ(p.LengthChart().x_title, "Feed-line length, m");
    const QByteArray dir = qgetenv("QLX_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    // Shown and laid out, so that the charts are drawn as a user sees them.
    plan.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plan));
    QTest::qWait(100);
    plan.grab().save(QString::fromUtf8(dir) + "/plan-dipole-40m.png");
}

}  // namespace
}  // namespace qlx
