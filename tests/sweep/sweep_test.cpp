// The line across a band: every sweep point is the window's solution at that frequency, and
// de-embedding is the window's transform run from the input.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <string>

#include "core/cables.h"
#include "core/format.h"
#include "support/started_window.h"
#include "sweep/sweep.h"
#include "support/complex_tanh.h"

namespace qlx::sweep {
namespace {

using cd = std::complex<double>;

using Window = testing::StartedWindow;

TEST(Sweep, EveryPointIsTheWindowsSolutionAtThatFrequency) {
    struct Case {
        int cable;
        bool meters, at_load;
        const char* length;
        double r, x;
    };
    const Case cases[] = {{3, false, true, "100", 50, 0},     {17, false, true, "100", 200, -100},
                          {17, true, false, "30", 25, -30},   {0, false, true, "250", 75, 40},
                          {16, false, false, "1000", 10, 500}, {31, true, true, "12.5", 600, 0}};
    for (const Case& c : cases) {
        for (const char* f : {"1.8", "3.5", "14.2", "28.125", "146", "1296.5"}) {
            Window w;
            if (c.meters) w.win->optMeters.Select();
            w.Type(w.win->txtFreq, f);
            w.win->cboPickCable.Choose(c.cable);
            w.Type(w.win->txtLength, c.length);
            (c.at_load ? w.win->optLoad : w.win->optInput).Select();
            w.Type(w.win->txtResistance, ExactText(c.r));
            w.Type(w.win->txtReactance, ExactText(c.x));
            const LineValues& v = w.win->line();
            const auto p = SolveAt({w.win->Entries(), std::nullopt}, std::stod(f), cd(c.r, c.x));
            ASSERT_TRUE(p.has_value()) << c.cable << " " << f;
            const std::string name = std::to_string(c.cable) + " at " + f;
            EXPECT_EQ(p->r_other, v.rin) << name;
            EXPECT_EQ(p->x_other, v.xin) << name;
            EXPECT_EQ(p->swr_other, v.swr_in) << name;
            EXPECT_EQ(p->swr_given, v.swr_out) << name;
            EXPECT_EQ(p->total_loss_db, v.tot_loss) << name;
            EXPECT_EQ(p->matched_loss_db, v.matched_loss) << name;
        }
    }
}

TEST(Sweep, TheUserDefinedLineIsScaledAsItsDialogScalesIt) {
    // 75 - j1.5 ohms, 1.25 dB per 100 feet at 10 MHz, VF 0.8: at 40 MHz the loss doubles.
    const std::string file = "F\r\n75\r\n-1.5\r\n1.25\r\n0.8\r\n1200\r\n10\r\n";
    for (const char* f : {"10", "40", "7.1"}) {
        Window w(file);
        w.Type(w.win->txtFreq, f);
        w.win->cboPickCable.Choose(kUserDefinedIndex);  // the dialog scales the record to f
        w.Type(w.win->txtResistance, "200");
        const LineValues& v = w.win->line();
        // The line as the sweep window takes it from the main window, the record read from TL.DEF.
        const auto p = SolveAt(w.win->SweepMainLine().line, std::stod(f), cd(200, 0));
        ASSERT_TRUE(p.has_value()) << f;
        EXPECT_EQ(p->matched_loss_db, v.matched_loss) << f;
        EXPECT_EQ(p->r_other, v.rin) << f;
        EXPECT_EQ(p->x_other, v.xin) << f;
    }
}

TEST(Sweep, FrequenciesEvenAndLogarithmic) {
    const auto even = Frequencies(10, 20, 11, false);
    ASSERT_EQ(even.size(), 11u);
    EXPECT_DOUBLE_EQ(even[1], 11.0);
    EXPECT_EQ(even.back(), 20.0);
    const auto log = Frequencies(1, 100, 3, true);
    EXPECT_DOUBLE_EQ(log[1], 10.0);
    EXPECT_TRUE(Frequencies(10, 20, 1, false).empty());
    EXPECT_TRUE(Frequencies(10, 20, kMaxPoints + 1, false).empty());
    EXPECT_TRUE(Frequencies(20, 10, 5, false).empty());
}

// De-embedding: the load carried to the input as "line" does, then carried back from the input
// as a measurement there, is the load again within the single-precision steps of the window.
TEST(Sweep, DeEmbeddingIsTheTransformRunFromTheInput) {
    Window w;
    w.win->cboPickCable.Choose(17);
    w.Type(w.win->txtLength, "98.4");
    LineEntries at_load = w.win->Entries();
    LineEntries at_input = at_load;
    at_input.at_load = false;
    for (const double f : {3.6, 7.1, 14.2, 21.3, 28.5}) {
        for (const cd zl : {cd(50, 0), cd(200, -100), cd(12, 35), cd(600, 250)}) {
            const auto in = SolveAt({at_load, std::nullopt}, f, zl);
            ASSERT_TRUE(in.has_value());
            const auto back = SolveAt({at_input, std::nullopt}, f, cd(in->r_other, in->x_other));
            ASSERT_TRUE(back.has_value());
            EXPECT_NEAR(back->r_other, zl.real(), 1e-4 * std::abs(zl) + 0.01) << f << " " << zl;
            EXPECT_NEAR(back->x_other, zl.imag(), 1e-4 * std::abs(zl) + 0.01) << f << " " << zl;
        }
        // A load of Z0 itself is Z0 at the input; a short is the textbook lossy stub,
        // Zin = Z0 tanh(gamma l).
        const CableAtFrequency c = CableAt(Catalogue()[17], static_cast<float>(f));
        const cd z0(c.r0, c.x0);
        const auto matched = SolveAt({at_load, std::nullopt}, f, z0);
        EXPECT_NEAR(matched->r_other, z0.real(), 0.01) << f;
        EXPECT_NEAR(matched->x_other, z0.imag(), 0.01) << f;
        const auto shorted = SolveAt({at_load, std::nullopt}, f, cd(0, 0));
        const double alpha_l = 0.11512925464970229 * shorted->matched_loss_db;
        const double beta_l = 6.2831854820251465 / c.wave_len * 98.4;
        const cd stub = z0 * TextbookTanh(cd(alpha_l, beta_l));
        EXPECT_NEAR(shorted->r_other, stub.real(), 1e-3 * std::abs(stub) + 0.01) << f;
        EXPECT_NEAR(shorted->x_other, stub.imag(), 1e-3 * std::abs(stub) + 0.01) << f;
    }
    // Where the window takes no entry there is no point: beyond its frequencies or impedances.
    EXPECT_FALSE(SolveAt({at_load, std::nullopt}, 6000.0, cd(50, 0)));
    EXPECT_FALSE(SolveAt({at_load, std::nullopt}, 0.001, cd(50, 0)));
    EXPECT_FALSE(SolveAt({at_load, std::nullopt}, 14.0, cd(1e300, -1e300)));
}

}  // namespace
}  // namespace qlx::sweep
