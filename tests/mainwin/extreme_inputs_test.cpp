// No wrong number shown as a right one: impedances beyond what the line can carry are refused,
// a user-defined line that is not a line is refused, and instrument readings that give no
// impedance give none.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/numbers.h"
#include "support/started_window.h"

namespace qlx {
namespace {

using Window = testing::StartedWindow;

TEST(ExtremeInputs, AFieldKeepsAtMostItsLengthAndNeverHalfACharacter) {
    Window t;
    MainWindow& w = *t.win;
    // A megabyte pasted into a text entry (the plan's tuner): the field keeps its first 1000 bytes.
    form::TextField& have = w.frmPlan.txtHave;
    Window::Type(have, std::string(1 << 20, '7'));
    EXPECT_EQ(have.text(), std::string(form::kMaxTextLength, '7'));
    // A two-byte character across the limit is left out whole.
    Window::Type(have, std::string(form::kMaxTextLength - 1, '1') + "\xC2\xB5" + "2");
    EXPECT_EQ(have.text(), std::string(form::kMaxTextLength - 1, '1'));
    // A number field takes its megabyte as the number it cannot hold, and the next entry works.
    Window::Type(w.txtResistance, std::string(1 << 20, '7'));
    EXPECT_EQ(w.txtResistance.text(), "50");
    Window::Type(w.txtResistance, "75");
    EXPECT_EQ(w.txtResistance.text(), "75");
    EXPECT_TRUE(w.solved());
}

TEST(ExtremeInputs, ImpedancesBeyondTheLineAreRefused) {
    struct Case {
        bool resistance;
        const char* typed;
        bool refused;
    };
    const Case cases[] = {
        {true, "1e155", true}, {true, "1E308", true}, {false, "-1e155", true},
        {false, "1e31", true},  {true, "1e29", false}, {false, "-1e29", false},
    };
    for (const Case& c : cases) {
        Window t;
        form::TextField& field = c.resistance ? t.win->txtResistance : t.win->txtReactance;
        const std::string before = field.text();
        const std::string shown_before = t.win->txtImpedIn.text();
        field.SetText(c.typed);
        if (c.refused) {
            ASSERT_EQ(t.host.messages.size(), 1u) << c.typed;
            EXPECT_EQ(t.host.messages[0].title, "Bad Impedance!");
            EXPECT_EQ(field.text(), before) << c.typed;  // back to what the line was solved with
            EXPECT_EQ(t.win->txtImpedIn.text(), shown_before) << c.typed;
        } else {
            EXPECT_TRUE(t.host.messages.empty()) << c.typed;
            EXPECT_GE(ParseNumber(t.win->txtLoadSWR.text()), 1.0) << c.typed;  // never "-1.00"
            EXPECT_NE(t.win->txtImpedIn.text(), "0.00 + j 0.00") << c.typed;
        }
    }
}

TEST(ExtremeInputs, AUserDefinedLineMustBeALine) {
    struct Case {
        const char* field;
        const char* value;
        const char* message;
    };
    const Case cases[] = {
        {"vf", "0", "Enter a velocity factor above 0 and at most 1."},
        {"vf", "1.5", "Enter a velocity factor above 0 and at most 1."},
        {"r0", "0", "Enter R0 above 0 ohms."},
        {"r0", "1e39", "Enter a number for R0."},
        {"atten", "1e39", "Enter a number for the attenuation."},
        {"vmax", "1e39", "Enter a number for the maximum voltage."},
    };
    for (const Case& c : cases) {
        Window t;
        MainWindow& w = *t.win;
        const std::string file_before = *t.store.content;
        const std::string z0_before = w.txtZ0.text();
        UserLineDialog& d = w.frmOtrCable;
        t.host.on_modal["frmOtrCable"] = [&](form::Window&) {
            form::TextField& f = std::string(c.field) == "vf"      ? d.txtVF
                                 : std::string(c.field) == "r0"    ? d.txtR0
                                 : std::string(c.field) == "atten" ? d.txtAtten100
                                                                   : d.txtVMax;
            f.SetText(c.value);
            d.cmdOK.Click();
            EXPECT_TRUE(d.window.visible()) << c.field << " " << c.value;  // the dialog stays open
        };
        w.cboPickCable.Choose(32);
        ASSERT_FALSE(t.host.messages.empty()) << c.field << " " << c.value;
        EXPECT_EQ(t.host.messages.back().text, c.message);
        EXPECT_EQ(t.host.messages.back().title, "User-Defined Transmission Line");
        EXPECT_EQ(*t.store.content, file_before) << c.field << " " << c.value;  // nothing written
        // The line is the stored one, unchanged, not the refused one nor RG-8A's.
        EXPECT_EQ(w.txtZ0.text(), "449.9 - j 0.96") << c.field << " " << c.value;
        EXPECT_NE(w.txtZ0.text(), z0_before);
    }
}

TEST(ExtremeInputs, InstrumentReadingsWithoutAnImpedanceGiveNone) {
    Window t;
    MainWindow& w = *t.win;
    w.txtFreq.SetText("14");
    t.host.on_modal["frmNB"] = [&](form::Window&) {
        w.frmNB.txtResist.SetText("1e200");
        w.frmNB.txtReact.SetText("100");
        EXPECT_EQ(w.frmNB.txtCompZ.text(), "");
        w.frmNB.cmdOK.Click();
    };
    w.optNoiseBridge.Select();
    t.host.on_modal["frmAutek"] = [&](form::Window&) {
        w.frmAutek.txtAutekZ.SetText("-50");
        w.frmAutek.txtAutekSWR.SetText("2");
        EXPECT_FALSE(w.frmAutek.calculated());
        EXPECT_EQ(w.frmAutek.txtCalcZ.text(), "");
        w.frmAutek.cmdOK.Click();
    };
    w.optAutek.Select();
    EXPECT_EQ(w.txtResistance.text(), "50");  // the main window keeps its entries
    EXPECT_TRUE(w.optLoad.selected());
}

}  // namespace
}  // namespace qlx
