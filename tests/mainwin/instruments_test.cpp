// The instrument dialogs driven through the main window, as a user opens them from its
// source options.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "mainwin/main_window.h"
#include "support/started_window.h"

namespace qlx {
namespace {


struct Instruments : testing::StartedWindow {
    Instruments() { win->txtFreq.SetText("14"); }
};

TEST(NoiseBridge, ConvertsParallelReadingsToTheSeriesImpedance) {
    Instruments t;
    NoiseBridgeDialog& nb = t.win->frmNB;
    // Xp = -1 / (2 pi 14 MHz 100 pF) = -113.68 ohms, Q = Rp / Xp = -0.8796,
    // R = Rp / (Q^2 + 1) = 56.377, X = Q^2 Xp / (Q^2 + 1) = -49.592.
    struct Case {
        const char* rp;
        const char* c;
        const char* ext;
        const char* shown;
        bool too_big;
    } const cases[] = {
        {"100", "100", "0", "56.38 - j 49.59", false},
        {"100", "-100", "0", "56.38 + j 49.59", false},  // an inductive reading
        {"100", "100", "60", "-3.62 - j 49.59", true},
        {"50", "0", "0", "50.00 + j 0.00", false},  // no shunt C: a tiny positive reactance
        {"0", "100", "0", "", false},
        {"100", "100,0", "0", "56.38 - j 49.59", false},
    };
    for (const Case& c : cases) {
        t.host.messages.clear();
        nb.txtExtender.SetText(c.ext);
        nb.txtResist.SetText(c.rp);
        nb.txtReact.SetText(c.c);
        nb.CompNB();
        EXPECT_EQ(nb.txtCompZ.text(), c.shown) << c.rp << " " << c.c << " " << c.ext;
        EXPECT_EQ(!t.host.messages.empty(), c.too_big) << c.rp << " " << c.c << " " << c.ext;
        if (c.too_big) {
            EXPECT_EQ(t.host.messages.back().title, "Extender Too Big!");
            EXPECT_EQ(t.host.messages.back().text,
                      "Extender can't be that large! Computed resistance is negative.");
        }
    }
    EXPECT_NEAR(nb.RaNB, 56.377, 5e-4);
    EXPECT_NEAR(nb.XaNB, -49.592, 5e-4);

    // A lone minus sign is not a reading: the result stays as it was.
    nb.txtReact.SetText("-");
    EXPECT_EQ(nb.txtCompZ.text(), "56.38 - j 49.59");
}

// OK and Cancel with the desktop's dialog, which waits, and with the browser page's, which runs
// what follows the dialog only once it is closed (the bridge's source stays chosen meanwhile): the
// same impedance and options either way.
TEST(NoiseBridge, OkHandsTheImpedanceToTheLineInputAndCancelChangesNothing) {
    for (const bool defer : {false, true}) {
        SCOPED_TRACE(defer ? "host that cannot wait" : "desktop host");
        Instruments t;
        MainWindow& w = *t.win;
        t.host.defer_modal = defer;
        // Opens the dialog, does in it what `in_dialog` does, and closes it.
        const auto use_bridge = [&](const std::function<void()>& in_dialog) {
            if (!defer) {
                t.host.on_modal["frmNB"] = [&](form::Window&) { in_dialog(); };
                w.optNoiseBridge.Select();
                return;
            }
            w.optNoiseBridge.Select();
            ASSERT_TRUE(w.frmNB.window.visible());
            EXPECT_TRUE(w.optNoiseBridge.selected());
            in_dialog();
            t.host.SettleModals();
        };
        use_bridge([&] {
            w.frmNB.txtResist.SetText("100");
            w.frmNB.txtReact.SetText("100");
            w.frmNB.cmdOK.Click();
        });
        EXPECT_EQ(w.txtResistance.text(), "56.38");
        EXPECT_EQ(w.txtReactance.text(), "-49.59");
        EXPECT_TRUE(w.optInput.selected());
        EXPECT_TRUE(w.optNormal.selected());
        EXPECT_EQ(w.lblInputZ.caption(), "Impedance at Load: ");
        EXPECT_FALSE(w.frmNB.window.visible());

        // The readings stay for the next opening; Cancel selects Normal and leaves the end and
        // the impedance as they were, so every result stays as it was.
        const std::string input_z = w.txtImpedIn.text();
        use_bridge([&] {
            EXPECT_EQ(w.frmNB.txtResist.text(), "100");
            w.frmNB.cmdCancel.Click();
        });
        EXPECT_TRUE(w.optInput.selected());
        EXPECT_TRUE(w.optNormal.selected());
        EXPECT_EQ(w.txtResistance.text(), "56.38");
        EXPECT_EQ(w.txtImpedIn.text(), input_z);
    }
}

TEST(Analyser, MinimumSwrAndImpedanceFromSwrAndMagnitude) {
    Instruments t;
    AnalyserDialog& a = t.win->frmAutek;
    struct Case {
        const char* z;
        const char* swr;
        const char* min;
        const char* shown;
        double r, x;  // from rho^2 = (|Z|^2 - 100R + 2500)/(|Z|^2 + 100R + 2500), X^2 = |Z|^2 - R^2
    } const cases[] = {
        {"100", "2.5", "2.0", "86.2 +/- j 50.7", 86.207, 50.679},
        {"25", "3", "2.0", "18.8 +/- j 16.5", 18.75, 16.536},
        {"50", "1.5", "1.0", "46.2 +/- j 19.2", 46.154, 19.231},
        {"25", "2", "2.0", "", 0, 0},     // at the minimum: no impedance
        {"100", "0.5", "2.0", "", 0, 0},  // below 1
        {"100", "-1", "2.0", "", 0, 0},
    };
    for (const Case& c : cases) {
        a.txtAutekSWR.SetText("");
        a.txtAutekZ.SetText(c.z);
        a.txtAutekSWR.SetText(c.swr);
        EXPECT_EQ(a.txtMinSWR.text(), c.min) << c.z << " " << c.swr;
        EXPECT_EQ(a.txtCalcZ.text(), c.shown) << c.z << " " << c.swr;
        if (c.r > 0) {
            EXPECT_NEAR(a.AutekR, c.r, 5e-4) << c.z << " " << c.swr;
            EXPECT_NEAR(a.AutekX, c.x, 5e-4) << c.z << " " << c.swr;
        }
    }
    EXPECT_TRUE(t.host.messages.empty());

    // |Z| of 0 asks for a real value (once the entry is left: typing "0." on the way to "0.5"
    // shows nothing) and shows no minimum; an SWR then gives nothing; 0.5 afterwards gives a
    // minimum of 100.
    a.txtAutekZ.SetText("0");
    a.txtAutekZ.SetText("0.");
    EXPECT_TRUE(t.host.messages.empty());
    a.txtAutekZ.LoseFocus();
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_EQ(t.host.messages[0].text, "Please enter a real value for the magnitude of the impedance!");
    EXPECT_EQ(t.host.messages[0].title, "QLX3");
    EXPECT_EQ(a.txtMinSWR.text(), "");
    a.txtAutekSWR.SetText("3");
    EXPECT_EQ(a.txtCalcZ.text(), "");
    a.txtAutekZ.SetText("0.5");
    EXPECT_EQ(a.txtMinSWR.text(), "100.0");
}

// A result calculated for one |Z| is never handed over for another: changing |Z| recomputes it,
// or empties it where the readings give none.
TEST(Analyser, ChangingTheMagnitudeRecomputesTheImpedance) {
    Instruments t;
    AnalyserDialog& a = t.win->frmAutek;
    a.txtAutekZ.SetText("100");
    a.txtAutekSWR.SetText("2.5");
    ASSERT_TRUE(a.calculated());
    const std::string first = a.txtCalcZ.text();
    a.txtAutekZ.SetText("80");
    EXPECT_TRUE(a.calculated());
    EXPECT_NE(a.txtCalcZ.text(), first);
    EXPECT_NEAR(a.AutekR * a.AutekR + a.AutekX * a.AutekX, 80.0 * 80.0, 0.5);  // |Z| is the new one
    a.txtAutekZ.SetText("300");  // a minimum SWR of 6: 2.5 is impossible
    EXPECT_FALSE(a.calculated());
    EXPECT_EQ(a.txtCalcZ.text(), "");
}

TEST(Analyser, OkWritesTheImpedanceWithTheChosenSign) {
    for (const bool negative_first : {false, true}) {
        Instruments t;
        MainWindow& w = *t.win;
        t.host.on_modal["frmAutek"] = [&](form::Window&) {
            if (negative_first) w.frmAutek.optNegative.Select();  // sign chosen before typing
            w.frmAutek.txtAutekZ.SetText("100");
            w.frmAutek.txtAutekSWR.SetText("2.5");
            w.frmAutek.cmdOK.Click();
        };
        w.optAutek.Select();
        EXPECT_EQ(w.txtResistance.text(), "86.21");
        EXPECT_EQ(w.txtReactance.text(), negative_first ? "-50.68" : "50.68");
        EXPECT_TRUE(w.optInput.selected());
        EXPECT_TRUE(w.optNormal.selected());
    }
    // Switching the sign after the calculation turns the reactance over.
    Instruments t;
    AnalyserDialog& a = t.win->frmAutek;
    a.txtAutekZ.SetText("100");
    a.txtAutekSWR.SetText("2.5");
    a.optNegative.Select();
    EXPECT_LT(a.AutekX, 0.0f);
    a.OptPositive.Select();
    EXPECT_GT(a.AutekX, 0.0f);
}

TEST(Analyser, OkWithoutACalculatedImpedanceChangesNothing) {
    Instruments t;
    MainWindow& w = *t.win;
    t.host.on_modal["frmAutek"] = [&](form::Window&) {
        w.frmAutek.txtAutekZ.SetText("25");
        w.frmAutek.txtAutekSWR.SetText("1.5");  // below the minimum of 2.0
        w.frmAutek.cmdOK.Click();
    };
    w.optAutek.Select();
    EXPECT_EQ(w.txtResistance.text(), "50");
    EXPECT_EQ(w.txtReactance.text(), "0");
    EXPECT_TRUE(w.optLoad.selected());
    EXPECT_TRUE(w.optNormal.selected());
}

}  // namespace
}  // namespace qlx
