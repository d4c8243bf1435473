// The sweep window as a user drives it from the main window: the band it opens with, the
// refusals that keep the last result, a measurement taken from a Touchstone file, and a long run
// in steps.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>
#include <variant>

#include "support/started_window.h"
#include "support/temp_dir.h"
#include "core/format.h"
#include "sweepwin/sweep_window.h"

namespace qlx::sweep {
namespace {

using Window = testing::StartedWindow;

// A folder of this test's own, removed afterwards.
struct TempDir : testing::TempDir {
    TempDir() : testing::TempDir("qlx-sweep-") {}
};

// A file with a calibration's overshoot opens, and says so once.
TEST(SweepWindow, AFileWithAnOvershootOpensWithOneWarning) {
    Window w;
    SweepWindow& s = w.win->frmSweep;
    s.on_started = [&s] { s.Run(); };
    w.win->cmdSweep.Click();
    TempDir dir;
    const std::size_t before = w.host.messages.size();
    ASSERT_TRUE(s.OpenFile(dir.Write("over.s1p", "# MHz S MA R 50\n14.0 0.5 10\n14.1 1.002 20\n14.2 0.5 30\n")));
    ASSERT_EQ(w.host.messages.size(), before + 1);
    EXPECT_EQ(w.host.messages.back().text.rfind("over.s1p: 1 point of the file reflects more than it receives", 0), 0u)
        << w.host.messages.back().text;
    ASSERT_NE(s.measured(), nullptr);
    EXPECT_EQ(s.measured()->z.size(), 3u);
}

TEST(SweepWindow, OpensAroundTheMainWindowsFrequencyAndFollowsItsLine) {
    Window w;
    MainWindow& m = *w.win;
    SweepWindow& s = m.frmSweep;
    w.Type(m.txtFreq, "14.2");
    m.cboPickCable.Choose(17);  // RG-213 (Belden 8267)
    w.Type(m.txtResistance, "120");
    w.Type(m.txtReactance, "-35");
    m.cmdSweep.Click();
    ASSERT_TRUE(s.window.visible());
    EXPECT_EQ(s.txtFrom.text(), "12.78");  // 14.2 - 10 %
    EXPECT_EQ(s.txtTo.text(), "15.62");
    EXPECT_TRUE(s.optAtLoad.selected());
    ASSERT_EQ(s.points().size(), 201u);
    EXPECT_NE(s.txtLine.text().find("RG-213"), std::string::npos);

    // The middle point is the main window's own frequency: the same solution, to the bit.
    auto agrees = [&] {
        const SweepPoint& mid = s.points()[100];
        EXPECT_EQ(static_cast<float>(mid.f_mhz), static_cast<float>(ParseNumber(m.txtFreq.text())));
        EXPECT_EQ(mid.r_other, m.line().rin);
        EXPECT_EQ(mid.x_other, m.line().xin);
        EXPECT_EQ(mid.swr_other, m.line().swr_in);
        EXPECT_EQ(mid.total_loss_db, m.line().tot_loss);
    };
    agrees();

    // A new length or end in the main window is swept again at once, once.
    int runs = 0;
    s.on_started = [&] {
        ++runs;
        s.Run();
    };
    w.Type(m.txtLength, "37.5");
    agrees();
    runs = 0;
    m.optInput.Select();
    EXPECT_TRUE(s.optAtInput.selected());
    EXPECT_EQ(runs, 1);
    agrees();
    s.on_started = nullptr;

    // A band the user chose stays while the main window keeps its frequency; a new frequency
    // centres the band on it when the window is opened again.
    w.Type(s.txtFrom, "14");
    w.Type(s.txtTo, "14.4");
    s.cmdClose.Click();
    m.cmdSweep.Click();
    EXPECT_EQ(s.txtFrom.text(), "14");
    s.cmdClose.Click();
    w.Type(m.txtFreq, "7.1");
    m.cmdSweep.Click();
    EXPECT_EQ(s.txtFrom.text(), "6.39");
    EXPECT_EQ(s.txtTo.text(), "7.81");
}

TEST(SweepWindow, RefusesABadBandAndKeepsTheLastResult) {
    struct Case {
        const char *from, *to, *points, *title;
    };
    const Case cases[] = {{"abc", "4", "201", "Bad Frequency!"},  {"0.01", "4", "201", "Bad Frequency!"},
                          {"3", "5001", "201", "Bad Frequency!"}, {"3", "3", "201", "Bad Band!"},
                          {"4", "3", "201", "Bad Band!"},         {"3", "4", "1", "Bad Number of Points!"},
                          {"3", "4", "100002", "Bad Number of Points!"}, {"3", "4", "10.5", "Bad Number of Points!"},
                          {"3", "4", "12x", "Bad Number of Points!"}};
    for (const Case& c : cases) {
        Window w;
        SweepWindow& s = w.win->frmSweep;
        w.win->cmdSweep.Click();
        const std::vector<SweepPoint> before = s.points();
        ASSERT_EQ(before.size(), 201u);
        w.Type(s.txtFrom, c.from);
        w.Type(s.txtTo, c.to);
        w.Type(s.txtPoints, c.points);
        s.cmdSweep.Click();
        ASSERT_EQ(w.host.messages.size(), 1u) << c.from << " " << c.to << " " << c.points;
        EXPECT_EQ(w.host.messages[0].title, c.title);
        EXPECT_EQ(s.points().size(), before.size());
        EXPECT_EQ(s.points().back().f_mhz, before.back().f_mhz);
    }
}

TEST(SweepWindow, TheShippedDipoleMeasurementDeEmbedsToItsAntenna) {
    Window w;
    MainWindow& m = *w.win;
    m.optMeters.Select();
    m.cboPickCable.Choose(17);  // RG-213 (Belden 8267)
    w.Type(m.txtFreq, "14.1");
    w.Type(m.txtLength, "30");
    m.cmdSweep.Click();
    SweepWindow& s = m.frmSweep;
    int runs = 0;
    s.on_started = [&] {
        ++runs;
        s.Run();
    };
    ASSERT_TRUE(s.OpenFile(std::string(QLX_SOURCE_DIR) + "/data/dipole-through-30m-rg213.s1p"));
    EXPECT_EQ(runs, 1);  // the file, its band and its end: one sweep
    s.on_started = nullptr;
    EXPECT_TRUE(s.optFile.selected());
    EXPECT_TRUE(s.optAtInput.selected());  // an analyser's reading belongs to the line input
    EXPECT_FALSE(s.txtPoints.enabled());
    EXPECT_EQ(s.txtPoints.text(), "41");  // the file's points, not the 201 typed
    EXPECT_EQ(s.txtFrom.text(), "13.6");
    EXPECT_EQ(s.txtTo.text(), "14.6");
    ASSERT_EQ(s.points().size(), 41u);

    // The model antenna: 70 ohms, resonant at 14.1 MHz, its R growing with f squared.
    const SweepPoint& f0 = s.points()[20];
    EXPECT_EQ(ShownMHz(f0.f_mhz), 14.1);
    EXPECT_NEAR(f0.r_other, 70.0, 0.01);
    EXPECT_NEAR(f0.x_other, 0.0, 0.01);
    EXPECT_NEAR(s.points().front().r_other, 70.0 * (13.6 / 14.1) * (13.6 / 14.1), 0.05);
    EXPECT_NEAR(s.points().front().x_other, 850.0 * (13.6 / 14.1 - 14.1 / 13.6), 0.2);
    // The best match at the antenna lies at its resonance, within a step of the file.
    const auto best = s.LowestSwrAtLoad();
    ASSERT_TRUE(best);
    EXPECT_NEAR(s.points()[*best].f_mhz, 14.1, 0.026);
    EXPECT_EQ(s.txtSummary.text().rfind("dipole-through-30m-rg213.s1p taken at the line input (the antenna's own? choose At Load): "
                                        "41 points, 13.6 to 14.6 MHz", 0), 0u)
        << s.txtSummary.text();

    // The antenna as a Touchstone file reads back to the same impedances (S in double precision).
    const auto back = ReadTouchstone(s.Touchstone());
    ASSERT_TRUE(std::holds_alternative<OnePort>(back));
    const OnePort& port = std::get<OnePort>(back);
    ASSERT_EQ(port.z.size(), 41u);
    for (std::size_t k = 0; k < 41; ++k) {
        EXPECT_NEAR(port.z[k].real(), s.points()[k].r_other, 1e-9);
        EXPECT_NEAR(port.z[k].imag(), s.points()[k].x_other, 1e-9);
    }
    const std::string csv = s.Csv();
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 42);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "f_mhz,r_given,x_given,r_other,x_other,swr_given,swr_other,matched_loss_db,total_loss_db");

    // A narrower band takes the file's points inside it.
    w.Type(s.txtFrom, "14");
    w.Type(s.txtTo, "14.2");
    s.cmdSweep.Click();
    EXPECT_EQ(s.points().size(), 9u);
    EXPECT_EQ(s.txtPoints.text(), "9");
    // The main window's impedance again: its points, at its end.
    s.optMainZ.Select();
    EXPECT_TRUE(s.txtPoints.enabled());
    EXPECT_EQ(s.txtPoints.text(), "201");
    EXPECT_TRUE(s.optAtLoad.selected());
    EXPECT_EQ(s.points().size(), 201u);
}

TEST(SweepWindow, ARefusedFileChangesNothing) {
    TempDir dir;
    struct Case {
        std::string path, expected;
    };
    const Case cases[] = {
        {dir.Write("two.s2p", "# MHz S RI R 50\n1 0 0 0 0 0 0 0 0\n"), "two.s2p, line 2: "},
        {dir.Write("order.s1p", "! measured\n# MHz Z RI R 50\n2 1 0\n1 1 0\n"), "order.s1p, line 4: "},
        {dir.Write("high.s1p", "# MHz Z RI R 50\n6000 1 0\n"), "high.s1p has no point between 0.02 and 5000 MHz"},
        // What the file is, said: a folder, nothing at all, a pipe that would block for ever.
        {dir.path.string(), "is a folder, not a file"},
        {(dir.path / "missing.s1p").string(), "missing.s1p does not exist"},
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)  // no FIFOs there
        {dir.Fifo("pipe.s1p"), "pipe.s1p is not a regular file"},
#endif
        {dir.Write("empty.s1p", ""), "empty.s1p is empty"},
#ifdef _WIN32
        // A device's name is no file on Windows, wherever it stands.
        {"CON", "CON is a device, not a file"},
        {(dir.path / "nul.s1p").string(), "nul.s1p is a device, not a file"},
#endif
    };
    for (const Case& c : cases) {
        Window w;
        SweepWindow& s = w.win->frmSweep;
        w.win->cmdSweep.Click();
        EXPECT_FALSE(s.OpenFile(c.path));
        ASSERT_EQ(w.host.messages.size(), 1u) << c.path;
        EXPECT_EQ(w.host.messages[0].title, "Touchstone File");
        EXPECT_NE(w.host.messages[0].text.find(c.expected), std::string::npos) << w.host.messages[0].text;
        EXPECT_TRUE(s.optMainZ.selected());
        EXPECT_EQ(s.txtFile.text(), "");
        EXPECT_EQ(s.points().size(), 201u);
    }
    // Choosing the file source without a file asks for one; none given, the source stays.
    Window w;
    SweepWindow& s = w.win->frmSweep;
    w.win->cmdSweep.Click();
    int asked = 0;
    s.on_open_requested = [&] { ++asked; };
    s.optFile.Select();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(s.optMainZ.selected());
}

// A file of one point opens (the tuner designs for it there) and says it has no band, where it is,
// instead of the band's message about entries the user never typed.
TEST(SweepWindow, AFileOfOnePointSaysSo) {
    TempDir dir;
    Window w;
    SweepWindow& s = w.win->frmSweep;
    w.win->cmdSweep.Click();
    EXPECT_TRUE(s.OpenFile(dir.Write("one.s1p", "# MHz Z RI R 50\n14.1 1 0\n")));
    ASSERT_EQ(w.host.messages.size(), 1u);
    EXPECT_EQ(w.host.messages[0].title, "Touchstone File");
    EXPECT_EQ(w.host.messages[0].text.rfind("one.s1p holds one point a line can be solved at, at 14.1 MHz: no band", 0), 0u)
        << w.host.messages[0].text;
    EXPECT_EQ(s.txtFile.text(), "one.s1p");
}

TEST(SweepWindow, ALongRunInStepsEndsWithTheSamePointsAsOneRun) {
    Window w;
    SweepWindow& s = w.win->frmSweep;
    w.win->cmdSweep.Click();
    w.Type(s.txtPoints, "100001");
    s.cmdSweep.Click();
    const std::vector<SweepPoint> whole = s.points();
    ASSERT_EQ(whole.size(), 100001u);

    w.Type(s.txtPoints, "5");
    s.cmdSweep.Click();
    w.Type(s.txtPoints, "100001");
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(s.points().size(), 5u);  // the finished run stays shown while the next one runs
    double last = s.progress();
    EXPECT_EQ(last, 0.0);
    int steps = 0;
    while (!s.Step(7000)) {
        EXPECT_GT(s.progress(), last);
        EXPECT_LT(s.progress(), 1.0);
        last = s.progress();
        ++steps;
    }
    EXPECT_EQ(steps, 14);
    EXPECT_FALSE(s.running());
    ASSERT_EQ(s.points().size(), whole.size());
    for (std::size_t k = 0; k < whole.size(); k += 997) {
        EXPECT_EQ(s.points()[k].f_mhz, whole[k].f_mhz);
        EXPECT_EQ(s.points()[k].r_other, whole[k].r_other);
    }
    // A refused entry leaves the run under way running to its end.
    ASSERT_TRUE(s.Start());
    s.Step(10);
    w.Type(s.txtPoints, "abc");
    s.cmdSweep.Click();
    EXPECT_EQ(w.host.messages.size(), 1u);
    EXPECT_TRUE(s.running());
    while (!s.Step(50000)) {
    }
    EXPECT_EQ(s.points().size(), whole.size());
    EXPECT_EQ(s.points().back().r_other, whole.back().r_other);
    // A run started again drops the one under way.
    w.Type(s.txtPoints, "100001");
    ASSERT_TRUE(s.Start());
    s.Step(10);
    w.Type(s.txtPoints, "3");
    ASSERT_TRUE(s.Start());
    EXPECT_TRUE(s.Step(10));
    EXPECT_EQ(s.points().size(), 3u);
}

TEST(SweepWindow, TheTipReadsAgainstTheChartsReference) {
    Window w;
    MainWindow& m = *w.win;
    w.Type(m.txtResistance, "100");
    w.Type(m.txtReactance, "0");
    m.cmdSweep.Click();
    SweepWindow& s = m.frmSweep;
    // 100 ohms on 50: Gamma 1/3, SWR 2, return loss 20 log10 3 = 9.54 dB.
    EXPECT_EQ(s.PointText(0, false),
              "3.15 MHz, at the load\n100.0 + j 0.0 ohms\nSWR 2.00 against 50.0 ohms, return loss 9.54 dB");
    EXPECT_NE(s.PointText(0, true).find("MHz, at the input"), std::string::npos);
    // Against the line's |Z0| (RG-58's about 50 - j1 at 3 MHz, not 50): another reference.
    s.optRefZ0.Select();
    const SweepPoint& mid = s.points()[100];
    EXPECT_DOUBLE_EQ(s.reference(), std::hypot(mid.r0, mid.x0));
    EXPECT_NE(s.reference(), 50.0);
    // Each SWR names what it is against: the tip the chart's reference, the plot the line's Z0.
    EXPECT_NE(s.PointText(0, false).find("against " + Format(s.reference(), "0.0") + " ohms"), std::string::npos);
    EXPECT_EQ(s.Plots()[0].title.rfind("SWR against the line's Z0", 0), 0u);
    // A matched point reads an infinite return loss.
    w.Type(m.txtResistance, "50");
    s.optRef50.Select();
    EXPECT_NE(s.PointText(0, false).find("SWR 1.00 against 50.0 ohms, return loss infinite"), std::string::npos) << s.PointText(0, false);
}

}  // namespace
}  // namespace qlx::sweep

namespace qlx::sweep {
namespace {

// Where a file was measured: the first file asks on the frame of the two ends (taken at the line
// input, as an analyser measures); the user's answer is taken for the files that follow and kept
// for the next start.
TEST(SweepWindow, TheFirstFileAsksWhereItWasMeasuredAndTheAnswerIsKept) {
    const std::string dipole = std::string(QLX_SOURCE_DIR) + "/data/dipole-through-30m-rg213.s1p";
    Window w;
    SweepWindow& s = w.win->frmSweep;
    w.win->cmdSweep.Click();
    ASSERT_TRUE(s.OpenFile(dipole));
    EXPECT_TRUE(s.optAtInput.selected());
    EXPECT_EQ(s.fraGiven.status(), form::Status::Warning);
    EXPECT_EQ(s.fraGiven.status_reason().rfind("Where was dipole-through-30m-rg213.s1p measured? It is taken at the line input", 0), 0u)
        << s.fraGiven.status_reason();
    s.optAtLoad.Select();  // the user: it is the antenna's own
    EXPECT_EQ(s.fraGiven.status(), form::Status::Normal);
    EXPECT_EQ(s.txtSummary.text().rfind("dipole-through-30m-rg213.s1p taken at the load", 0), 0u) << s.txtSummary.text();
    ASSERT_TRUE(s.OpenFile(dipole));
    EXPECT_TRUE(s.optAtLoad.selected());  // the answer stands, and nothing is asked again
    EXPECT_EQ(s.fraGiven.status(), form::Status::Normal);
    std::map<std::string, std::string> kept;
    s.Remember(kept);
    EXPECT_EQ(kept["sweep.file_at"], "load");
    Window next;
    next.win->frmSweep.Recall(kept, 3.5);
    next.win->cmdSweep.Click();
    ASSERT_TRUE(next.win->frmSweep.OpenFile(dipole));
    EXPECT_TRUE(next.win->frmSweep.optAtLoad.selected());
    EXPECT_EQ(next.win->frmSweep.fraGiven.status(), form::Status::Normal);
}

}  // namespace
}  // namespace qlx::sweep
