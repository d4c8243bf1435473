// The plan window driven as a user drives it: opened from the tuner window for the main window's
// line, its table and the tuner page a cell draws, bad entries, the antenna file, and a length
// scan in steps that Close ends.
#include <gtest/gtest.h>

#include <string>

#include "core/entry_rules.h"
#include "core/format.h"
#include "plan/plan_window.h"
#include "plan/report.h"
#include "support/started_window.h"

namespace qlx::plan {
namespace {

using testing::StartedWindow;

const std::string kDipoleFile = std::string(QLX_SOURCE_DIR) + "/data/dipole-through-30m-rg213.s1p";

// 20 m of RG-213 into 45 - j250 ohms, the plan opened from the tuner window.
void OpenOnRg213(MainWindow& w) {
    w.optMeters.Select();
    w.cboPickCable.Choose(17);
    StartedWindow::Type(w.txtLength, "20");
    StartedWindow::Type(w.txtResistance, "45");
    StartedWindow::Type(w.txtReactance, "-250");
    w.cmdTuner.Click();
    w.frmTuner.cmdPlan.Click();
}

void ExpectSameDesign(const tuner::DesignResult& a, const tuner::DesignResult& b, const std::string& where) {
    const auto* da = std::get_if<tuner::NetworkDesign>(&a);
    const auto* db = std::get_if<tuner::NetworkDesign>(&b);
    ASSERT_TRUE(da && db) << where;
    EXPECT_EQ(da->ploss, db->ploss) << where;
    ASSERT_EQ(da->elements.size(), db->elements.size()) << where;
    for (std::size_t k = 0; k < da->elements.size(); ++k) EXPECT_EQ(da->elements[k].value, db->elements[k].value) << where;
}

TEST(PlanWindow, OpensForTheMainLineAndEveryCellDrawsItsOwnTunerPage) {
    StartedWindow st;
    MainWindow& w = *st.win;
    OpenOnRg213(w);
    PlanWindow& p = w.frmPlan;
    ASSERT_TRUE(p.window.visible());
    ASSERT_TRUE(p.plan());
    EXPECT_EQ(p.txtLine.text(), "RG-213 (Belden 8267), 20 Meters; antenna 45.0 - j 250.0 ohms at the load");
    EXPECT_FALSE(p.optFile.enabled());  // no file open in the sweep window

    // The table is the plan: a row per band point, a column per network, each cell its design.
    const PlanTable t = p.Table();
    const Plan& plan = *p.plan();
    ASSERT_EQ(t.rows.size(), 30u);
    ASSERT_EQ(t.columns.size(), plan.networks.size());
    std::size_t row = 0, drawn = 0;
    for (const BandResult& b : plan.bands)
        for (const Point& pt : b.points) {
            EXPECT_EQ(t.rows[row].freq, Format(pt.f_mhz, kFrequencyPicture));
            for (std::size_t col = 0; col < t.columns.size(); ++col) {
                const TableCell& cell = t.rows[row].cells[col];
                const std::string where = t.rows[row].freq + " " + t.columns[col];
                const TunerWindow::Compared* c = nullptr;
                for (const auto& x : pt.cells)
                    if (KeyOf(x) == plan.networks[col].key) c = &x;
                const auto* d = c ? std::get_if<tuner::NetworkDesign>(&c->result) : nullptr;
                EXPECT_EQ(cell.state == CellState::Failed, d == nullptr) << where;
                if (!d) continue;
                EXPECT_EQ(cell.state == CellState::OutOfRange, !tuner::AllPartsBuyable(*d)) << where;
                EXPECT_EQ(cell.best, pt.best && &pt.cells[*pt.best] == c) << where;
                // Every fourth design is drawn: the tuner page is the cell, at the cell's frequency.
                if (++drawn % 4) continue;
                p.ClickCell(row, col);
                ASSERT_TRUE(w.frmTuner.last_result()) << where;
                ExpectSameDesign(*w.frmTuner.last_result(), c->result, where);
                tuner::TunerPage& page = c->network == tuner::Network::Tee ? w.frmTuner.frmTuner2 : w.frmTuner.frmTuner1;
                EXPECT_TRUE(page.window.visible()) << where;
                EXPECT_NEAR(ParseNumber(page.txtFreq.text()), pt.f_mhz, 0.0051) << where;  // to 10 kHz
            }
            ++row;
        }
    EXPECT_GT(drawn, 20u);
    EXPECT_EQ(p.txtSummary.text(), plan.recommendation ? "Recommended: " + plan.recommendation->why
                                                        : "No network matches every point.");
    EXPECT_TRUE(p.lblNet0.visible());
    EXPECT_EQ(p.Csv(), PlanCsv(plan));
}

TEST(PlanWindow, AUserDefinedLineIsPlannedAsTheMainWindowSolvesItAtEachPoint) {
    StartedWindow st;
    MainWindow& w = *st.win;
    w.optMeters.Select();
    StartedWindow::Type(w.txtFreq, "14");
    st.host.on_modal["frmOtrCable"] = [&](form::Window&) {
        StartedWindow::Type(w.frmOtrCable.txtR0, "400");
        StartedWindow::Type(w.frmOtrCable.txtVF, "0.9");
        StartedWindow::Type(w.frmOtrCable.txtAtten100, "0.3");
        w.frmOtrCable.cmdOK.Click();
    };
    w.cboPickCable.Choose(32);
    StartedWindow::Type(w.txtLength, "30");
    StartedWindow::Type(w.txtResistance, "150");
    StartedWindow::Type(w.txtReactance, "300");
    w.cmdTuner.Click();
    w.frmPlan.txtBands.SetText("80m,10m");
    w.frmTuner.cmdPlan.Click();
    ASSERT_TRUE(w.frmPlan.plan());
    // At each point the line is the sweep's at that frequency (its loss scaled from the record's
    // 14 MHz as the line's dialog scales it), not the line at 14 MHz: 30 m of it loses about
    // sqrt(f / 14) times the loss at 14 MHz, matched.
    const sweep::SweepLine line = w.SweepMainLine().line;
    ASSERT_TRUE(line.user);
    double lowest = 1e9, highest = 0.0;
    for (const BandResult& b : w.frmPlan.plan()->bands)
        for (const Point& pt : b.points) {
            const auto swept = sweep::SolveAt(line, pt.f_mhz, {150.0, 300.0});
            ASSERT_TRUE(swept);
            EXPECT_NEAR(pt.line_loss_db, swept->total_loss_db, 0.005) << pt.f_mhz;
            lowest = std::min(lowest, pt.line_loss_db);
            highest = std::max(highest, pt.line_loss_db);
        }
    EXPECT_GT(highest, 2.0 * lowest);
}

TEST(PlanWindow, BadEntriesAreToldAndTheLastPlanStays) {
    StartedWindow st;
    MainWindow& w = *st.win;
    OpenOnRg213(w);
    PlanWindow& p = w.frmPlan;
    const std::string before = p.Json();
    struct Case {
        form::TextField PlanWindow::*field;
        const char* text;
        const char* message;
    } cases[] = {
        {&PlanWindow::txtPoints, "0", "Enter 1 to 21 points per band."},
        {&PlanWindow::txtPoints, "2.5", "Enter 1 to 21 points per band."},
        {&PlanWindow::txtBands, "40m,11m", "Bands: \"11m\" is no band of the plan"},
        {&PlanWindow::txtHave, "tee:L2=28-0.2uH", "My tuner: \"L2=28-0.2uH\": a range runs upward from above 0."},
    };
    for (const Case& c : cases) {
        const std::string good = (p.*c.field).text();
        (p.*c.field).SetText(c.text);
        st.host.messages.clear();
        p.cmdPlan.Click();
        ASSERT_EQ(st.host.messages.size(), 1u) << c.text;
        EXPECT_EQ(st.host.messages[0].text.rfind(c.message, 0), 0u) << st.host.messages[0].text;
        EXPECT_EQ(st.host.messages[0].title, kPlanTitle);
        EXPECT_EQ(p.Json(), before) << c.text;
        (p.*c.field).SetText(good);
    }
}

TEST(PlanWindow, TheSweepWindowsFileIsTheAntennaWithinItsSpan) {
    StartedWindow st;
    MainWindow& w = *st.win;
    ASSERT_TRUE(testing::MeasuredThrough30mOfRg213(w, "14", kDipoleFile));
    w.cmdTuner.Click();
    w.frmPlan.txtBands.SetText("20m,13.6-14.6");
    w.frmTuner.cmdPlan.Click();
    PlanWindow& p = w.frmPlan;
    ASSERT_TRUE(p.optFile.enabled());
    p.optFile.Select();
    EXPECT_NE(p.txtLine.text().find("dipole-through-30m-rg213.s1p, measured at the line input"), std::string::npos);
    // The file holds 13.6 to 14.6 MHz: 20 m's edges at 14.000 and 14.350 are inside, and so is
    // the typed band; nothing is extrapolated and no row is empty.
    const PlanTable t = p.Table();
    ASSERT_EQ(t.rows.size(), 6u);
    for (const TableRow& r : t.rows)
        for (const TableCell& c : r.cells) EXPECT_NE(c.state, CellState::NotMeasured) << r.freq;
    p.txtBands.SetText("40m");
    p.cmdPlan.Click();
    const PlanTable outside = p.Table();
    EXPECT_EQ(outside.rows.size(), 3u);
    EXPECT_TRUE(outside.columns.empty());
    EXPECT_EQ(p.txtSummary.text().rfind("Nothing designed: ", 0), 0u) << p.txtSummary.text();
    // A file measured at the line input holds the line's length: no length scan.
    st.host.messages.clear();
    EXPECT_FALSE(p.StartScan());
    ASSERT_EQ(st.host.messages.size(), 1u);
    EXPECT_EQ(st.host.messages[0].text.rfind("A length scan needs the antenna at the load", 0), 0u);
}

TEST(PlanWindow, ALengthScanInStepsIsTheScanAtOnceAndCloseEndsIt) {
    StartedWindow st;
    MainWindow& w = *st.win;
    OpenOnRg213(w);
    PlanWindow& p = w.frmPlan;
    EXPECT_EQ(p.txtLengths.text(), "10:30:0.5");  // around the line's own 20 m
    p.txtBands.SetText("80m,40m,20m");
    p.cmdPlan.Click();
    p.txtLengths.SetText("10:20:1");
    int started = 0;
    p.on_started = [&] { ++started; };
    p.cmdScan.Click();
    ASSERT_EQ(started, 1);
    EXPECT_TRUE(p.scanning());
    EXPECT_EQ(p.cmdScan.caption(), "&Stop Scan");
    int steps = 0;
    while (!p.StepScan(2)) {
        ++steps;
        EXPECT_GT(p.progress(), 0.0);
        EXPECT_LT(p.progress(), 1.0);
    }
    EXPECT_EQ(steps, 5);  // 11 lengths, 2 a step
    Inputs in;
    in.line = w.Entries();
    in.antenna = std::complex<double>(45.0, -250.0);
    in.bands = std::get<std::vector<Band>>(ReadBands("80m,40m,20m", Region::One));
    const auto at_once = ScanLengths(in, {10, 20, 1});
    ASSERT_EQ(p.scan().size(), at_once.size());
    for (std::size_t k = 0; k < at_once.size(); ++k) {
        EXPECT_EQ(p.scan()[k].length, at_once[k].length);
        EXPECT_EQ(p.scan()[k].worst_loss_pct, at_once[k].worst_loss_pct);
    }
    EXPECT_EQ(p.txtScanResult.text().rfind("Best lengths: ", 0), 0u) << p.txtScanResult.text();
    EXPECT_EQ(p.LengthChart().curves.front().data.size(), at_once.size());

    // Closed while scanning: the scan ends with what it has.
    p.cmdScan.Click();
    p.StepScan(3);
    p.cmdClose.Click();
    EXPECT_FALSE(p.scanning());
    EXPECT_TRUE(p.StepScan(3));
    EXPECT_EQ(p.scan().size(), 3u);
    EXPECT_EQ(p.txtScanResult.text().rfind("Stopped after 3 of 11 lengths.", 0), 0u) << p.txtScanResult.text();
}

}  // namespace
}  // namespace qlx::plan
