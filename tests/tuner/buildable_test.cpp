// Every tuner answer is a set of parts a builder can fit, and true: over a grid of loads, with
// and without a line, every network, each high-pass L topology, the comparison, best and the auto
// capacitor give only positive parts of the kind drawn, each design rebuilt as an independent
// ladder presents the tuner resistance, and the comparison ranks what can be bought first.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "core/format.h"
#include "ladder.h"
#include "support/started_window.h"
#include "support/temp_dir.h"
#include "sweepwin/sweep_window.h"
#include "tuner/networks.h"
#include "tuner/tuner_texts.h"

namespace qlx {
namespace {

using cd = std::complex<double>;
using tuner::Kind;
using tuner::Network;

// The parts a builder can buy, as a catalogue lists them: 5-5000 pF, 0.1-50 uH.
bool InCatalogue(const tuner::Element& e) {
    return e.kind == Kind::C ? e.value >= 5.0 && e.value <= 5000.0 : e.value >= 0.1 && e.value <= 50.0;
}

bool AllInCatalogue(const tuner::NetworkDesign& d) {
    for (const auto& e : d.elements)
        if (!InCatalogue(e)) return false;
    return true;
}

// Each part exists: a capacitor with a negative reactance and a coil with a positive one, a
// finite positive value, no capacitor above 99,999 pF, and a capacitor that includes the stray
// capacitance larger than it.
void ExpectRealParts(const tuner::NetworkDesign& d, const std::string& name) {
    for (const auto& e : d.elements) {
        EXPECT_TRUE(std::isfinite(e.value) && e.value > 0.0) << name << " " << e.name << " = " << e.value;
        EXPECT_TRUE(e.kind == Kind::C ? e.x < 0.0 : e.x > 0.0) << name << " " << e.name << " X = " << e.x;
        if (e.kind == Kind::C) {
            EXPECT_LE(e.value, 99999.0) << name << " " << e.name;
        }
        EXPECT_GT(e.value, e.stray_pf) << name << " " << e.name;
    }
}

void ExpectTrue(const tuner::DesignResult& r, const tuner::TunerSettings& s, const std::string& name) {
    const auto* d = std::get_if<tuner::NetworkDesign>(&r);
    if (!d) return;
    ExpectRealParts(*d, name);
    testing::ExpectPhysical(*d, cd(d->ra, d->xa), s, name);
}

// The same design: the same parts and the same loss.
void ExpectSameDesign(const tuner::DesignResult& a, const tuner::DesignResult& b, const std::string& name) {
    const auto* x = std::get_if<tuner::NetworkDesign>(&a);
    const auto* y = std::get_if<tuner::NetworkDesign>(&b);
    ASSERT_EQ(x != nullptr, y != nullptr) << name;
    if (!x) {
        EXPECT_EQ(std::get<tuner::DesignFailure>(a).text, std::get<tuner::DesignFailure>(b).text) << name;
        return;
    }
    EXPECT_EQ(x->network, y->network) << name;
    EXPECT_EQ(x->schematic, y->schematic) << name;
    EXPECT_DOUBLE_EQ(x->ploss, y->ploss) << name;
    ASSERT_EQ(x->elements.size(), y->elements.size()) << name;
    for (std::size_t k = 0; k < x->elements.size(); ++k)
        EXPECT_DOUBLE_EQ(x->elements[k].value, y->elements[k].value) << name << " " << x->elements[k].name;
}

// A main window with the tuner window open and a short band run (the band is not what these
// tests look at, and 401 points a design would make the grid slow).
struct Station : testing::StartedWindow {
    Station() { win->cmdTuner.Click(); }
    TunerWindow& t() { return win->frmTuner; }
    void Set(double f, bool through_line, double r, double x) {
        win->optMeters.Select();
        win->cboPickCable.Choose(17);  // RG-213
        win->txtLength.SetText(through_line ? "30" : "0");
        (through_line ? win->optLoad : win->optInput).Select();
        win->txtFreq.SetText(ShortestText(f));
        win->txtResistance.SetText(ShortestText(r));
        win->txtReactance.SetText(ShortestText(x));
        request.band = tuner::BandRange{f * 0.99, f * 1.01, 3};
    }
    // "Draw Tuner" and "Compare Networks" as a user presses them, with the short band.
    const tuner::DesignResult& Draw(form::Option& network) {
        network.Select();
        t().on_draw(request);
        return *t().last_result();
    }
    void CompareAll() { t().on_compare(request); }
    TunerWindow::DesignRequest request;
};

TEST(Buildable, EveryAnswerOverAGridOfLoadsIsRealTrueAndRankedByWhatCanBeBought) {
    Station st;
    TunerWindow& t = st.t();
    const double rs[] = {1, 5, 20, 45, 150, 600, 3000};
    const double xs[] = {-3000, -600, -150, -30, 0, 30, 150, 600, 3000};
    const double fs[] = {1.8, 3.7, 7.1, 14.2, 28.5, 54};
    int designs = 0, unbuyable_after = 0;
    for (const bool through_line : {false, true})
        for (const double f : fs)
            for (const double r : rs)
                for (const double x : xs)
                    for (const bool automatic : {false, true}) {
                        st.Set(f, through_line, r, x);
                        t.txtPiCap.SetText(automatic ? "auto" : "500");
                        t.txtTeeCap.SetText(automatic ? "auto" : "100");
                        const std::string name = std::string(through_line ? "30 m of RG-213 to " : "line input ") +
                                                 ShortestText(r) + (x < 0 ? " - j" : " + j") + ShortestText(std::abs(x)) +
                                                 " at " + ShortestText(f) + " MHz" + (automatic ? ", auto" : "");
                        const tuner::TunerSettings s;
                        const tuner::LineReading reading = tuner::ReadLine(st.win->Displayed());
                        // Each high-pass L topology on its own.
                        for (const bool coil_across_line : {true, false})
                            ExpectTrue(tuner::DesignHighPassL(reading.load, s, coil_across_line), s,
                                       name + (coil_across_line ? ", hpl A" : ", hpl B"));
                        // Every network as the window draws it; the Tee (or Pi) keeps a typed auto.
                        for (form::Option* o : {&t.optLNet1, &t.optLNet2, &t.optPiNet, &t.optTeeNet}) {
                            ExpectTrue(st.Draw(*o), s, name + ", " + o->caption());
                            EXPECT_EQ(t.txtTeeCap.text(), automatic ? "auto" : "100") << name;
                        }
                        // The comparison: real parts, the catalogue's first by loss, then the
                        // others by loss, the failures last; best draws the first row exactly.
                        const auto rows = t.Compare(st.win->Displayed(), st.win->TunerContext(), st.request);
                        int last_tier = 0;
                        double last_loss = 0.0;
                        for (const auto& row : rows) {
                            const std::string row_name = name + ", " + TunerWindow::ComparedName(row);
                            ExpectTrue(row.result, s, row_name);
                            const auto* d = std::get_if<tuner::NetworkDesign>(&row.result);
                            const int tier = d ? (AllInCatalogue(*d) ? 0 : 1) : 2;
                            EXPECT_GE(tier, last_tier) << row_name;
                            if (tier == last_tier && d) {
                                EXPECT_GE(d->ploss, last_loss) << row_name;
                            }
                            if (tier != last_tier) last_loss = 0.0;
                            if (d) last_loss = d->ploss, ++designs;
                            unbuyable_after += tier == 1 && last_tier == 0;
                            last_tier = tier;
                            // Its own page is the row.
                            t.DrawCompared(row, st.request);
                            ExpectSameDesign(*t.last_result(), row.result, row_name + " drawn");
                        }
                        if (rows.empty() || HasFatalFailure()) return;
                    }
    // The grid holds designs of every kind of answer, not only failures.
    EXPECT_GT(designs, 2000);
    EXPECT_GT(unbuyable_after, 10);
}

// The loads users met with impossible parts ranked "best", each compared as the window compares
// it: every row real and true, the first row the catalogue's when any is, best the first row.
TEST(Buildable, TheCasesThatRankedImpossiblePartsBest) {
    struct Case {
        const char* what;
        double f;
        int cable;
        const char* length;
        bool meters, at_input;
        double r, x;
        const char* tee_cap;
    };
    std::vector<Case> cases = {
        {"a capacitive line input at 14 MHz", 14, 3, "100", false, true, 30, -30, "100"},
        {"20 m of RG-213 to a 160 m short dipole", 1.85, 17, "20", true, false, 10, -600, "100"},
        {"100 feet of RG-213 at 3.5 MHz", 3.5, 17, "100", false, false, 45, -250, "100"},
        {"the Tee on auto through 37 m of RG-213", 14, 17, "37", true, false, 12, 0, "auto"},
        {"a line input whose parallel resistance is 50 ohms", 14, 3, "100", false, true, 10, -20, "100"},
    };
    // Ordinary capacitive line inputs at 14 MHz, 24 of 60 of which drew a negative part as best.
    for (double r = 5; r <= 45; r += 10)
        for (double x = -30; x >= -150; x -= 10) cases.push_back({"ordinary", 14, 3, "100", false, true, r, x, "100"});
    for (const Case& c : cases) {
        Station st;
        MainWindow& w = *st.win;
        (c.meters ? w.optMeters : w.optFeet).Select();
        w.cboPickCable.Choose(c.cable);
        w.txtLength.SetText(c.length);
        (c.at_input ? w.optInput : w.optLoad).Select();
        w.txtFreq.SetText(ShortestText(c.f));
        w.txtResistance.SetText(ShortestText(c.r));
        w.txtReactance.SetText(ShortestText(c.x));
        st.t().txtTeeCap.SetText(c.tee_cap);
        const std::string name = std::string(c.what) + ", " + ShortestText(c.r) + " " + ShortestText(c.x);
        st.CompareAll();
        const auto& rows = st.t().comparison();
        ASSERT_FALSE(rows.empty()) << name;
        bool any_in_catalogue = false;
        for (const auto& row : rows) {
            ExpectTrue(row.result, {}, name + ", " + TunerWindow::ComparedName(row));
            const auto* d = std::get_if<tuner::NetworkDesign>(&row.result);
            any_in_catalogue = any_in_catalogue || (d && AllInCatalogue(*d));
            // No row reports a failure of the "too close" kind for a load far from 50 ohms.
            if (!d) {
                EXPECT_EQ(std::get<tuner::DesignFailure>(row.result).text.find("too close"), std::string::npos) << name;
            }
        }
        const auto* first = std::get_if<tuner::NetworkDesign>(&rows.front().result);
        ASSERT_NE(first, nullptr) << name;
        EXPECT_EQ(AllInCatalogue(*first), any_in_catalogue) << name;
        // A network drawn on its own is its row (the Tee with its auto capacitor too).
        const auto row_of = [&](Network n) {
            for (const auto& row : rows)
                if (row.network == n) return row.result;
            return tuner::DesignResult{};
        };
        ExpectSameDesign(st.Draw(st.t().optTeeNet), row_of(Network::Tee), name + ", Tee alone");
        ExpectSameDesign(st.Draw(st.t().optPiNet), row_of(Network::Pi), name + ", Pi alone");
        // best: the first row, drawn.
        const tuner::DesignResult best = rows.front().result;
        st.t().frmCompare.cmdRow[0].Click();
        ExpectSameDesign(*st.t().last_result(), best, name + ", best");
    }
}

// With an analyser's file open in the sweep window, the comparison, each of its rows, "Draw
// Tuner" and the band run design for the file's antenna at the main window's frequency.
TEST(Buildable, TheComparisonDesignsForTheMeasuredAntennaAndEachRowDrawsItself) {
    Station st;
    ASSERT_TRUE(
        testing::MeasuredThrough30mOfRg213(*st.win, "14.1", std::string(QLX_SOURCE_DIR) + "/data/dipole-through-30m-rg213.s1p"));
    st.CompareAll();
    const auto rows = st.t().comparison();
    ASSERT_GE(rows.size(), 4u);
    int drawn = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string name = TunerWindow::ComparedName(rows[k]);
        const auto* d = std::get_if<tuner::NetworkDesign>(&rows[k].result);
        if (d) {
            // The file's impedance at 14.1 MHz at the line input, not the main window's 50 ohms.
            EXPECT_NEAR(d->ra, 46.2229, 1e-3) << name;
            EXPECT_NEAR(d->xa, -13.3472, 1e-3) << name;
            ASSERT_TRUE(rows[k].band.has_value()) << name;
            EXPECT_EQ(rows[k].band->held, tuner::Held::Measured) << name;
        }
        st.t().frmCompare.cmdRow[k].Click();
        ASSERT_TRUE(st.t().last_result().has_value()) << name;
        ExpectSameDesign(*st.t().last_result(), rows[k].result, name);
        drawn += d != nullptr;
    }
    EXPECT_GE(drawn, 3);
    // The summary recommends the first row, which draws.
    EXPECT_EQ(st.t().frmCompare.txtSummary.text().rfind("Lowest loss: " + TunerWindow::ComparedName(rows[0]), 0), 0u)
        << st.t().frmCompare.txtSummary.text();
}

// The band run reports only what the file measured.
TEST(Buildable, ABandRunCoversOnlyTheFilesPoints) {
    testing::TempDir dir("qlx-band-");
    const auto file = [&](const char* name, const std::vector<double>& f) {
        std::string text = "# MHz Z RI R 50\n";
        for (const double m : f) text += ShortestText(m) + " 45 -10\n";
        return dir.Write(name, text);
    };
    struct Case {
        const char* what;
        std::string path;
        const char* freq;
        const char* band_has;   // a part of the page's band line, or nothing
        const char* refusal;    // a part of the message that refuses the design, or nothing
    } const cases[] = {
        {"the shipped file, 13.6-14.6 MHz", std::string(QLX_SOURCE_DIR) + "/data/dipole-through-30m-rg213.s1p", "14.1",
         "2:1 SWR below the file's first point (13.600 MHz) to above the file's last point (14.600 MHz) (at least 1,000 kHz)",
         nullptr},
        {"three points", file("three.s1p", {13.9, 14.1, 14.3}), "14.1", "(at least 400 kHz)", nullptr},
        {"one point", file("one.s1p", {14.1}), "14.1", "no band: the file holds 1 point(s) here.", nullptr},
        {"a file of 1.0-1.1 MHz at 14 MHz", file("low.s1p", {1.0, 1.05, 1.1}), "14",
         nullptr, "low.s1p holds 1.000 to 1.100 MHz: 14.000 MHz is outside it."},
        {"a calibration's overshoot at the design frequency",
         dir.Write("over.s1p", "# MHz S MA R 50\n14.0 0.5 10\n14.1 1.002 20\n14.2 0.5 30\n"), "14.1", nullptr,
         "over.s1p at 14.100 MHz has a negative resistance"},
    };
    for (const Case& c : cases) {
        Station st;
        MainWindow& w = *st.win;
        ASSERT_TRUE(testing::MeasuredThrough30mOfRg213(w, c.freq, c.path)) << c.what;
        const std::size_t before = st.host.messages.size();
        st.Draw(st.t().optLNet2);
        if (c.refusal) {
            ASSERT_EQ(st.host.messages.size(), before + 1) << c.what;
            EXPECT_NE(st.host.messages.back().text.find(c.refusal), std::string::npos) << st.host.messages.back().text;
            EXPECT_FALSE(st.t().frmTuner1.window.visible()) << c.what;
            // The comparison refuses the same way and shows nothing.
            st.CompareAll();
            EXPECT_EQ(st.host.messages.back().text, st.host.messages[before].text) << c.what;
            EXPECT_FALSE(st.t().frmCompare.window.visible()) << c.what;
            continue;
        }
        const std::string band = st.t().frmTuner1.txtBand.text();
        EXPECT_NE(band.find(c.band_has), std::string::npos) << c.what << ": " << band;
        // No edge or width beyond the file: the default band would reach 12.690 and 15.510 MHz.
        EXPECT_EQ(band.find("12.690"), std::string::npos) << band;
        EXPECT_EQ(band.find("15.510"), std::string::npos) << band;
    }
}

// A capacitor across the line input, where the stray capacitance is, is designed as all the
// capacitance there: the page says what to fit, and fitting that beside the stray matches, while
// fitting the total on top of it does not. A total below the stray is no design.
TEST(Buildable, ACapacitorAcrossTheLineSaysWhatToFitBesideTheStray) {
    Station st;
    MainWindow& w = *st.win;
    w.optInput.Select();
    w.txtFreq.SetText("28.5");
    w.txtResistance.SetText("600");
    w.txtReactance.SetText("300");
    const auto& r = st.Draw(st.t().optLNet2);
    ASSERT_TRUE(std::holds_alternative<tuner::NetworkDesign>(r));
    const tuner::NetworkDesign d = std::get<tuner::NetworkDesign>(r);
    ASSERT_EQ(d.schematic, tuner::Schematic::LowPassLLoadShunt);
    const tuner::Element& c2 = d.elements[1];
    const std::string notes = st.t().frmTuner1.txtNotes.text();
    const std::string fit_text = "C2: " + Format(c2.value, "#,##0.0 pF") + " in all: fit ";
    const std::size_t at = notes.find(fit_text);
    ASSERT_NE(at, std::string::npos) << notes;
    EXPECT_NE(notes.find(", the 10 pF stray is the rest.", at), std::string::npos) << notes;
    const double fit_pf = ParseNumber(notes.substr(at + fit_text.size()));
    // The ladder with the part fitted and the 10 pF stray beside it: the tuner resistance.
    const auto presented = [&](double c2_pf) {
        tuner::NetworkDesign built = d;
        built.elements[1].value = c2_pf;
        return testing::Solve(built, cd(600, 300), 1500).zin;
    };
    EXPECT_NEAR(std::abs(presented(fit_pf + 10.0) - 50.0), 0.0, 0.6) << presented(fit_pf + 10.0);
    // The total fitted on top of the stray is 10 pF too much: far from 50 ohms.
    EXPECT_GT(std::abs(presented(c2.value + 10.0) - 50.0), 2.0) << presented(c2.value + 10.0);

    // A Pi whose output capacitor is below the stray capacitance has nothing to fit.
    w.txtResistance.SetText("100");
    w.txtReactance.SetText("-600");
    st.t().txtPiCap.SetText("8");
    const auto& pi = st.Draw(st.t().optPiNet);
    ASSERT_TRUE(std::holds_alternative<tuner::DesignFailure>(pi));
    EXPECT_NE(std::get<tuner::DesignFailure>(pi).text.find("no more than the 10.0 pF stray"), std::string::npos)
        << std::get<tuner::DesignFailure>(pi).text;
}

// The window's tuner takes the powers qlx-cli takes, and refuses the others with the same message.
TEST(Buildable, TheWindowRefusesAPowerBeyondFiveMegawatts) {
    Station st;
    for (const char* power : {"6000000", "0"}) {
        st.t().txtTxPwr.SetText(power);
        const std::size_t before = st.host.messages.size();
        const auto& r = st.Draw(st.t().optPiNet);
        ASSERT_TRUE(std::holds_alternative<tuner::DesignFailure>(r)) << power;
        ASSERT_EQ(st.host.messages.size(), before + 1) << power;
        EXPECT_EQ(st.host.messages.back().text, tuner::kNoPowerText) << power;
    }
    st.t().txtTxPwr.SetText("5000000");
    EXPECT_TRUE(std::holds_alternative<tuner::NetworkDesign>(st.Draw(st.t().optPiNet)));
}

}  // namespace
}  // namespace qlx
