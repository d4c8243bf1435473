// "&Draw Tuner" as a user presses it: the main window's line, the set-up window's settings and
// checks, the result page it fills and shows, and the page's own buttons.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/started_window.h"

namespace qlx {
namespace {

// Paths compared as paths: on Windows the picture's is "/opt/qlx\Form3PiNet.bmp".
using Path = std::filesystem::path;

struct Tuning : testing::StartedWindow {
    Tuning() {
        win->cmdTuner.Click();
        host.modeless_shown.clear();
    }
    // RG-213 at 14 MHz, 100 feet, 200 - j100 ohms at the load.
    void Mismatched() { testing::TypeExampleLine(*win); }
    void AtInput(const char* r, const char* x) {
        win->optInput.Select();
        win->txtResistance.SetText(r);
        win->txtReactance.SetText(x);
    }
    void Draw() { win->frmTuner.cmdDrawTuner.Click(); }
    TunerWindow& tuner() { return win->frmTuner; }
    tuner::TunerPage& page1() { return win->frmTuner.frmTuner1; }
};

TEST(DrawTuner, LowPassLFillsAndShowsTheFirstPage) {
    Tuning t;
    t.Mismatched();
    t.tuner().optLNet2.Select();
    t.Draw();
    EXPECT_TRUE(t.host.messages.empty());
    EXPECT_EQ(t.host.modeless_shown, std::vector<std::string>{"frmTuner1"});
    tuner::TunerPage& p = t.page1();
    EXPECT_TRUE(p.window.visible());
    EXPECT_FALSE(t.win->frmTuner.frmTuner2.window.visible());
    EXPECT_EQ(p.window.caption(), "Low-Pass L-Network");
    EXPECT_EQ(p.txtFreq.text(), "14.0 MHz");
    EXPECT_EQ(p.txtCableType.text(), t.win->Displayed().cable_text);
    EXPECT_EQ(p.txtLength.text(), "100.000 feet");
    EXPECT_EQ(p.txtLoad.text().rfind("At load:  200 - j  100 ohms =  223.6 ohms, at -26.6 degrees    Load SWR = ", 0), 0u)
        << p.txtLoad.text();
    // The header goes on the Tee page too, although it shows nothing yet.
    EXPECT_EQ(t.win->frmTuner.frmTuner2.txtLoad.text(), p.txtLoad.text());
    EXPECT_EQ(p.txtInputR.text(), "50.0 Ohms");
    EXPECT_EQ(p.txtLoadZ.text(), t.win->txtImpedIn.text() + " Ohms");
    EXPECT_EQ(Path(p.picSchematic.path()).parent_path(), Path("/opt/qlx"));
    EXPECT_NE(p.picSchematic.path().find("Form1Network"), std::string::npos);
    EXPECT_EQ(p.txtQ1.text(), "Unloaded Q");
    EXPECT_EQ(p.txtV1.text(), "RMS Vin:");
    EXPECT_EQ(p.txtV3.text(), "RMS Vout:");
    EXPECT_EQ(p.txtPwr1.text(), "At 1500 W:");
    // Two elements: the fourth column is hidden, row by row.
    for (const auto& row : p.Table()) EXPECT_FALSE(row[3]->visible()) << row[3]->name();
    EXPECT_NE(p.txtSWRLine.text().find("Eff. Q = "), std::string::npos);
    EXPECT_EQ(p.txtPowerLost.text().rfind("Estimated power lost in tuner for 1500 W input:", 0), 0u);
    // The line's 1.703 dB under the report's picture "##0.0#".
    EXPECT_EQ(t.win->txtTotalLoss.text(), "1.703");
    EXPECT_EQ(p.txtXmsnLoss.text().rfind("Transmission-line loss = 1.7 dB.  Total loss = ", 0), 0u) << p.txtXmsnLoss.text();
}

TEST(DrawTuner, BothTopologiesWriteTheirValueBoxes) {
    // 200 ohms at the input: the load-side shunt, no left-hand box. C2 is all the capacitance
    // across the line input, 396.3 pF; drawn beside the 10 pF stray, its box shows what to fit.
    Tuning a;
    a.AtInput("200", "0");
    a.tuner().optLNet2.Select();
    a.Draw();
    tuner::TunerPage& p = a.page1();
    EXPECT_EQ(Path(p.picSchematic.path()), Path("/opt/qlx/Form1Network5.bmp"));
    EXPECT_FALSE(p.txtLeftX.visible());
    EXPECT_EQ(p.TxtMidX.text(), "3.92 uH");
    EXPECT_EQ(p.txtRightX.text(), "386.3 pF");
    EXPECT_TRUE(p.txtCStray.visible());
    EXPECT_EQ(p.txtCStray.text(), " 10 pF");
    EXPECT_NE(p.txtNotes.text().find("C2: 396.3 pF in all: fit 386.3 pF, the 10 pF stray is the rest."), std::string::npos)
        << p.txtNotes.text();
    EXPECT_EQ(p.txtPwr2.text(), "L1");
    EXPECT_EQ(p.txtPwr3.text(), "C2");
    EXPECT_EQ(p.txtLoadZ.text(), "200 + j 0 Ohms");
    // 20 ohms: the input-side shunt, with the stray capacitance at the line input.
    Tuning b;
    b.AtInput("20", "0");
    b.tuner().optLNet2.Select();
    b.Draw();
    tuner::TunerPage& q = b.page1();
    EXPECT_EQ(Path(q.picSchematic.path()), Path("/opt/qlx/Form1Network6.bmp"));
    EXPECT_TRUE(q.txtLeftX.visible());
    EXPECT_EQ(q.txtLeftX.text(), "1108.0 pF");
    EXPECT_EQ(q.TxtMidX.text(), "1.12 uH");
    EXPECT_EQ(q.txtRightX.text(), " 10 pF");
    EXPECT_EQ(q.txtPwr2.text(), "C1");
    EXPECT_EQ(q.txtPwr3.text(), "L2");
}

TEST(DrawTuner, SettingsChecks) {
    struct Case {
        const char* coil_q;
        const char* cap_q;
        std::vector<std::string> messages;
        const char* coil_after;
        const char* cap_after;
    };
    const Case cases[] = {
        {"14.9", "1000", {"Minimum coil Q is 15 -- Changing back to default 200."}, "200", "1000"},
        {"15", "14.9", {"Minimum capacitor Q is 15 -- Changing back to default 1000."}, "15", "1000"},
        {"15", "15", {}, "15", "15"},
        {"0", "",
         {"Minimum coil Q is 15 -- Changing back to default 200.",
          "Minimum capacitor Q is 15 -- Changing back to default 1000."},
         "200", "1000"},
    };
    for (const Case& c : cases) {
        Tuning t;
        t.tuner().txtCoilQ.SetText(c.coil_q);
        t.tuner().txtCapQ.SetText(c.cap_q);
        t.tuner().optLNet2.Select();
        t.Draw();
        std::vector<std::string> texts;
        for (const auto& m : t.host.messages) {
            texts.push_back(m.text);
            EXPECT_EQ(m.title, "QLX, Tuner");
        }
        EXPECT_EQ(texts, c.messages) << c.coil_q << " " << c.cap_q;
        EXPECT_EQ(t.tuner().txtCoilQ.text(), c.coil_after);
        EXPECT_EQ(t.tuner().txtCapQ.text(), c.cap_after);
        EXPECT_EQ(t.host.modeless_shown, std::vector<std::string>{"frmTuner1"});
    }
}

TEST(DrawTuner, NoNetworkChosenSaysWhatToChooseAndLeavesThePages) {
    Tuning t;
    t.Draw();
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_NE(t.host.messages[0].text.find("Choose a Tuner Network Type"), std::string::npos);
    EXPECT_EQ(t.host.messages[0].title, "QLX, Tuner");
    EXPECT_TRUE(t.host.modeless_shown.empty());
    EXPECT_EQ(t.page1().txtLoad.text(), "Load description");
    EXPECT_FALSE(t.tuner().last_result().has_value());
}

TEST(DrawTuner, AfterARunNoOpenPageShowsAnotherRunsDesignUnderItsHeader) {
    // The start-up line's low-pass L, or the Tee, on the screen; then RG-213, 14 MHz,
    // 200 - j100 ohms, and a network that fails or draws on the other page.
    struct Case {
        const char* what;
        form::Option TunerWindow::*first;
        form::Option TunerWindow::*second;
        bool second_fails;
    };
    const Case cases[] = {
        {"low-pass L, then a refused high-pass L", &TunerWindow::optLNet2, &TunerWindow::optLNet1, true},
        {"Tee, then a refused high-pass L", &TunerWindow::optTeeNet, &TunerWindow::optLNet1, true},
        {"Tee, then a low-pass L on the other page", &TunerWindow::optTeeNet, &TunerWindow::optLNet2, false},
    };
    // (The same line drawn twice keeps both pages: TheTeeHasItsOwnPageAndBothMayBeOpen.)
    for (const Case& c : cases) {
        Tuning t;
        (t.tuner().*c.first).Select();
        t.Draw();
        ASSERT_TRUE(t.host.messages.empty()) << c.what;
        tuner::TunerPage& first_page = t.host.modeless_shown.back() == "frmTuner2" ? t.tuner().frmTuner2 : t.page1();
        ASSERT_TRUE(first_page.window.visible()) << c.what;
        EXPECT_EQ(first_page.txtFreq.text(), "3.5 MHz");
        t.Mismatched();
        (t.tuner().*c.second).Select();
        t.Draw();
        EXPECT_EQ(t.host.messages.size(), c.second_fails ? 1u : 0u) << c.what;
        // Whatever page is still open reads the new line and carries the new design.
        for (tuner::TunerPage* p : {&t.page1(), &t.tuner().frmTuner2}) {
            if (!p->window.visible()) continue;
            EXPECT_FALSE(c.second_fails) << c.what;
            EXPECT_EQ(p->txtFreq.text(), "14.0 MHz") << c.what;
            EXPECT_EQ(p->window.caption(), "Low-Pass L-Network") << c.what;
        }
        EXPECT_FALSE(first_page.window.visible()) << c.what;
    }
}

TEST(DrawTuner, ALoadSwrTheLineCannotGiveIsRedOnThePagesAsOnTheMainWindow) {
    Tuning t;
    // An impossible input impedance for 100 feet of RG-8A at 3.5 MHz: the load SWR is negative.
    t.AtInput("1", "-300");
    ASSERT_EQ(t.win->txtLoadSWR.fore(), form::kRed) << t.win->txtLoadSWR.text();
    t.tuner().optLNet2.Select();
    t.Draw();
    EXPECT_NE(t.page1().txtLoad.text().find("Load SWR = -"), std::string::npos) << t.page1().txtLoad.text();
    EXPECT_EQ(t.page1().txtLoad.fore(), form::kRed);
    EXPECT_EQ(t.tuner().frmTuner2.txtLoad.fore(), form::kRed);
    t.AtInput("50", "0");
    t.Draw();
    EXPECT_EQ(t.page1().txtLoad.fore(), form::kWindowText);
}

TEST(DrawTuner, APiRowShownBeforeARunIsHiddenByIt) {
    Tuning t;
    t.tuner().optPiNet.Select();
    EXPECT_TRUE(t.tuner().txtPiCap.visible());
    t.tuner().optLNet2.Select();
    t.Draw();
    EXPECT_FALSE(t.tuner().txtPiCap.visible());
    EXPECT_FALSE(t.tuner().lblPiCap.visible());
}

TEST(DrawTuner, FailuresAndWhatTheyDoToThePage) {
    struct Case {
        const char* what;
        const char* r;
        const char* x;
        const char* power;
        std::string text;
        bool page_stays;  // the line is the same, so the page's header and figures still agree
    };
    const Case cases[] = {
        {"can't match", "50", "-50", "1500", "Can't match this.", false},
        {"too close", "50", "-0.5", "1500", "Such an L-network load won't work -- too close to  50 ohms", false},
        {"no power", "200", "0", "0", tuner::kNoPowerText, true},
        {"bounded search", "50.03", "-1428.22", "1500", tuner::kNoMatchText, false},
    };
    for (const Case& c : cases) {
        Tuning t;
        t.tuner().optLNet2.Select();
        t.AtInput("200", "0");
        t.Draw();  // a good design first: its page is on the screen
        ASSERT_TRUE(t.page1().window.visible()) << c.what;
        const std::string before = t.page1().txtSWRLine.text();
        t.host.messages.clear();
        if (std::string(c.what) == "bounded search") t.win->txtFreq.SetText("32.364");
        t.AtInput(c.r, c.x);
        t.tuner().txtTxPwr.SetText(c.power);
        t.Draw();
        ASSERT_EQ(t.host.messages.size(), 1u) << c.what;
        EXPECT_EQ(t.host.messages[0].text, c.text) << c.what;
        EXPECT_EQ(t.host.messages[0].title, "L Network") << c.what;
        // A header that now reads another line takes the old design's page away.
        EXPECT_EQ(t.page1().window.visible(), c.page_stays) << c.what;
        EXPECT_EQ(t.page1().txtSWRLine.text(), before) << c.what;  // nothing of a failed design is written
    }
}

TEST(DrawTuner, PageButtonsAndPrinting) {
    Tuning t;
    t.tuner().optLNet2.Select();
    t.Draw();
    tuner::TunerPage& p = t.page1();
    p.cmdBack.Click();
    EXPECT_FALSE(p.window.visible());
    EXPECT_TRUE(t.tuner().window.visible());
    t.Draw();
    EXPECT_TRUE(p.window.visible());
    p.cmdContinue.Click();
    EXPECT_FALSE(p.window.visible());
    EXPECT_FALSE(t.tuner().window.visible());
    EXPECT_TRUE(t.win->window.visible() || t.win->window.created());

    // Printing: white while the printer takes the image, the face colour again afterwards, and
    // a missing printer reported once.
    t.win->cmdTuner.Click();
    t.Draw();
    std::vector<form::Colour> during;
    t.host.on_print = [&](form::Window& w) {
        during.push_back(w.back());
        for (form::Control* c : w.controls()) during.push_back(c->back());
    };
    t.host.print_ok = false;
    t.host.messages.clear();
    p.cmdPrint.Click();
    ASSERT_EQ(t.host.printed, std::vector<std::string>{"frmTuner1"});
    for (form::Colour c : during) EXPECT_EQ(c, form::kWhite);
    for (form::Control* c : p.window.controls()) EXPECT_EQ(c->back(), form::kButtonFace) << c->name();
    EXPECT_EQ(p.window.back(), form::kButtonFace);
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_EQ(t.host.messages[0].text, "Printer problem. ");
    EXPECT_EQ(t.host.messages[0].buttons, form::Buttons::CancelTryAgainContinue);
}

TEST(DrawTuner, PagePositionsGoToTheDefaultsFile) {
    Tuning t;
    t.tuner().frmTuner1.window.Move(1234, 5678);
    t.tuner().frmTuner2.window.Move(-30, 45);
    t.win->SaveDefaults();
    const std::vector<std::string> lines = t.store.Read().lines;
    ASSERT_EQ(lines.size(), kDefaultsLineCount);
    EXPECT_EQ(lines[10], "1234;5678:6444,8460");
    EXPECT_EQ(lines[11], "-30;45:6456,8460");
}

TEST(DrawTuner, PiFillsTheFourthColumnAndShowsItsCapacitorRow) {
    Tuning t;
    t.AtInput("200", "0");
    t.tuner().optLNet2.Select();
    t.Draw();  // two elements: the fourth column hidden
    ASSERT_FALSE(t.page1().txtQ4.visible());
    t.tuner().optPiNet.Select();
    t.Draw();
    tuner::TunerPage& p = t.page1();
    EXPECT_TRUE(t.host.messages.empty());
    EXPECT_EQ(p.window.caption(), "Low-Pass Pi-Network");
    EXPECT_EQ(Path(p.picSchematic.path()), Path("/opt/qlx/Form3PiNet.bmp"));
    for (const auto& row : p.Table()) EXPECT_TRUE(row[3]->visible()) << row[3]->name();
    EXPECT_EQ(p.txtPwr2.text() + p.txtPwr3.text() + p.txtPwr4.text(), "C1L2C3");
    EXPECT_EQ(p.txtRightX.text(), "490.0 pF");  // C3 as entered, less the stray drawn beside it
    EXPECT_TRUE(p.txtLeftX.visible() && p.TxtMidX.visible() && p.txtRightX.visible());
    EXPECT_TRUE(t.tuner().txtPiCap.visible());
    // A load the Pi cannot take at all: the message, and the row stays hidden.
    t.AtInput("0.05", "0");
    t.Draw();
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_EQ(t.host.messages[0].title, "Pi-network");
    EXPECT_EQ(t.host.messages[0].text, "The pi-network will not match this impedance. ");
    EXPECT_FALSE(t.tuner().txtPiCap.visible());
    // The header now reads 0.05 ohms: the 200-ohm design under it goes.
    EXPECT_FALSE(p.window.visible());
}

TEST(DrawTuner, TheTeeHasItsOwnPageAndBothMayBeOpen) {
    Tuning t;
    t.AtInput("20", "0");
    t.win->txtFreq.SetText("14");
    t.tuner().optLNet2.Select();
    t.Draw();
    t.tuner().optTeeNet.Select();
    t.Draw();  // the same line: both pages stand side by side
    tuner::TunerPage& tee = t.win->frmTuner.frmTuner2;
    EXPECT_TRUE(t.host.messages.empty());
    EXPECT_TRUE(tee.window.visible());
    EXPECT_TRUE(t.page1().window.visible());
    EXPECT_EQ(tee.window.caption(), "High-Pass Tee-Network");
    EXPECT_EQ(Path(tee.picSchematic.path()), Path("/opt/qlx/Form4TeeNet2.bmp"));
    EXPECT_EQ(tee.txtCStray.text(), " 10 pF");
    EXPECT_EQ(tee.txtRightX.text(), "100.0 pF");
    EXPECT_NE(tee.txtPowerLost.text().find(" dB = "), std::string::npos);
    // A Tee failure for another line: neither page's design is of that line, so both go.
    t.AtInput("20", "410");
    t.win->txtFreq.SetText("3.5");
    t.Draw();
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_EQ(t.host.messages[0].title, "Tee-network");
    EXPECT_FALSE(t.page1().window.visible());
    EXPECT_FALSE(tee.window.visible());
}

TEST(DrawTuner, HighPassLValueBoxesOfBothTopologies) {
    Tuning a;
    a.AtInput("200", "0");
    a.tuner().optLNet1.Select();
    a.Draw();
    tuner::TunerPage& p = a.page1();
    EXPECT_EQ(p.window.caption(), "High-Pass L-Network");
    EXPECT_EQ(Path(p.picSchematic.path()), Path("/opt/qlx/Form2Network3.bmp"));
    EXPECT_FALSE(p.txtLeftX.visible());
    EXPECT_NE(p.TxtMidX.text().find(" pF"), std::string::npos);
    EXPECT_NE(p.txtRightX.text().find(" uH"), std::string::npos);
    EXPECT_EQ(p.txtPwr2.text() + p.txtPwr3.text(), "C1L2");
    Tuning b;
    b.AtInput("20", "0");
    b.tuner().optLNet1.Select();
    b.Draw();
    tuner::TunerPage& q = b.page1();
    EXPECT_EQ(Path(q.picSchematic.path()), Path("/opt/qlx/Form2Network4.bmp"));
    EXPECT_NE(q.txtLeftX.text().find(" uH"), std::string::npos);
    EXPECT_NE(q.TxtMidX.text().find(" pF"), std::string::npos);
    EXPECT_EQ(q.txtRightX.text(), " 10 pF");
    EXPECT_EQ(q.txtPwr2.text() + q.txtPwr3.text(), "L1C2");
}

}  // namespace
}  // namespace qlx
