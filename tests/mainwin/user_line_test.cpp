// The user-defined line: its dialog filled from TL.DEF and scaled to the frequency, Compute X0,
// OK storing the record, and the solution taking the line from the dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "mainwin/main_window.h"
#include "support/started_window.h"

namespace qlx {
namespace {


// Without a file: the default file, record 449.9, -0.96, 0.045 at 3.5 MHz.
struct UserLine : testing::StartedWindow {
    explicit UserLine(std::optional<std::string> file = std::nullopt) : StartedWindow(std::move(file)) {}
    std::vector<std::string> Lines() { return SplitDefaultsText(store.content.value_or("")); }
};

TEST(UserDefinedLine, DefaultRecordScaledToTheFrequencyInFeetAndMeters) {
    struct Case {
        const char* freq;
        bool meters;
        const char* atten;
        const char* suggestion;
        bool changed;
        const char* label;
        const char* ml_per;  // the main window's "#0.0##" or, in meters, "#0.000"
    } const cases[] = {
        // X0 = -449.9 (0.045 x 0.115129 / 100) / (2 pi / (0.91 x 983.571 / 3.5)) = -0.949
        {"3.5", false, "0.045", "-0.949", false, "Enter Attenuation, dB/100 Feet: ", "0.045"},
        // At 14 MHz the loss doubles (sqrt(14 / 3.5) = 2) and X0 halves.
        {"14", false, "0.090", "-0.474", true, "Enter Attenuation, dB/100 Feet: ", "0.09"},
        {"14", true, "0.295", "-0.474", true, "Enter Attenuation, dB/100 Meters: ", "0.295"},
    };
    for (const Case& c : cases) {
        UserLine t;
        MainWindow& w = *t.win;
        if (c.meters) w.optMeters.Select();
        w.txtFreq.SetText(c.freq);
        w.cboPickCable.Choose(32);
        const UserLineDialog& d = w.frmOtrCable;
        SCOPED_TRACE(std::string(c.freq) + (c.meters ? " m" : " ft"));
        EXPECT_EQ(t.host.modal_shown, std::vector<std::string>{"frmOtrCable"});
        EXPECT_EQ(d.txtAtten100.text(), c.atten);
        EXPECT_EQ(d.txtR0.text(), "449.900");
        EXPECT_EQ(d.txtVF.text(), "0.910");
        EXPECT_EQ(d.txtVMax.text(), "10000");
        EXPECT_EQ(d.txtX0.text(), "-0.960");
        EXPECT_EQ(d.txtOldFreq.text(), "3.5");
        EXPECT_EQ(d.txtNewFreq.text(), c.freq);
        EXPECT_EQ(d.lblSX0.caption(), c.suggestion);
        EXPECT_EQ(d.lblSX0.fore() == form::kRed, c.changed);
        EXPECT_EQ(w.LblWarning.visible(), c.changed);
        if (c.changed) {
            EXPECT_EQ(w.LblWarning.caption(), "<--Click again");
        }
        EXPECT_EQ(d.lblAtten100.caption(), c.label);
        // The solution takes the line from the dialog and the scaled loss.
        EXPECT_EQ(w.txtZ0.text(), "449.9 - j 0.96");
        EXPECT_EQ(w.txtVoltage.text(), "10000");
        EXPECT_EQ(w.txtMLPer.text(), c.ml_per);
    }
}

TEST(UserDefinedLine, ComputeX0FollowsTheEditedValues) {
    UserLine t;
    MainWindow& w = *t.win;
    t.host.on_modal["frmOtrCable"] = [&](form::Window&) {
        w.frmOtrCable.txtR0.SetText("300");
        w.frmOtrCable.cmdCompute.Click();
        // -300 (0.045 x 0.115129 / 100) / (6.2831854 / (983.571056 x 0.91 / 3.5)) = -0.633
        EXPECT_EQ(w.frmOtrCable.lblSX0.caption(), "-0.633");
        EXPECT_EQ(w.frmOtrCable.txtX0.text(), "-0.633");
        // A velocity factor of 0 has no wavelength: the suggestion stays.
        w.frmOtrCable.txtVF.SetText("0");
        w.frmOtrCable.cmdCompute.Click();
        EXPECT_EQ(w.frmOtrCable.lblSX0.caption(), "-0.633");
        w.frmOtrCable.txtVF.SetText("0.91");
        w.frmOtrCable.cmdOK.Click();
    };
    w.cboPickCable.Choose(32);
    EXPECT_EQ(w.txtZ0.text(), "300.0 - j 0.63");
}

TEST(UserDefinedLine, OkStoresTheRecordPerHundredFeetAndTheState) {
    UserLine t;
    MainWindow& w = *t.win;
    w.optMeters.Select();
    w.txtFreq.SetText("14");
    t.host.on_modal["frmOtrCable"] = [&](form::Window&) {
        EXPECT_EQ(w.frmOtrCable.txtAtten100.text(), "0.295");
        w.frmOtrCable.cmdOK.Click();
    };
    w.cboPickCable.Choose(32);
    const auto lines = t.Lines();
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "M");
    EXPECT_EQ(lines[1], " 449.9 ");
    EXPECT_EQ(lines[2], "-0.96 ");
    EXPECT_NEAR(std::stod(lines[3]), 0.295 / 3.2808399200439453, 1e-6);  // 0.0899 dB per 100 feet
    EXPECT_EQ(lines[4], " 0.91 ");
    EXPECT_EQ(lines[5], " 10000 ");
    EXPECT_EQ(lines[6], "14.000");
    EXPECT_EQ(lines[13], " 32 ");
    EXPECT_EQ(lines[14], "14");
    EXPECT_FALSE(w.LblWarning.visible());

    // The next start finds the line again and opens its dialog with the stored record.
    UserLine again(t.store.content);
    EXPECT_EQ(again.win->cboPickCable.position(), 32);
    EXPECT_EQ(again.win->frmOtrCable.txtOldFreq.text(), "14");
    EXPECT_EQ(again.win->frmOtrCable.txtAtten100.text(), "0.295");
    EXPECT_EQ(again.win->txtZ0.text(), "449.9 - j 0.96");
}

TEST(UserDefinedLine, OkLeavesTheMainWindowComputingWithTheLineAsTyped) {
    // 100 feet of the default record at 14 MHz, into 50 ohms, with the loss typed over the scaled
    // one: the line solution uses the typed figure at once, with nothing to click again. The
    // totals are the lossy-line power ratio computed by hand (waves e^(+-gamma l) on 449.9 - j0.96
    // ohms, 0.91 x 983.571 / 14 feet a wavelength): 0.4610, 1.2192 and 0.4609 dB.
    struct Case {
        bool meters;
        const char* typed;
        const char* ml_per;  // the main window's matched loss per 100 of its unit
        const char* ml_tot;
        const char* total;
    } const cases[] = {
        {false, "0.100", "0.1", "0.100", "0.461"},
        {false, "0.300", "0.3", "0.300", "1.219"},
        // 0.328 dB per 100 m is 0.09997 dB per 100 feet; the line is 30.48 m long.
        {true, "0.328", "0.328", "0.100", "0.461"},
    };
    for (const Case& c : cases) {
        UserLine t;
        MainWindow& w = *t.win;
        if (c.meters) {
            w.optMeters.Select();
            w.txtLength.SetText("30.48");
        }
        w.txtFreq.SetText("14");
        t.host.on_modal["frmOtrCable"] = [&](form::Window&) {
            w.frmOtrCable.txtAtten100.SetText(c.typed);
            w.frmOtrCable.cmdOK.Click();
        };
        w.cboPickCable.Choose(32);
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(w.txtMLPer.text(), c.ml_per);
        EXPECT_EQ(w.txtMLTot.text(), c.ml_tot);
        EXPECT_EQ(w.txtTotalLoss.text(), c.total);
        EXPECT_FALSE(w.LblWarning.visible());
    }
}

TEST(UserDefinedLine, ReopenedAtTheStoredFrequencyTheLineCountsAsUnchanged) {
    UserLine t;
    MainWindow& w = *t.win;
    w.txtFreq.SetText("14.2");  // not exact in binary
    t.host.on_modal["frmOtrCable"] = [&](form::Window&) { w.frmOtrCable.cmdOK.Click(); };
    w.cboPickCable.Choose(32);
    EXPECT_EQ(t.Lines().at(6), "14.200");
    w.cboPickCable.Choose(32);
    EXPECT_FALSE(w.LblWarning.visible());
    EXPECT_EQ(w.frmOtrCable.txtOldFreq.text(), "14.2");
}

TEST(UserDefinedLine, ConfirmingAtALowFrequencyWritesTheFrequencyWithoutLeadingZero) {
    UserLine t;
    t.win->txtFreq.SetText("0.05");
    t.host.on_modal["frmOtrCable"] = [&](form::Window&) { t.win->frmOtrCable.cmdOK.Click(); };
    t.win->cboPickCable.Choose(32);
    EXPECT_EQ(t.Lines().at(6), ".050");
}

TEST(UserDefinedLine, ClosingTheDialogChangesAndWritesNothing) {
    UserLine t;
    MainWindow& w = *t.win;
    const std::string file = *t.store.content;
    t.host.on_modal["frmOtrCable"] = [&](form::Window&) {
        w.frmOtrCable.txtR0.SetText("75");
        w.frmOtrCable.txtVF.SetText("0.5");
    };  // and the window's own close control: no OK
    w.cboPickCable.Choose(32);
    EXPECT_EQ(*t.store.content, file);
    EXPECT_EQ(w.frmOtrCable.txtR0.text(), "449.900");
    EXPECT_EQ(w.frmOtrCable.txtVF.text(), "0.910");
}

TEST(UserDefinedLine, DamagedRecordsAndZerosNeverFail) {
    struct Case {
        const char* what;
        std::string file;
    };
    const Case cases[] = {
        {"short file", "F\r\n449.9\r\n"},
        {"stored frequency 0", "F\r\n449.9\r\n-0.96\r\n0.045\r\n.91\r\n10000\r\n0\r\n"},
        {"velocity factor 0", "F\r\n449.9\r\n-0.96\r\n0.045\r\n0\r\n10000\r\n3.5\r\n"},
        {"garbage", "F\r\nabc\r\n;;\r\n-\r\n,\r\nx\r\ny\r\n"},
    };
    for (const Case& c : cases) {
        UserLine t(c.file);
        MainWindow& w = *t.win;
        w.cboPickCable.Choose(32);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(t.host.modal_shown.size(), 1u);
        for (const form::TextField* f : {&w.txtZ0, &w.txtMLPer, &w.txtImpedIn, &w.txtLoadSWR})
            EXPECT_EQ(f->text().find_first_of("ni"), std::string::npos) << f->text();  // no nan/inf
    }
}

// A host that cannot wait inside an event (the browser page) shows the dialog and runs what
// follows it only when the user closes it: the line solved is still the one the dialog gave.
TEST(UserDefinedLine, AHostThatCannotWaitSolvesWithWhatTheDialogGave) {
    struct Case {
        bool ok;
        const char* z0;  // R0 - j X0 of the line solved
        const char* r0;  // the dialog's entry afterwards
    } const cases[] = {
        {true, "75.0 - j 0.50", "75"},
        // Closed without OK: the stored line, and the dialog as it was shown.
        {false, "449.9 - j 0.96", "449.900"},
    };
    for (const Case& c : cases) {
        UserLine t;
        MainWindow& w = *t.win;
        t.host.defer_modal = true;
        w.cboPickCable.Choose(32);
        UserLineDialog& d = w.frmOtrCable;
        ASSERT_TRUE(d.window.visible());
        d.txtR0.SetText("75");
        d.txtX0.SetText("-0.5");
        if (c.ok)
            d.cmdOK.Click();
        else
            d.window.SetVisible(false);
        t.host.SettleModals();
        SCOPED_TRACE(c.ok ? "OK" : "closed");
        EXPECT_TRUE(t.host.deferred.empty());
        EXPECT_EQ(w.txtZ0.text(), c.z0);
        EXPECT_EQ(d.txtR0.text(), c.r0);
    }
}

}  // namespace
}  // namespace qlx

namespace qlx {
namespace {

// A record that describes no line (all zeros), its dialog closed without OK — at start-up or when
// chosen, by a host that waits or one that cannot: the list goes back to the cable solved before
// (the start-up one if none), one message says so, and the results follow the typing again.
TEST(UserDefinedLine, ClosedWithoutALineTheListGoesBackAndTheResultsFollowTheTyping) {
    const std::string zeros = "F\r\n0\r\n0\r\n0\r\n0\r\n0\r\n3.5\r\n-15;0:6456,8484\r\n6825;-15:6468,8484\r\n"
                              "6345;540:6444,8460\r\n-75;4560:6444,8460\r\n6945;4635:6456,8460\r\n100.000\r\n";
    const struct {
        const char* what;
        int stored;      // the list position in TL.DEF
        int chosen;      // chosen before the user-defined line, or -1
        bool deferred;   // the page's host
        int back;
    } cases[] = {{"start-up, desktop", 32, -1, false, 3}, {"start-up, page", 32, -1, true, 3},
                 {"after RG-213, desktop", 17, 17, false, 17}, {"after RG-213, page", 17, 17, true, 17}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::ScriptedHost host;
        host.defer_modal = c.deferred;
        MemoryDefaultsStore store(zeros + " " + std::to_string(c.stored) + " \r\n3.5\r\n50.000\r\n0.000\r\n");
        MainWindow w(host, store);
        w.Load();
        if (c.chosen >= 0) w.cboPickCable.Choose(32);
        ASSERT_TRUE(w.frmOtrCable.window.visible() || !c.deferred);
        w.frmOtrCable.window.SetVisible(false);  // Escape, or the window's own close
        host.SettleModals();
        EXPECT_EQ(w.cboPickCable.position(), c.back);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].text.find("back at" + w.cboPickCable.items()[static_cast<std::size_t>(c.back)]),
                  std::string::npos) << host.messages[0].text;
        // The results follow the typing: 14 MHz gives the chosen cable's loss there.
        const std::string before = w.txtMLPer.text();
        w.txtFreq.SetText("14");
        w.txtFreq.LoseFocus();
        EXPECT_NE(w.txtMLPer.text(), before);
        EXPECT_TRUE(w.solved());
    }
}

}  // namespace
}  // namespace qlx
